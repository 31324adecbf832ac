#include "transfer/CsvImportFile.h"

#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/MbChar.h"
#include "zklib/ZkCsv.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr size_t kNone = std::string_view::npos;

// 1-based line of the byte at offset; CR LF, a lone CR and a lone LF each end a
// line, as they end a record.
int LineOf(std::string_view text, size_t offset) {
    int line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    return line;
}

bool IsAsciiWord(const unsigned char* p) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    return (word & 0x8080808080808080u) == 0;
}

// Offset of the first byte that is not part of well-formed UTF-8 (no overlong
// forms, surrogates or code points past U+10FFFF), or kNone.
size_t FirstBadUtf8(std::string_view text, bool& beyondAscii) {
    const auto* u = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    beyondAscii = false;
    while (i < n) {
        if (i + 8 <= n && IsAsciiWord(u + i)) {
            i += 8;
            continue;
        }
        const unsigned char c = u[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        beyondAscii = true;
        size_t len;
        unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
        if (c >= 0xC2 && c <= 0xDF)
            len = 2;
        else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            lo = c == 0xE0 ? 0xA0 : 0x80;
            hi = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (i + len > n || u[i + 1] < lo || u[i + 1] > hi)
            return i;
        for (size_t k = 2; k < len; ++k)
            if ((u[i + k] & 0xC0) != 0x80)
                return i;
        i += len;
    }
    return kNone;
}

// Which characters code page 932 defines, asked of the converter once: single
// bytes at their value, double-byte characters at lead << 8 | trail.
const std::vector<unsigned char>& Cp932Defined() {
    static const std::vector<unsigned char> defined = [] {
        std::vector<unsigned char> table(0x10000);
        std::string unicode;
        for (unsigned lead = 0; lead < 0x100; ++lead) {
            const char bytes[2] = {static_cast<char>(lead), 0};
            if (!mb::IsLeadByte(static_cast<unsigned char>(lead))) {
                table[lead] = cp932::ToUtf8(std::string_view(bytes, 1), unicode);
                continue;
            }
            for (unsigned trail = 0; trail < 0x100; ++trail) {
                const char pair[2] = {bytes[0], static_cast<char>(trail)};
                table[lead << 8 | trail] = cp932::ToUtf8(std::string_view(pair, 2), unicode);
            }
        }
        return table;
    }();
    return defined;
}

// Offset of the first byte that code page 932 does not define, or kNone.
size_t FirstBadShiftJis(std::string_view text) {
    const std::vector<unsigned char>& defined = Cp932Defined();
    const auto* u = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        if (i + 8 <= n && IsAsciiWord(u + i)) {
            i += 8;
        } else if (!mb::IsLeadByte(u[i])) {
            if (!defined[u[i]])
                return i;
            ++i;
        } else {
            if (i + 1 == n || !defined[unsigned(u[i]) << 8 | u[i + 1]])
                return i;
            i += 2;
        }
    }
    return kNone;
}

size_t Utf8CharStart(std::string_view utf8, size_t index) {
    size_t at = 0;
    for (; index > 0 && at < utf8.size(); --index) {
        const auto c = static_cast<unsigned char>(utf8[at]);
        at += c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    }
    return at;
}

// Turns a UTF-8 field into Shift_JIS; characters code page 932 cannot hold are
// left out and the first of them named. False when there was one.
bool ConvertField(CString& field, std::string& unstorable) {
    std::string utf8 = field.str();
    cp932::Error error;
    bool whole = true;
    while (!cp932::FromUtf8(utf8, field, &error)) {
        if (whole)
            unstorable = error.characterUtf8;
        whole = false;
        utf8.erase(Utf8CharStart(utf8, error.index), error.characterUtf8.size());
    }
    return whole;
}

bool IsBlank(const std::vector<CString>& fields) {
    return std::all_of(fields.begin(), fields.end(), [](const CString& field) {
        return field.view().find_first_not_of(" \t\r\n") == std::string_view::npos;
    });
}

std::string FileWords(const std::string& path) {
    return "ﾌｧｲﾙ " + path;
}

CFileError Refusal(std::string text, const std::string& path) {
    return CFileError::FromWords(std::move(text), path, MB_ICONSTOP);
}

CFileError BadByte(const std::string& path, int line, CsvEncoding tried) {
    const char* as = tried == CsvEncoding::Utf8       ? "UTF-8 の文字として"
                     : tried == CsvEncoding::ShiftJis ? "Shift_JIS の文字として"
                                                      : "Shift_JIS としても UTF-8 としても";
    return Refusal(FileWords(path) + " の " + std::to_string(line) + " 行目に " + as +
                       "読めないﾊﾞｲﾄがあります。",
                   path);
}

} // namespace

std::optional<CFileError> CCsvImportFile::Read(const std::string& path, CsvEncoding choice) {
    m_records.clear();
    m_nColumns = 0;
    std::string bytes;
    try {
        bytes = ReadWholeFile(path.c_str()).Detach();
    } catch (const CFileException& e) {
        return CFileError::FromException(e, MB_ICONSTOP);
    }
    return ReadBytes(bytes, path, choice);
}

std::optional<CFileError> CCsvImportFile::ReadBytes(std::string_view bytes, const std::string& path,
                                                    CsvEncoding choice) {
    m_records.clear();
    m_nColumns = 0;
    m_refusal = CsvRefusal::None;

    // Text holds no zero bytes; UTF-16 holds one in nearly every ASCII character.
    const size_t zeros = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\0'));
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
        (zeros > 0 && zeros * 8 >= bytes.size())) {
        m_refusal = CsvRefusal::Utf16;
        return Refusal(FileWords(path) + " は UTF-16 で書かれているため読み込めません。\n"
                                         "Shift_JIS か UTF-8 で保存し直してください。",
                       path);
    }
    const size_t zero = zeros ? bytes.find('\0') : kNone;

    const size_t bom = choice != CsvEncoding::ShiftJis && bytes.starts_with(kUtf8Bom) ? 3 : 0;
    std::string_view text = bytes.substr(bom);
    size_t bad = zero;
    CsvEncoding tried = choice;
    size_t badUtf8 = kNone;
    bool beyondAscii = false;
    if (bom || choice != CsvEncoding::ShiftJis)
        badUtf8 = FirstBadUtf8(text, beyondAscii);
    if (bom || choice == CsvEncoding::Utf8 ||
        (choice == CsvEncoding::Auto && badUtf8 == kNone && beyondAscii)) {
        tried = m_encoding = CsvEncoding::Utf8;
        if (badUtf8 != kNone)
            bad = std::min(bad, bom + badUtf8);
    } else {
        m_encoding = CsvEncoding::ShiftJis;
        // Neither reading holds: the one that got further names the line.
        if (const size_t at = FirstBadShiftJis(text); at != kNone)
            bad = std::min(bad, badUtf8 == kNone ? at : std::max(at, badUtf8));
    }
    if (bad != kNone) {
        m_refusal = CsvRefusal::BadByte;
        m_nRefusedLine = LineOf(bytes, bad);
        m_refusedAs = bad == zero ? choice : tried;
        return BadByte(path, m_nRefusedLine, m_refusedAs);
    }

    // UTF-8 turned into Shift_JIS as a whole when it can be; otherwise split as
    // UTF-8 and turned field by field, so that a character code page 932 cannot
    // hold is found in its own cell.
    CString whole;
    ZkCSV_Charset charset = ZkCSV_Charset::ShiftJis;
    if (m_encoding == CsvEncoding::Utf8) {
        if (cp932::FromUtf8(text, whole))
            text = whole.view();
        else
            charset = ZkCSV_Charset::Utf8;
    }

    CString line;
    size_t pos = 0, openQuote = 0, widest = 0;
    for (int atEnd = 0; atEnd == 0;) {
        atEnd = ZkCSV_ReadLine(text, pos, line, charset, &openQuote);
        if (atEnd == 2) {
            const int opened = LineOf(text, openQuote);
            m_records.clear();
            m_refusal = CsvRefusal::OpenQuote;
            m_nRefusedLine = opened;
            return Refusal(FileWords(path) + " の " + std::to_string(opened) +
                               " 行目で開いた引用符 (\") が閉じられていないため読み込めません。",
                           path);
        }
        if (line.IsEmpty())
            continue;
        CsvImportRecord& record = m_records.emplace_back();
        record.fields.reserve(widest);
        ZkCSV_ParseLine(line, record.fields, ',', charset);
        widest = std::max(widest, record.fields.size());
        for (size_t i = 0; charset == ZkCSV_Charset::Utf8 && i < record.fields.size(); ++i) {
            std::string character;
            if (!ConvertField(record.fields[i], character) && record.unstorableColumn == 0) {
                record.unstorableColumn = static_cast<int>(i) + 1;
                record.unstorable = std::move(character);
            }
        }
        record.blank = IsBlank(record.fields);
    }
    m_nColumns = static_cast<int>(widest);
    return std::nullopt;
}
