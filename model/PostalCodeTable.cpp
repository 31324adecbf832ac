#include "model/PostalCodeTable.h"

#include "platform/CodePage.h"
#include "res/AppStrings.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The shipped table is about 7.7 MB of text and 1.6 MB compressed; these
// bounds leave room for many years of growth and stop a damaged file early.
constexpr size_t kMaxFileBytes = 64u << 20;
constexpr size_t kMaxTextBytes = 256u << 20;
constexpr UINT IDS_POSTAL_TABLE_DAMAGED = 430;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The address text the check compares: blanks and line breaks dropped, full-
// width digits as ASCII, the hyphens － and ‐ as '-' (ー is a letter of names
// and stays). Shift_JIS in and out. The table's prefectures and cities hold
// none of these, so they are compared as they are.
std::string FoldForCheck(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size());
    for (size_t i = 0; i < sjis.size(); ++i) {
        const auto c = static_cast<unsigned char>(sjis[i]);
        if (!IsLead(c) || i + 1 == sjis.size()) {
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                out += static_cast<char>(c);
            continue;
        }
        const auto t = static_cast<unsigned char>(sjis[++i]);
        if (c == 0x81 && t == 0x40) // full-width space
            continue;
        if (c == 0x82 && t >= 0x4F && t <= 0x58)
            out += static_cast<char>('0' + (t - 0x4F));
        else if (c == 0x81 && (t == 0x7C || t == 0x5D))
            out += '-';
        else {
            out += static_cast<char>(c);
            out += static_cast<char>(t);
        }
    }
    return out;
}

// The city without its 郡 ("桑名郡木曽岬町" → "木曽岬町"); empty when it has none.
std::string_view WithoutGun(std::string_view city) {
    static const std::string gun = [] {
        CString s;
        cp932::FromUtf8("郡", s);
        return std::string(s.view());
    }();
    // Step by characters so that a trail byte is never taken for a lead byte.
    for (size_t i = 0; i < city.size();) {
        if (city.compare(i, gun.size(), gun) == 0)
            return i + gun.size() < city.size() ? city.substr(i + gun.size()) : std::string_view();
        i += IsLead(static_cast<unsigned char>(city[i])) ? 2 : 1;
    }
    return {};
}

bool ReadFile(const std::string& path, std::string& bytes, int& osError) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        osError = errno;
        return false;
    }
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (bytes.size() + got > kMaxFileBytes)
            return false;
        bytes.append(buffer, got);
    }
    return !std::ferror(file.get());
}

// The text of a gzip stream, or the bytes as they are when they are no gzip.
bool Inflate(std::string& bytes) {
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0x1F ||
        static_cast<unsigned char>(bytes[1]) != 0x8B)
        return true;
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return false;
    std::string text;
    text.resize(bytes.size() * 6);
    stream.next_in = reinterpret_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    int status = Z_OK;
    while (status == Z_OK) {
        if (stream.total_out == text.size()) {
            if (text.size() >= kMaxTextBytes)
                break;
            text.resize(std::min(text.size() * 2, kMaxTextBytes));
        }
        stream.next_out = reinterpret_cast<Bytef*>(text.data() + stream.total_out);
        stream.avail_out = static_cast<uInt>(text.size() - stream.total_out);
        status = inflate(&stream, Z_NO_FLUSH);
    }
    const bool done = status == Z_STREAM_END && stream.avail_in == 0;
    text.resize(stream.total_out);
    inflateEnd(&stream);
    if (done)
        bytes = std::move(text);
    return done;
}

} // namespace

CString CPostalRow::Address() const {
    CString out = strPrefecture;
    out += strCity;
    out += strTown;
    out += strBlock;
    return out;
}

std::string NormalizePostalCode(std::string_view sjis) {
    // Worked on the Shift_JIS bytes: a lookup costs no conversion.
    std::string digits;
    for (size_t i = 0; i < sjis.size(); ++i) {
        const auto c = static_cast<unsigned char>(sjis[i]);
        if (c >= '0' && c <= '9') {
            digits += static_cast<char>(c);
        } else if (IsLead(c) && i + 1 < sjis.size()) {
            const auto t = static_cast<unsigned char>(sjis[++i]);
            if (c == 0x82 && t >= 0x4F && t <= 0x58)
                digits += static_cast<char>('0' + (t - 0x4F));
            else if (c == 0x81 && t == 0xA7 && digits.empty()) // 〒
                continue;
            else if (c != 0x81 || (t != 0x7C && t != 0x5D && t != 0x5B && t != 0x40)) // － ‐ ー 　
                return {};
        } else if (c != '-' && c != ' ') {
            return {};
        }
        if (digits.size() > 7)
            return {};
    }
    return digits.size() == 7 ? digits : std::string();
}

CPostalCodeTable::CPostalCodeTable(std::string path) : m_strPath(std::move(path)) {}

std::optional<CFileError> CPostalCodeTable::Load() {
    if (m_bTried)
        return m_error;
    m_bTried = true;
    std::string bytes;
    int osError = 0;
    if (!ReadFile(m_strPath, bytes, osError)) {
        if (osError != 0)
            m_error = CFileError::FromCause(osError == ENOENT ? CFileException::fileNotFound
                                                              : CFileException::genericException,
                                            osError, m_strPath, MB_ICONSTOP);
        else
            m_error = CFileError::FromMessage(IDS_POSTAL_TABLE_DAMAGED, AppStrings(), m_strPath,
                                              MB_ICONSTOP);
        return m_error;
    }
    if (!Inflate(bytes))
        m_error =
            CFileError::FromMessage(IDS_POSTAL_TABLE_DAMAGED, AppStrings(), m_strPath, MB_ICONSTOP);
    else
        m_error = Parse(std::move(bytes));
    m_bLoaded = !m_error;
    if (!m_bLoaded) {
        m_index = {};
        m_text = {};
    }
    return m_error;
}

std::optional<CFileError> CPostalCodeTable::Parse(std::string&& utf8) {
    const auto damaged = [this] {
        return CFileError::FromMessage(IDS_POSTAL_TABLE_DAMAGED, AppStrings(), m_strPath,
                                       MB_ICONSTOP);
    };
    // Tabs and line breaks are single bytes in both encodings and never a
    // trail byte of Shift_JIS, so the rows split the same after converting.
    CString sjis;
    if (!cp932::FromUtf8(utf8, sjis))
        return damaged();
    utf8 = {};
    m_text.assign(sjis.view());
    const std::string_view text(m_text);

    size_t pos = text.find('\n');
    const std::string_view header = text.substr(0, pos);
    constexpr std::string_view kTag = "#source\t";
    if (pos == std::string_view::npos || header.substr(0, kTag.size()) != kTag)
        return damaged();
    const std::string_view info = header.substr(kTag.size());
    const size_t tab = info.find('\t');
    m_strSource = std::string(info.substr(0, tab));
    m_strDataDate =
        tab == std::string_view::npos ? std::string() : std::string(info.substr(tab + 1));

    m_index.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    bool sorted = true;
    for (++pos; pos < text.size();) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        // code, prefecture, city, town[, block, office]
        std::string_view fields[7];
        size_t count = 0;
        for (std::string_view rest = line; count < 7;) {
            const size_t next = rest.find('\t');
            fields[count++] = rest.substr(0, next);
            if (next == std::string_view::npos)
                break;
            rest.remove_prefix(next + 1);
        }
        if ((count != 4 && count != 6) || fields[0].size() != 7 ||
            !std::all_of(fields[0].begin(), fields[0].end(), IsDigit) || fields[1].empty() ||
            fields[2].empty())
            return damaged();
        if (pos > UINT32_MAX - 8)
            return damaged();
        uint32_t code = 0;
        for (int i = 0; i < 7; ++i)
            code = code * 10 + static_cast<uint32_t>(line[static_cast<size_t>(i)] - '0');
        if (!m_index.empty() && code < m_index.back().code)
            sorted = false;
        m_index.push_back({code, static_cast<uint32_t>(pos + 8)});
        pos = end + 1;
    }
    if (!sorted)
        std::stable_sort(m_index.begin(), m_index.end(),
                         [](const Entry& a, const Entry& b) { return a.code < b.code; });
    return std::nullopt;
}

CPostalCodeTable::RowView CPostalCodeTable::ViewAt(uint32_t offset) const {
    RowView row;
    std::string_view rest(m_text);
    rest.remove_prefix(offset);
    rest = rest.substr(0, rest.find('\n'));
    for (std::string_view& field : row.field) {
        const size_t tab = rest.find('\t');
        field = rest.substr(0, tab);
        rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    }
    return row;
}

std::pair<const CPostalCodeTable::Entry*, const CPostalCodeTable::Entry*>
CPostalCodeTable::Range(std::string_view code) {
    const std::string digits = NormalizePostalCode(code);
    if (digits.empty() || Load())
        return {nullptr, nullptr};
    Entry key{0, 0};
    for (const char d : digits)
        key.code = key.code * 10 + static_cast<uint32_t>(d - '0');
    const auto [first, last] =
        std::equal_range(m_index.begin(), m_index.end(), key,
                         [](const Entry& a, const Entry& b) { return a.code < b.code; });
    return {m_index.data() + (first - m_index.begin()), m_index.data() + (last - m_index.begin())};
}

std::vector<CPostalRow> CPostalCodeTable::Find(std::string_view code) {
    std::vector<CPostalRow> rows;
    const auto [first, last] = Range(code);
    for (const Entry* e = first; e != last; ++e) {
        const RowView v = ViewAt(e->offset);
        rows.push_back({CString(v.field[0]), CString(v.field[1]), CString(v.field[2]),
                        CString(v.field[3]), CString(v.field[4])});
    }
    return rows;
}

CPostalCodeTable::Check CPostalCodeTable::CheckAddress(std::string_view code,
                                                       std::string_view address) {
    if (FoldForCheck(code).empty())
        return Check::kNoCode;
    const auto [first, last] = Range(code);
    if (first == last)
        return Check::kUnknown;
    const std::string folded = FoldForCheck(address);
    const auto startsWith = [&folded](std::string_view a, std::string_view b) {
        return folded.size() >= a.size() + b.size() && folded.compare(0, a.size(), a) == 0 &&
               folded.compare(a.size(), b.size(), b) == 0;
    };
    for (const Entry* e = first; e != last; ++e) {
        const RowView v = ViewAt(e->offset);
        const std::string_view pref = v.field[0];
        const std::string_view city = v.field[1];
        const std::string_view withoutGun = WithoutGun(city);
        if (startsWith(pref, city) || startsWith({}, city) ||
            (!withoutGun.empty() && (startsWith(pref, withoutGun) || startsWith({}, withoutGun))))
            return Check::kPlausible;
    }
    return Check::kMismatch;
}
