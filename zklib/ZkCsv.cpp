#include "zklib/ZkCsv.h"

#include "platform/MbChar.h"
#include "platform/StdioFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <string>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KOLVANE_CSV_SSE2
#endif

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

// The bytes a stream has buffered and not yet handed out, to be read in place
// (as gnulib's freadptr and freadseek do). Where the C library keeps its buffer
// to itself this is always empty, and every byte goes through NextByte.
struct Buffered {
    const unsigned char* begin = nullptr;
    const unsigned char* end = nullptr;
};

#if defined(__GLIBC__)
Buffered BufferedBytes(FILE* stream) {
    if (stream->_IO_write_ptr > stream->_IO_write_base)
        return {};
    return {reinterpret_cast<const unsigned char*>(stream->_IO_read_ptr),
            reinterpret_cast<const unsigned char*>(stream->_IO_read_end)};
}
void SkipBuffered(FILE* stream, size_t count) {
    stream->_IO_read_ptr += count;
}
#else
Buffered BufferedBytes(FILE*) {
    return {};
}
void SkipBuffered(FILE*, size_t) {}
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

// The bytes of a record come from a stream, through its buffer where the C
// library lets us read it in place, or from a text in memory; ReadRecord is
// written once for both.
class StreamSource {
public:
    explicit StreamSource(FILE* stream) : m_stream(stream), m_lock(stream) {}
    Buffered Plain() const { return BufferedBytes(m_stream); }
    void Skip(size_t count) { SkipBuffered(m_stream, count); }
    int Next() { return NextByte(m_stream); }
    void Unget(int c) { ungetc(c, m_stream); }
    void QuoteOpened() {}

private:
    FILE* m_stream;
    StreamLock m_lock;
};

class MemorySource {
public:
    MemorySource(std::string_view text, size_t pos)
        : m_begin(reinterpret_cast<const unsigned char*>(text.data())), m_p(m_begin + pos),
          m_end(m_begin + text.size()) {}
    Buffered Plain() const { return {m_p, m_end}; }
    void Skip(size_t count) { m_p += count; }
    int Next() { return m_p < m_end ? *m_p++ : EOF; }
    void Unget(int) { --m_p; }
    // Called just after reading a quote that opens a quoted stretch.
    void QuoteOpened() { m_openQuote = static_cast<size_t>(m_p - 1 - m_begin); }
    size_t Pos() const { return static_cast<size_t>(m_p - m_begin); }
    size_t OpenQuote() const { return m_openQuote; }

private:
    const unsigned char* m_begin;
    const unsigned char* m_p;
    const unsigned char* m_end;
    size_t m_openQuote = 0;
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
            Grow(1);
        m_buf[m_len++] = c;
    }
    void Append(const unsigned char* bytes, size_t count) {
        while (count > static_cast<size_t>(m_cap - m_len))
            Grow(count);
        std::memcpy(m_buf + m_len, bytes, count);
        m_len += static_cast<int>(count);
    }

private:
    static constexpr int kFirstCapacity = 256;

    void Grow(size_t wanted) {
        if (wanted > static_cast<size_t>(INT_MAX - m_len))
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

constexpr std::array<ByteClass, 256> MakeByteClasses(bool multibyte) {
    std::array<ByteClass, 256> classes{};
    for (int b = 0; b < 256; ++b)
        classes[b] = multibyte && mb::IsLeadByte(static_cast<unsigned char>(b)) ? kLead : kPlain;
    classes['\r'] = kCr;
    classes['\n'] = kLf;
    classes['"'] = kQuote;
    classes[0] = kZero;
    return classes;
}

constexpr std::array<ByteClass, 256> kClass = MakeByteClasses(true);
constexpr std::array<ByteClass, 256> kSingleByteClass = MakeByteClasses(false);

// Up to four byte values searched for together, sixteen bytes at a time where
// the processor allows.
class ByteSet {
public:
    ByteSet(unsigned char a, unsigned char b, unsigned char c, unsigned char d)
        : m_bytes{a, b, c, d} {
#ifdef KOLVANE_CSV_SSE2
        for (int i = 0; i < 4; ++i)
            m_vectors[i] = _mm_set1_epi8(static_cast<char>(m_bytes[i]));
#endif
    }

    // The first byte of [p, end) that belongs to the set, or end.
    const unsigned char* FindIn(const unsigned char* p, const unsigned char* end) const {
#ifdef KOLVANE_CSV_SSE2
        for (; end - p >= 16; p += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hits = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(x, m_vectors[0]), _mm_cmpeq_epi8(x, m_vectors[1])),
                _mm_or_si128(_mm_cmpeq_epi8(x, m_vectors[2]), _mm_cmpeq_epi8(x, m_vectors[3])));
            if (const int mask = _mm_movemask_epi8(hits))
                return p + std::countr_zero(static_cast<unsigned>(mask));
        }
#endif
        while (p < end && *p != m_bytes[0] && *p != m_bytes[1] && *p != m_bytes[2] &&
               *p != m_bytes[3])
            ++p;
        return p;
    }

private:
    unsigned char m_bytes[4];
#ifdef KOLVANE_CSV_SSE2
    __m128i m_vectors[4];
#endif
};

// What ends a run of plain text in a record, and in a quoted stretch of a line:
// line ends, quotes and the zero byte.
const ByteSet& RecordMarks() {
    static const ByteSet marks('\r', '\n', '"', 0);
    return marks;
}

// Whether the byte at q is the second byte of a double-byte character, given
// that a character starts at p <= q. The byte after one that cannot lead a
// character always starts one, so only the lead-range bytes right before q count.
// In UTF-8 a quote, separator or line end byte is never part of another character.
inline bool IsSecondByte(const unsigned char* p, const unsigned char* q, bool multibyte) {
    if (!multibyte)
        return false;
    const unsigned char* r = q;
    while (r > p && mb::IsLeadByte(r[-1]))
        --r;
    return (q - r) % 2 == 1;
}

// Moves the plain text at the front of the source's buffer into the line: up
// to the next line end, quote or zero byte that starts a character, or up to a
// lead byte whose second byte is not buffered yet. The source must be at the
// start of a character.
template <class Source> void TakePlainText(Source& source, LineWriter& out, bool multibyte) {
    const Buffered buffered = source.Plain();
    const unsigned char* p = buffered.begin;
    const unsigned char* q = p;
    while (q < buffered.end) {
        q = RecordMarks().FindIn(q, buffered.end);
        if (!IsSecondByte(p, q, multibyte))
            break;
        if (q == buffered.end || *q == 0) {
            --q;
            break;
        }
        ++q;
    }
    if (q != p) {
        out.Append(p, static_cast<size_t>(q - p));
        source.Skip(static_cast<size_t>(q - p));
    }
}

// The first byte of the set at or after p that starts a character, in a text
// that ends with a zero byte at end.
inline const unsigned char* FindMark(const unsigned char* p, const unsigned char* end,
                                     const ByteSet& marks, bool multibyte) {
    for (const unsigned char* from = p;;) {
        const unsigned char* q = marks.FindIn(from, end);
        if (q == end || !IsSecondByte(p, q, multibyte))
            return q;
        from = q + 1;
    }
}

// Appends the quoted stretch beginning at p (just after its opening quote) to
// field and returns where the record goes on: after the separator that follows
// the closing quote, else just after the closing quote.
const unsigned char* ReadQuoted(const unsigned char* p, const unsigned char* end,
                                unsigned char separator, bool multibyte, std::string& field) {
    for (;;) {
        const unsigned char* mark = FindMark(p, end, RecordMarks(), multibyte);
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

// Reads one record as ZkCSV_ReadLine describes; 2 instead of 1 when the end
// came inside quotes.
template <class Source> int ReadRecord(Source& source, CString& line, bool multibyte) {
    const std::array<ByteClass, 256>& classes = multibyte ? kClass : kSingleByteClass;
    LineWriter out(line);
    bool inQuotes = false;
    for (;;) {
        TakePlainText(source, out, multibyte);
        int c = source.Next();
        if (c == EOF)
            return inQuotes ? 2 : 1;
        switch (classes[c]) {
        case kPlain:
            out.Put(static_cast<char>(c));
            break;
        case kLead:
            out.Put(static_cast<char>(c));
            c = source.Next();
            if (c == EOF)
                return inQuotes ? 2 : 1;
            if (c != 0)
                out.Put(static_cast<char>(c));
            break;
        case kCr:
            if (inQuotes) {
                out.Put('\r');
                break;
            }
            c = source.Next();
            if (c != '\n' && c != EOF)
                source.Unget(c);
            return 0;
        case kLf:
            if (inQuotes) {
                out.Put('\n');
                break;
            }
            return 0;
        case kQuote:
            out.Put('"');
            c = source.Next();
            if (c == '"') {
                out.Put('"');
                break;
            }
            if (c != EOF)
                source.Unget(c);
            inQuotes = !inQuotes;
            if (inQuotes)
                source.QuoteOpened();
            break;
        case kZero:
            break;
        }
    }
}

} // namespace

int ZkCSV_ReadLine(FILE* stream, CString& line) {
    StreamSource source(stream);
    return std::min(ReadRecord(source, line, true), 1);
}

int ZkCSV_ReadLine(std::string_view text, size_t& pos, CString& line, ZkCSV_Charset charset,
                   size_t* openQuote) {
    MemorySource source(text, std::min(pos, text.size()));
    const int result = ReadRecord(source, line, charset == ZkCSV_Charset::ShiftJis);
    pos = source.Pos();
    if (result == 2 && openQuote)
        *openQuote = source.OpenQuote();
    return result;
}

int ZkCSV_ParseLine(const char* record, std::vector<CString>& fields, char separator) {
    return ZkCSV_ParseLine(record, fields, separator, ZkCSV_Charset::ShiftJis);
}

int ZkCSV_ParseLine(const char* record, std::vector<CString>& fields, char separator,
                    ZkCSV_Charset charset) {
    const bool multibyte = charset == ZkCSV_Charset::ShiftJis;
    const auto sep = static_cast<unsigned char>(separator);
    // A lead byte is never a separator.
    const ByteSet fieldMarks(multibyte && mb::IsLeadByte(sep) ? '"' : sep, '"', 0, 0);
    const auto* p = reinterpret_cast<const unsigned char*>(record ? record : "");
    const unsigned char* end = p + std::strlen(reinterpret_cast<const char*>(p));
    std::string quoted;
    for (;;) {
        const unsigned char* mark = FindMark(p, end, fieldMarks, multibyte);
        if (mark == end) {
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
        p = ReadQuoted(mark + 1, end, sep, multibyte, quoted);
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
