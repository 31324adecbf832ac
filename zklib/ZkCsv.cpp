#include "zklib/ZkCsv.h"

#include "platform/MbChar.h"
#include "platform/StdioFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <stdexcept>
#include <string>

namespace {

#ifdef _WIN32
void LockStream(FILE* stream) {
    _lock_file(stream);
}
void UnlockStream(FILE* stream) {
    _unlock_file(stream);
}
inline int NextByte(FILE* stream) {
    return _getc_nolock(stream);
}
#else
void LockStream(FILE* stream) {
    flockfile(stream);
}
void UnlockStream(FILE* stream) {
    funlockfile(stream);
}
inline int NextByte(FILE* stream) {
    return getc_unlocked(stream);
}
#endif

// Holds the stream's lock while one record is read, so that each byte comes
// straight from the stream's buffer.
class StreamLock {
public:
    explicit StreamLock(FILE* stream) : m_stream(stream) { LockStream(stream); }
    ~StreamLock() { UnlockStream(m_stream); }
    StreamLock(const StreamLock&) = delete;
    StreamLock& operator=(const StreamLock&) = delete;

private:
    FILE* m_stream;
};

// Writes a record straight into the line's own buffer, doubling it when full,
// so that a reader reusing one CString allocates only while its records grow.
class LineWriter {
public:
    explicit LineWriter(CString& line)
        : m_line(line), m_cap(std::max(line.GetLength(), kFirstCapacity)),
          m_buf(line.GetBuffer(m_cap)) {}
    ~LineWriter() { m_line.ReleaseBuffer(m_len); }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void Put(char c) {
        if (m_len == m_cap)
            Grow();
        m_buf[m_len++] = c;
    }

private:
    static constexpr int kFirstCapacity = 256;

    void Grow() {
        if (m_cap == INT_MAX)
            throw std::length_error("CSV record longer than a string can hold");
        m_cap = m_cap > INT_MAX / 2 ? INT_MAX : m_cap * 2;
        m_buf = m_line.GetBuffer(m_cap);
    }

    CString& m_line;
    int m_cap;
    char* m_buf;
    int m_len = 0;
};

enum ByteClass : unsigned char { kPlain, kLead, kCr, kLf, kQuote, kZero };

constexpr std::array<ByteClass, 256> MakeByteClasses() {
    std::array<ByteClass, 256> classes{};
    for (int b = 0; b < 256; ++b)
        classes[b] = mb::IsLeadByte(static_cast<unsigned char>(b)) ? kLead : kPlain;
    classes['\r'] = kCr;
    classes['\n'] = kLf;
    classes['"'] = kQuote;
    classes[0] = kZero;
    return classes;
}

constexpr std::array<ByteClass, 256> kClass = MakeByteClasses();

// Length of the character at p: a lead byte takes the byte after it along,
// unless that is the end of the record.
inline int CharLen(const unsigned char* p) {
    return kClass[p[0]] == kLead && p[1] ? 2 : 1;
}

// The first separator, quote or end of the record at or after p.
const unsigned char* SkipToFieldMark(const unsigned char* p, unsigned char separator) {
    for (;;) {
        switch (kClass[*p]) {
        case kLead:
            p += CharLen(p);
            break;
        case kQuote:
        case kZero:
            return p;
        default:
            if (*p == separator)
                return p;
            ++p;
            break;
        }
    }
}

// The first quote, line end or end of the record at or after p.
const unsigned char* SkipToQuotedMark(const unsigned char* p) {
    for (;;) {
        switch (kClass[*p]) {
        case kPlain:
            ++p;
            break;
        case kLead:
            p += CharLen(p);
            break;
        default:
            return p;
        }
    }
}

// Appends the quoted stretch beginning at p (just after its opening quote) to
// field and returns where the record goes on: after the separator that follows
// the closing quote, else just after the closing quote.
const unsigned char* ReadQuoted(const unsigned char* p, unsigned char separator,
                                std::string& field) {
    for (;;) {
        const unsigned char* mark = SkipToQuotedMark(p);
        field.append(reinterpret_cast<const char*>(p), static_cast<size_t>(mark - p));
        p = mark;
        switch (kClass[*p]) {
        case kQuote:
            if (p[1] == '"') {
                field += '"';
                p += 2;
                break;
            }
            return p[1] == separator && separator != 0 ? p + 2 : p + 1;
        case kCr:
            // CR LF already is the platform's line break and stays one.
            if (p[1] == '\n') {
                field.append("\r\n");
                p += 2;
            } else {
                field += '\r';
                ++p;
            }
            break;
        case kLf:
            field.append("\r\n");
            ++p;
            break;
        default:
            return p;
        }
    }
}

void AppendField(std::vector<CString>& fields, const void* text, size_t length) {
    fields.emplace_back(static_cast<const char*>(text), static_cast<int>(length));
}

} // namespace

int ZkCSV_ReadLine(FILE* stream, CString& line) {
    StreamLock lock(stream);
    LineWriter out(line);
    bool inQuotes = false;
    int c = NextByte(stream);
    for (;;) {
        if (c == EOF)
            return 1;
        switch (kClass[c]) {
        case kPlain:
            out.Put(static_cast<char>(c));
            break;
        case kLead:
            out.Put(static_cast<char>(c));
            c = NextByte(stream);
            if (c == EOF)
                return 1;
            if (c != 0)
                out.Put(static_cast<char>(c));
            break;
        case kCr:
            if (inQuotes) {
                out.Put('\r');
                break;
            }
            c = NextByte(stream);
            if (c != '\n' && c != EOF)
                ungetc(c, stream);
            return 0;
        case kLf:
            if (inQuotes) {
                out.Put('\n');
                break;
            }
            return 0;
        case kQuote:
            out.Put('"');
            c = NextByte(stream);
            if (c == '"') {
                out.Put('"');
                break;
            }
            inQuotes = !inQuotes;
            continue; // the byte after a lone quote is still to be handled
        case kZero:
            break;
        }
        c = NextByte(stream);
    }
}

int ZkCSV_ParseLine(const char* record, std::vector<CString>& fields, char separator) {
    const auto sep = static_cast<unsigned char>(separator);
    const auto* p = reinterpret_cast<const unsigned char*>(record ? record : "");
    std::string quoted;
    for (;;) {
        const unsigned char* mark = SkipToFieldMark(p, sep);
        if (*mark == 0) {
            if (mark != p)
                AppendField(fields, p, static_cast<size_t>(mark - p));
            break;
        }
        if (*mark == sep) {
            AppendField(fields, p, static_cast<size_t>(mark - p));
            p = mark + 1;
            continue;
        }
        // A quote may open in the middle of a field: what came before it stays in front.
        quoted.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(mark - p));
        p = ReadQuoted(mark + 1, sep, quoted);
        AppendField(fields, quoted.data(), quoted.size());
    }
    return static_cast<int>(fields.size());
}

int ZkCSV_CountFields(const char* path) {
    CStdioFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &error)) {
        error.ReportError(MB_ICONERROR);
        return -1;
    }
    FILE* stream = file.GetStream();
    CString line;
    std::vector<CString> fields;
    int best = 0;
    int atEnd;
    errno = 0;
    do {
        atEnd = ZkCSV_ReadLine(stream, line);
        if (!line.IsEmpty()) {
            fields.clear();
            best = std::max(best, ZkCSV_ParseLine(line, fields));
        }
    } while (atEnd == 0);
    // The end of the records may be a read error; a count of part of the file would mislead.
    if (std::ferror(stream)) {
        const int err = errno ? errno : EIO;
        CFileException(CFileException::OsErrorToCause(err), err, file.GetFilePath())
            .ReportError(MB_ICONERROR);
        return -1;
    }
    return best;
}
