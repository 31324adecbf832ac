#include "transfer/ExportLayout.h"

#include "res/AppStrings.h"
#include "transfer/FieldNumbers.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KOLVANE_EXPORT_SSE2
#endif

namespace {

// The names of fields 0 to 15 follow in order.
constexpr UINT IDS_EXPORT_FIELD_NAMES = 222;

BOOL IsExportField(int field) {
    return field >= 0 && field < EXPORT_FIELD_COUNT;
}

// A number of the settings as the C library's atoi reads it (leading blanks
// skipped, no number gives 0); one that is no export field reads as -1.
int ReadFieldNumber(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    return value >= 0 && value < EXPORT_FIELD_COUNT ? static_cast<int>(value) : -1;
}

// Whether a byte is a quote or a line end, which AppendQuoted must write in
// another form.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> special{};
    special['"'] = special['\r'] = special['\n'] = true;
    return special;
}();

// The first quote or line end of [p, end), or end.
const char* FindSpecial(const char* p, const char* end) {
#ifdef KOLVANE_EXPORT_SSE2
    const __m128i quote = _mm_set1_epi8('"'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits = _mm_or_si128(
            _mm_cmpeq_epi8(x, quote), _mm_or_si128(_mm_cmpeq_epi8(x, cr), _mm_cmpeq_epi8(x, lf)));
        if (const int mask = _mm_movemask_epi8(hits))
            return p + std::countr_zero(static_cast<unsigned>(mask));
    }
#endif
    // Eight bytes at a time: a byte equal to b leaves its top bit in
    // hasByte(word, b), and the lowest such bit always marks the first.
    constexpr uint64_t kOnes = 0x0101010101010101u, kTops = 0x8080808080808080u;
    const auto hasByte = [](uint64_t word, char b) {
        const uint64_t x = word ^ (kOnes * static_cast<unsigned char>(b));
        return (x - kOnes) & ~x & kTops;
    };
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 8; p += 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            const uint64_t hits = hasByte(word, '"') | hasByte(word, '\r') | hasByte(word, '\n');
            if (hits)
                return p + std::countr_zero(hits) / 8;
        }
    }
    while (p < end && !kSpecial[static_cast<unsigned char>(*p)])
        ++p;
    return p;
}

// How many quotes and line end bytes [p, p + n) holds.
size_t CountSpecial(const char* p, size_t n) {
    const char* const end = p + n;
    size_t count = 0;
#ifdef KOLVANE_EXPORT_SSE2
    const __m128i quote = _mm_set1_epi8('"'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    // Each of the sixteen lanes counts up to 255 hits before they are added up.
    while (end - p >= 16) {
        __m128i lanes = zero;
        for (int chunk = 0; chunk < 255 && end - p >= 16; ++chunk, p += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hits =
                _mm_or_si128(_mm_cmpeq_epi8(x, quote),
                             _mm_or_si128(_mm_cmpeq_epi8(x, cr), _mm_cmpeq_epi8(x, lf)));
            lanes = _mm_sub_epi8(lanes, hits);
        }
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        count += static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
#endif
    for (; p < end; ++p)
        count += kSpecial[static_cast<unsigned char>(*p)] ? 1 : 0;
    return count;
}

// Appends a value between quotes, each quote doubled, each line break made
// CR LF, or one blank under convCR. Runs without quotes or line breaks go in
// whole.
void AppendQuoted(std::string& line, std::string_view value, int convCR) {
    line += '"';
    const char* p = value.data();
    const char* const end = p + value.size();
    for (;;) {
        const char* stop = FindSpecial(p, end);
        line.append(p, stop);
        if (stop == end)
            break;
        p = stop + 1;
        const char ch = *stop;
        if (ch == '"')
            line += "\"\"";
        else if (ch == '\n' || (ch == '\r' && p != end && *p == '\n')) {
            if (ch == '\r')
                ++p;
            line += convCR ? " " : "\r\n";
        } else {
            line += ch;
        }
    }
    line += '"';
}

// Copies n bytes; most values are short, and a call of memcpy costs more
// than their copy.
inline char* CopyBytes(char* out, const char* text, size_t n) {
    if (n >= 8 && n <= 16) {
        uint64_t head, tail;
        std::memcpy(&head, text, 8);
        std::memcpy(&tail, text + n - 8, 8);
        std::memcpy(out, &head, 8);
        std::memcpy(out + n - 8, &tail, 8);
    } else if (n < 8) {
        for (size_t i = 0; i < n; ++i)
            out[i] = text[i];
    } else {
        std::memcpy(out, text, n);
    }
    return out + n;
}

// The card's text for an export field; nullptr for a number that is none.
inline const CString* CardValue(const CAddrCard& card, int field) {
    static const CString kEmpty;
    switch (field) {
    case 0:
        return &card.m_strName;
    case 1:
        return &card.m_strFurigana;
    case 2:
        return &card.m_strTitle;
    case 3:
        return &card.m_strCompany;
    case 4:
        return &card.m_strZip;
    case 5:
        return &card.m_strAddress;
    case 14:
        return &card.m_strOther;
    case 15:
        return &card.m_strNotes;
    default:
        if (field >= EXPORT_FIRST_CONTACT && field < EXPORT_FIRST_CONTACT + EXPORT_CONTACTS) {
            const auto& entries = card.m_contacts.Entries();
            const auto index = static_cast<size_t>(field - EXPORT_FIRST_CONTACT);
            return index < entries.size() ? &entries[index].strText : &kEmpty;
        }
        return nullptr;
    }
}

} // namespace

void CExportLayout::SetFieldCount(int count) {
    m_fields.assign(static_cast<size_t>(count > 0 ? count : 0), -1);
}

void CExportLayout::SetField(int position, int field) {
    if (position >= 0 && position < GetFieldCount())
        m_fields[static_cast<size_t>(position)] = field;
}

CString CExportLayout::GetFieldName(int field) const {
    if (!IsExportField(field))
        return CString();
    return LoadAppString(IDS_EXPORT_FIELD_NAMES + static_cast<UINT>(field));
}

CString CExportLayout::GetFieldTitle(int position) const {
    if (position < 0 || position >= GetFieldCount())
        return CString();
    return GetFieldName(m_fields[static_cast<size_t>(position)]);
}

const CString* CExportLayout::FieldValue(const CAddrCard& card, int field) {
    return CardValue(card, field);
}

void CExportLayout::AppendLine(const CAddrCard& card, std::string& line) const {
    // Most lines are every value between quotes as it stands: written so at
    // once, and kept when their only quotes and line breaks are those around
    // the values and at the end. Else the line is written again from the first
    // value that holds one of its own, most often the last.
    const size_t start = line.size();
    std::array<const CString*, 32> values;
    std::array<size_t, 32> closes; // where each value's closing quote went
    size_t count = 0, length = 2;
    bool many = false;
    for (const int field : m_fields) {
        const CString* value = CardValue(card, field);
        if (!value)
            continue;
        if (count == values.size()) {
            many = true;
            break;
        }
        values[count++] = value;
        length += static_cast<size_t>(value->GetLength()) + 3;
    }
    size_t from = 0; // the first value written again
    if (!many) {
        length -= count == 0 ? 0 : 1;
        line.resize(start + length);
        char* const base = line.data() + start;
        char* out = base;
        for (size_t k = 0; k < count; ++k) {
            if (k != 0)
                *out++ = ',';
            *out++ = '"';
            out =
                CopyBytes(out, values[k]->GetString(), static_cast<size_t>(values[k]->GetLength()));
            closes[k] = static_cast<size_t>(out - base);
            *out++ = '"';
        }
        *out++ = '\r';
        *out = '\n';
        if (CountSpecial(base, length) == 2 * count + 2)
            return;
        // The quotes around each value come in order; the first other mark
        // lies inside a value.
        const char* const end = base + length;
        for (const char* p = base; from < count;) {
            const char* const mark = FindSpecial(p, end);
            const size_t at = static_cast<size_t>(mark - base);
            if (at == closes[from])
                ++from;
            else if (at != closes[from] - static_cast<size_t>(values[from]->GetLength()) - 1)
                break;
            p = mark + 1;
        }
        if (from == count)
            from = 0;
        line.resize(start + closes[from] - static_cast<size_t>(values[from]->GetLength()) - 1);
        for (size_t k = from; k < count; ++k) {
            if (k != from)
                line += ',';
            AppendQuoted(line, values[k]->view(), m_nConvCR);
        }
        line += "\r\n";
        return;
    }

    line.resize(start);
    bool first = true;
    for (const int field : m_fields) {
        const CString* value = CardValue(card, field);
        if (!value)
            continue;
        if (!first)
            line += ',';
        first = false;
        AppendQuoted(line, value->view(), m_nConvCR);
    }
    line += "\r\n";
}

CString CExportLayout::MakeLine(const CAddrCard& card) const {
    std::string line;
    AppendLine(card, line);
    return CString(line);
}

void CExportLayout::LoadSettings(const ISettingsStore& store, const char* section) {
    SetName(store.GetProfileString(section, "LayoutName", ""));
    m_nConvCR = store.GetProfileInt(section, "ConvCR", 1);
    const CString text = store.GetProfileString(section, "Fields", "");
    if (text.IsEmpty())
        return;
    std::vector<int> fields;
    int start = 0;
    for (;;) {
        const int comma = text.Find(',', start);
        const CString piece = comma < 0 ? text.Mid(start) : text.Mid(start, comma - start);
        fields.push_back(ReadFieldNumber(piece));
        if (comma < 0)
            break;
        start = comma + 1;
    }
    m_fields = std::move(fields);
}

void CExportLayout::SaveSettings(ISettingsStore& store, const char* section) const {
    store.WriteProfileString(section, "LayoutName", GetName());
    store.WriteProfileInt(section, "ConvCR", m_nConvCR);
    CString text;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        CString number;
        number.Format(i == 0 ? "%d" : ",%d", m_fields[i]);
        text += number;
    }
    store.WriteProfileString(section, "Fields", text);
}

std::optional<CFileError> CExportLayout::ReadBody(CFile* file) {
    m_fields = transferio::ReadFieldNumbers(file, 0, EXPORT_FIELD_COUNT - 1);
    return std::nullopt;
}

void CExportLayout::WriteBody(CFile* file) const {
    transferio::WriteFieldNumbers(file, m_fields);
}
