#include "transfer/CsvImportFile.h"

#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/HugePages.h"
#include "platform/MbChar.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KOLVANE_CSV_SSE2
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KOLVANE_CSV_AVX2
#endif

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

// What the sixteen-byte check takes as defined without a look at the table:
// ASCII, half-width katakana, every character of the lead bytes whose every
// trail byte (0x40-0x7E, 0x80-0xFC) makes one, and the symbols, hiragana and
// katakana of the first rows.
bool IsFullRow(unsigned lead) {
    return (lead >= 0x89 && lead <= 0x97) || (lead >= 0x99 && lead <= 0x9F) ||
           (lead >= 0xE0 && lead <= 0xE9) || lead == 0xED || (lead >= 0xF0 && lead <= 0xFB);
}

bool TakenAsDefined(unsigned first, unsigned next) {
    if (first < 0x80 || (first >= 0xA1 && first <= 0xDF))
        return true;
    const bool low = next >= 0x40 && next <= 0x7E;
    switch (first) {
    case 0x81:
        return low || (next >= 0x80 && next <= 0xAC);
    case 0x82:
        return next >= 0x9F && next <= 0xF1;
    case 0x83:
        return low || (next >= 0x80 && next <= 0x96);
    default:
        return IsFullRow(first) && (low || (next >= 0x80 && next <= 0xFC));
    }
}

// Which characters code page 932 defines, asked of the converter once, by the
// byte a character starts with and the byte after it: a lead byte and its
// trail byte make one character, any other byte is one by itself (whatever
// follows).
struct Cp932Table {
    std::vector<unsigned char> defined = std::vector<unsigned char>(0x10000);
    // Whether the converter defines all that the sixteen-byte check takes as
    // defined; else every character is looked up.
    bool sure = true;
};

const Cp932Table& Cp932Defined() {
    static const Cp932Table table = [] {
        Cp932Table t;
        std::string unicode;
        for (unsigned first = 0; first < 0x100; ++first) {
            const char single[1] = {static_cast<char>(first)};
            const bool lead = mb::IsLeadByte(static_cast<unsigned char>(first));
            const bool alone = !lead && cp932::ToUtf8(std::string_view(single, 1), unicode);
            for (unsigned next = 0; next < 0x100; ++next) {
                const char pair[2] = {single[0], static_cast<char>(next)};
                const bool defined =
                    alone || (lead && cp932::ToUtf8(std::string_view(pair, 2), unicode));
                t.defined[first << 8 | next] = defined;
                if (!defined && TakenAsDefined(first, next))
                    t.sure = false;
            }
        }
        return t;
    }();
    return table;
}

#ifdef KOLVANE_CSV_SSE2
// Lanes whose byte, read as signed once its top bit is flipped (0x80 as 0),
// lies in [low, high].
inline __m128i InRange(__m128i flipped, int low, int high) {
    return _mm_and_si128(_mm_cmpgt_epi8(flipped, _mm_set1_epi8(static_cast<char>(low - 1))),
                         _mm_cmplt_epi8(flipped, _mm_set1_epi8(static_cast<char>(high + 1))));
}
#endif

#ifdef KOLVANE_CSV_AVX2
__attribute__((target("avx2"))) inline __m256i InRange(__m256i flipped, int low, int high) {
    return _mm256_and_si256(
        _mm256_cmpgt_epi8(flipped, _mm256_set1_epi8(static_cast<char>(low - 1))),
        _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(high + 1)), flipped));
}

// The sixteen-byte check of FirstBadShiftJis thirty-two bytes at a time, for a
// table that is sure: where it stopped, at the start of a character, with every
// character before it defined.
__attribute__((target("avx2"))) size_t DefinedPrefixAvx2(const unsigned char* u, size_t n,
                                                         const unsigned char* defined) {
    const __m256i flip = _mm256_set1_epi8(static_cast<char>(0x80));
    constexpr uint64_t kEven = 0x55555555u, kOdd = 0xAAAAAAAAu;
    size_t i = 0;
    while (i + 32 < n) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(u + i));
        const uint64_t beyondAscii = static_cast<uint32_t>(_mm256_movemask_epi8(x));
        if (beyondAscii == 0) {
            i += 32;
            continue;
        }
        const __m256i s = _mm256_xor_si256(x, flip);
        const uint64_t mayLead = static_cast<uint32_t>(
            _mm256_movemask_epi8(_mm256_or_si256(InRange(s, 0x01, 0x1F), InRange(s, 0x60, 0x7C))));
        const uint64_t runStarts = mayLead & ~(mayLead << 1);
        const uint64_t evenRuns = ((mayLead + (runStarts & kEven)) ^ mayLead) & mayLead;
        const uint64_t oddRuns = ((mayLead + (runStarts & kOdd)) ^ mayLead) & mayLead;
        const uint64_t leads = (evenRuns & kEven) | (oddRuns & kOdd);
        const uint64_t starts = ~(leads << 1) & beyondAscii;
        const __m256i fullRow = _mm256_or_si256(
            _mm256_or_si256(InRange(s, 0x09, 0x17), InRange(s, 0x19, 0x1F)),
            _mm256_or_si256(_mm256_or_si256(InRange(s, 0x60, 0x69), InRange(s, 0x6D, 0x6D)),
                            InRange(s, 0x70, 0x7B)));
        const __m256i next =
            _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(u + i + 1)), flip);
        const __m256i low = InRange(next, 0x40 - 0x80, 0x7E - 0x80);
        const __m256i sure = _mm256_or_si256(
            _mm256_or_si256(
                _mm256_and_si256(fullRow,
                                 _mm256_or_si256(low, InRange(next, 0x80 - 0x80, 0xFC - 0x80))),
                _mm256_and_si256(InRange(s, 0x81 - 0x80, 0x81 - 0x80),
                                 _mm256_or_si256(low, InRange(next, 0x80 - 0x80, 0xAC - 0x80)))),
            _mm256_or_si256(
                _mm256_and_si256(InRange(s, 0x82 - 0x80, 0x82 - 0x80),
                                 InRange(next, 0x9F - 0x80, 0xF1 - 0x80)),
                _mm256_and_si256(InRange(s, 0x83 - 0x80, 0x83 - 0x80),
                                 _mm256_or_si256(low, InRange(next, 0x80 - 0x80, 0x96 - 0x80)))));
        const uint64_t sureLead = static_cast<uint32_t>(_mm256_movemask_epi8(sure));
        const uint64_t kana = static_cast<uint32_t>(_mm256_movemask_epi8(InRange(s, 0x21, 0x5F)));
        const uint64_t unsure = starts & ((leads & ~sureLead) | (~leads & ~kana));
        unsigned ok = 1;
        for (uint64_t m = unsure; m != 0; m &= m - 1) {
            const auto j = static_cast<size_t>(std::countr_zero(m));
            ok &= defined[unsigned(u[i + j]) << 8 | u[i + j + 1]];
        }
        if (!ok)
            break;
        i += 32 + (leads >> 31);
    }
    return i;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// Offset of the first byte that code page 932 does not define, or kNone; wide
// lets the check use the widest vectors the processor has.
size_t FirstBadShiftJis(std::string_view text, bool wide = true) {
    const Cp932Table& table = Cp932Defined();
    const unsigned char* defined = table.defined.data();
    const auto* u = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
#ifdef KOLVANE_CSV_AVX2
    if (wide && table.sure && HasAvx2())
        i = DefinedPrefixAvx2(u, n, defined);
#else
    (void)wide;
#endif
#ifdef KOLVANE_CSV_SSE2
    // Sixteen bytes at a time from the start of a character, while the byte
    // after them can be read. In a run of bytes that may lead a character the
    // first, third, ... lead one; the byte after a run of odd length is the
    // last one's second byte; every other byte starts a character. Only
    // characters not sure to be defined are looked up; a block with a bad one
    // is searched again byte by byte below.
    const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
    while (table.sure && i + 16 < n) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(u + i));
        const auto beyondAscii = static_cast<uint32_t>(_mm_movemask_epi8(x));
        if (beyondAscii == 0) {
            i += 16;
            continue;
        }
        const __m128i s = _mm_xor_si128(x, flip);
        const auto mayLead = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_or_si128(InRange(s, 0x01, 0x1F), InRange(s, 0x60, 0x7C))));
        const uint32_t runStarts = mayLead & ~(mayLead << 1);
        const uint32_t evenRuns = ((mayLead + (runStarts & 0x5555u)) ^ mayLead) & mayLead;
        const uint32_t oddRuns = ((mayLead + (runStarts & 0xAAAAu)) ^ mayLead) & mayLead;
        const uint32_t leads = (evenRuns & 0x5555u) | (oddRuns & 0xAAAAu);
        const uint32_t starts = ~(leads << 1) & beyondAscii;
        const __m128i fullRow =
            _mm_or_si128(_mm_or_si128(InRange(s, 0x09, 0x17), InRange(s, 0x19, 0x1F)),
                         _mm_or_si128(_mm_or_si128(InRange(s, 0x60, 0x69), InRange(s, 0x6D, 0x6D)),
                                      InRange(s, 0x70, 0x7B)));
        const __m128i next =
            _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(u + i + 1)), flip);
        const __m128i low = InRange(next, 0x40 - 0x80, 0x7E - 0x80);
        const __m128i sure = _mm_or_si128(
            _mm_or_si128(
                _mm_and_si128(fullRow, _mm_or_si128(low, InRange(next, 0x80 - 0x80, 0xFC - 0x80))),
                _mm_and_si128(InRange(s, 0x81 - 0x80, 0x81 - 0x80),
                              _mm_or_si128(low, InRange(next, 0x80 - 0x80, 0xAC - 0x80)))),
            _mm_or_si128(
                _mm_and_si128(InRange(s, 0x82 - 0x80, 0x82 - 0x80),
                              InRange(next, 0x9F - 0x80, 0xF1 - 0x80)),
                _mm_and_si128(InRange(s, 0x83 - 0x80, 0x83 - 0x80),
                              _mm_or_si128(low, InRange(next, 0x80 - 0x80, 0x96 - 0x80)))));
        const auto sureLead = static_cast<uint32_t>(_mm_movemask_epi8(sure));
        const auto kana = static_cast<uint32_t>(_mm_movemask_epi8(InRange(s, 0x21, 0x5F)));
        const uint32_t unsure = starts & ((leads & ~sureLead) | (~leads & ~kana));
        unsigned ok = 1;
        for (uint32_t m = unsure; m != 0; m &= m - 1) {
            const auto j = static_cast<size_t>(std::countr_zero(m));
            ok &= defined[unsigned(u[i + j]) << 8 | u[i + j + 1]];
        }
        if (!ok)
            break;
        i += 16 + (leads >> 15);
    }
#endif
    while (i < n) {
        if (i + 8 <= n && IsAsciiWord(u + i)) {
            i += 8;
            continue;
        }
        const bool lead = mb::IsLeadByte(u[i]);
        if ((lead && i + 1 == n) || !defined[unsigned(u[i]) << 8 | (lead ? u[i + 1] : 0)])
            return i;
        i += lead ? 2 : 1;
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
bool ConvertField(std::string_view field, CString& sjis, std::string& unstorable) {
    std::string utf8(field);
    cp932::Error error;
    bool whole = true;
    while (!cp932::FromUtf8(utf8, sjis, &error)) {
        if (whole)
            unstorable = error.characterUtf8;
        whole = false;
        utf8.erase(Utf8CharStart(utf8, error.index), error.characterUtf8.size());
    }
    return whole;
}

bool IsBlank(std::span<const std::string_view> fields) {
    for (const std::string_view field : fields)
        for (const char c : field)
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                return false;
    return true;
}

// Up to four byte values searched for together. Where the processor allows,
// sixteen bytes at a time and sixty-four remembered: most fields are shorter,
// so the next search usually finds its answer in the bits of the last block.
// Every search of one finder must be over the same text with the same end.
class ByteFinder {
public:
    ByteFinder(char a, char b, char c, char d) : m_bytes{a, b, c, d} {
#ifdef KOLVANE_CSV_SSE2
        for (int i = 0; i < 4; ++i)
            m_vectors[i] = _mm_set1_epi8(m_bytes[i]);
#endif
    }

    // The first byte of [p, end) that is one of them, or end.
    const char* Find(const char* p, const char* end) {
#ifdef KOLVANE_CSV_SSE2
        for (;;) {
            if (m_block != nullptr && p >= m_block && p < m_block + 64) {
                if (const uint64_t hits = m_hits >> (p - m_block))
                    return p + std::countr_zero(hits);
                p = m_block + 64;
            }
            if (end - p < 64)
                break;
            m_block = p;
            m_hits = Hits(p) | Hits(p + 16) << 16 | Hits(p + 32) << 32 | Hits(p + 48) << 48;
        }
        for (; end - p >= 16; p += 16)
            if (const uint64_t hits = Hits(p))
                return p + std::countr_zero(hits);
#endif
        while (p < end && *p != m_bytes[0] && *p != m_bytes[1] && *p != m_bytes[2] &&
               *p != m_bytes[3])
            ++p;
        return p;
    }

private:
#ifdef KOLVANE_CSV_SSE2
    // One bit for each of the sixteen bytes at p that is one of them.
    uint64_t Hits(const char* p) const {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(x, m_vectors[0]), _mm_cmpeq_epi8(x, m_vectors[1])),
            _mm_or_si128(_mm_cmpeq_epi8(x, m_vectors[2]), _mm_cmpeq_epi8(x, m_vectors[3])));
        return static_cast<uint32_t>(_mm_movemask_epi8(hits));
    }
#endif

    char m_bytes[4];
#ifdef KOLVANE_CSV_SSE2
    __m128i m_vectors[4];
    const char* m_block = nullptr; // the 64 bytes last looked at
    uint64_t m_hits = 0;           // one bit for each of them that is one of the values
#endif
};

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

void CCsvImportFile::Clear() {
    // Swapped with empty ones so that the memory goes at once.
    std::vector<CsvImportRecord>().swap(m_records);
    std::vector<std::string_view>().swap(m_fields);
    std::deque<std::string>().swap(m_rewritten);
    m_converted.reset();
    std::string().swap(m_bytes);
    m_nColumns = 0;
}

std::optional<CFileError> CCsvImportFile::Read(const std::string& path, CsvEncoding choice) {
    Clear();
    std::string bytes;
    try {
        bytes = ReadWholeFile(path.c_str()).Detach();
    } catch (const CFileException& e) {
        return CFileError::FromException(e, MB_ICONSTOP);
    }
    return ReadBytes(std::move(bytes), path, choice);
}

std::optional<CFileError> CCsvImportFile::ReadBytes(std::string bytes, const std::string& path,
                                                    CsvEncoding choice) {
    Clear();
    m_refusal = CsvRefusal::None;
    m_bytes = std::move(bytes);
    const std::string_view all = m_bytes;

    // Text holds no zero bytes; UTF-16 holds one in nearly every ASCII character.
    // The first is searched for alone, the quickest pass over text without one.
    const size_t zero = all.find('\0');
    const size_t zeros =
        zero == kNone ? 0 : static_cast<size_t>(std::count(all.begin() + zero, all.end(), '\0'));
    if (all.starts_with("\xFF\xFE") || all.starts_with("\xFE\xFF") ||
        (zeros > 0 && zeros * 8 >= all.size())) {
        Clear();
        m_refusal = CsvRefusal::Utf16;
        return Refusal(FileWords(path) + " は UTF-16 で書かれているため読み込めません。\n"
                                         "Shift_JIS か UTF-8 で保存し直してください。",
                       path);
    }

    const size_t bom = choice != CsvEncoding::ShiftJis && all.starts_with(kUtf8Bom) ? 3 : 0;
    std::string_view text = all.substr(bom);
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
        m_nRefusedLine = LineOf(all, bad);
        Clear();
        m_refusal = CsvRefusal::BadByte;
        m_refusedAs = bad == zero ? choice : tried;
        return BadByte(path, m_nRefusedLine, m_refusedAs);
    }

    // UTF-8 turned into Shift_JIS as a whole when it can be; otherwise split as
    // UTF-8 and turned field by field, so that a character code page 932 cannot
    // hold is found in its own cell.
    bool utf8 = false;
    if (m_encoding == CsvEncoding::Utf8) {
        if (cp932::FromUtf8(text, m_converted.emplace())) {
            text = m_converted->view();
            std::string().swap(m_bytes);
        } else {
            m_converted.reset();
            utf8 = true;
        }
    }

    size_t openQuote = 0;
    if (!Split(text, utf8, openQuote)) {
        const int opened = LineOf(text, openQuote);
        Clear();
        m_refusal = CsvRefusal::OpenQuote;
        m_nRefusedLine = opened;
        return Refusal(FileWords(path) + " の " + std::to_string(opened) +
                           " 行目で開いた引用符 (\") が閉じられていないため読み込めません。",
                       path);
    }
    return std::nullopt;
}

bool CCsvImportFile::Split(std::string_view text, bool utf8, size_t& openQuote) {
    // The text was found to be valid Shift_JIS or UTF-8, in both of which a
    // quote, a comma or a line end byte is never part of another character.
    // A record ends at CR LF, CR or LF outside quotes; a line feed inside quotes
    // becomes CR LF, and a doubled quote one quote. A quote may open in the
    // middle of a field (what came before it stays in front), and what follows
    // its closing quote up to the next comma makes a field of its own.
    ByteFinder fieldEnds(',', '"', '\r', '\n');
    ByteFinder quotedMarks('"', '\r', '\n', '"');
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    std::vector<size_t> counts; // each record's fields
    std::string quoted;
    size_t widest = 0;
    // A guess from the size, to spare most of the copies as the list grows.
    m_fields.reserve(text.size() / 16);
    AdviseHugePages(m_fields.data(), m_fields.capacity() * sizeof(std::string_view));
    for (const char* p = begin; p != end;) {
        const size_t first = m_fields.size();
        for (bool recordEnds = false; !recordEnds;) {
            const char* start = p;
            const char* q = fieldEnds.Find(p, end);
            if (q == end || *q == '\r' || *q == '\n') {
                // An empty field counts only before a comma.
                if (q != start)
                    m_fields.emplace_back(start, static_cast<size_t>(q - start));
                p = q == end ? end : q + (*q == '\r' && q + 1 != end && q[1] == '\n' ? 2 : 1);
                recordEnds = true;
            } else if (*q == ',') {
                m_fields.emplace_back(start, static_cast<size_t>(q - start));
                p = q + 1;
            } else {
                // Taken as a stretch of the text until something in it must change.
                const char* const content = q + 1;
                bool inPlace = q == start;
                quoted.assign(start, q);
                for (const char* s = content;;) {
                    const char* m = quotedMarks.Find(s, end);
                    if (m == end) {
                        openQuote = static_cast<size_t>(q - begin);
                        return false;
                    }
                    if (!inPlace)
                        quoted.append(s, m);
                    const char next = m + 1 != end ? m[1] : '\0';
                    if (*m == '\r') {
                        s = m + (next == '\n' ? 2 : 1);
                        if (!inPlace)
                            quoted.append(m, s);
                        continue;
                    }
                    if (*m == '\n' || next == '"') {
                        if (inPlace)
                            quoted.append(content, m);
                        inPlace = false;
                        quoted += *m == '\n' ? "\r\n" : "\"";
                        s = m + (*m == '\n' ? 1 : 2);
                        continue;
                    }
                    if (inPlace)
                        m_fields.emplace_back(content, static_cast<size_t>(m - content));
                    else
                        m_fields.emplace_back(m_rewritten.emplace_back(quoted));
                    p = m + (next == ',' ? 2 : 1);
                    break;
                }
            }
        }
        const size_t count = m_fields.size() - first;
        if (count == 0)
            continue; // an empty line
        counts.push_back(count);
        widest = std::max(widest, count);
        // Told while the bytes are at hand; UTF-8 fields are told once turned.
        m_records.emplace_back().blank =
            !utf8 && IsBlank(std::span(m_fields.data() + first, count));
    }

    // The fields stay where they are from here on.
    std::string character;
    CString sjis;
    for (size_t r = 0, at = 0; r < counts.size(); at += counts[r++]) {
        CsvImportRecord& record = m_records[r];
        const std::span<std::string_view> fields(m_fields.data() + at, counts[r]);
        record.fields = fields;
        if (!utf8)
            continue;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (!ConvertField(fields[i], sjis, character) && record.unstorableColumn == 0) {
                record.unstorableColumn = static_cast<int>(i) + 1;
                record.unstorable = character;
            }
            fields[i] = m_rewritten.emplace_back(sjis.str());
        }
        record.blank = IsBlank(fields);
    }
    m_nColumns = static_cast<int>(widest);
    return true;
}

size_t CsvFirstBadShiftJis(std::string_view text, bool widest) {
    return FirstBadShiftJis(text, widest);
}
