#include "transfer/VCardWriter.h"

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/MbChar.h"
#include "res/AppStrings.h"
#include "transfer/VCardShared.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace {

using namespace vcard;

constexpr size_t kFoldOctets = 75;
constexpr size_t kQuotedLine = 76;

// The text split at its first blank (ASCII or ideographic): family, given.
std::pair<std::string, std::string> SplitAtBlank(std::string_view s, bool atLast) {
    size_t cut = std::string_view::npos, width = 0;
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t len = mb::IsLeadByte(c) && i + 1 < s.size() ? 2 : 1;
        const bool blank =
            c == ' ' || (len == 2 && c == 0x81 && static_cast<unsigned char>(s[i + 1]) == 0x40);
        if (blank && (cut == std::string_view::npos || atLast)) {
            cut = i;
            width = len;
        }
        i += len;
    }
    if (cut == std::string_view::npos)
        return {std::string(s), std::string()};
    std::string before(s.substr(0, cut)), after(s.substr(cut + width));
    if (atLast)
        return {after, before};
    return {before, after};
}

bool IsPlainAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x7F || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

class CWriter {
public:
    CWriter(const CContactMethodTable& methods, VCardVersion version, std::string& out)
        : m_methods(methods), m_version(version), m_out(out) {
        for (Kind kind : {Kind::Phone, Kind::Fax, Kind::Cell, Kind::Pager, Kind::Mail, Kind::Web,
                          Kind::Handle}) {
            const MethodNames names = StandardMethodNames(kind);
            m_standard[static_cast<size_t>(kind)] = {LoadAppString(names.japanese),
                                                     LoadAppString(names.english)};
        }
    }

    void Card(const CAddrCard& card);

private:
    // A property of text components (Shift_JIS), escaped and encoded for the version.
    void Property(std::string_view name, std::initializer_list<std::string_view> components);
    void Escape(std::string_view component, std::string& value) const;
    void Fold(std::string_view line);
    void QuotedPrintable(std::string_view name, std::string_view value);
    std::optional<Kind> KindOf(int methodId, std::string& label, bool japanese) const;

    const CContactMethodTable& m_methods;
    VCardVersion m_version;
    std::string& m_out;
    std::array<std::pair<CString, CString>, 7> m_standard;
};

// 3.0 and 4.0 escape \ , ; and line breaks; 2.1 escapes \ and ; and keeps line
// breaks, which quoted-printable carries. Walked by character, so the second
// byte of a double-byte character is never escaped.
void CWriter::Escape(std::string_view s, std::string& value) const {
    const bool v21 = m_version == VCardVersion::V21;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (mb::IsLeadByte(c) && i + 1 < s.size()) {
            value += s.substr(i, 2);
            ++i;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            value += v21 ? "\r\n" : "\\n";
        } else if (c == '\\' || c == ';' || (c == ',' && !v21)) {
            value += '\\';
            value += static_cast<char>(c);
        } else {
            value += static_cast<char>(c);
        }
    }
}

void CWriter::Fold(std::string_view line) {
    size_t limit = kFoldOctets;
    while (line.size() > limit) {
        size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        m_out += line.substr(0, cut);
        m_out += "\r\n ";
        line.remove_prefix(cut);
        limit = kFoldOctets - 1;
    }
    m_out += line;
    m_out += "\r\n";
}

// Every byte encoded, so that no double-byte character is cut at a soft break
// and no 0x5C second byte stands where a reader looks for escapes.
void CWriter::QuotedPrintable(std::string_view name, std::string_view value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    size_t start = m_out.size();
    m_out += name;
    for (char c : value) {
        if (m_out.size() - start + 3 + 1 > kQuotedLine) {
            m_out += "=\r\n";
            start = m_out.size();
        }
        const auto b = static_cast<unsigned char>(c);
        m_out += '=';
        m_out += kHex[b >> 4];
        m_out += kHex[b & 15];
    }
    m_out += "\r\n";
}

void CWriter::Property(std::string_view name, std::initializer_list<std::string_view> components) {
    std::string value;
    bool firstComponent = true;
    for (std::string_view component : components) {
        if (!firstComponent)
            value += ';';
        firstComponent = false;
        Escape(component, value);
    }
    if (m_version == VCardVersion::V21) {
        if (IsPlainAscii(value)) {
            m_out.append(name).append(":").append(value).append("\r\n");
            return;
        }
        QuotedPrintable(std::string(name) + ";CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:", value);
        return;
    }
    Fold(std::string(name) + ":" + cp932::ToUtf8Lossy(value));
}

std::optional<Kind> CWriter::KindOf(int methodId, std::string& label, bool japanese) const {
    CString ja, en;
    m_methods.Get(methodId, ja, en);
    for (size_t k = 0; k < m_standard.size(); ++k)
        if ((!ja.IsEmpty() && ja == m_standard[k].first) ||
            (!en.IsEmpty() && en == m_standard[k].second))
            return static_cast<Kind>(k);
    label = (japanese ? ja : en).str();
    if (label.empty())
        label = (japanese ? en : ja).str();
    return std::nullopt;
}

void CWriter::Card(const CAddrCard& card) {
    const bool v21 = m_version == VCardVersion::V21, v40 = m_version == VCardVersion::V40;
    const bool english = card.IsEnglish();
    m_out += "BEGIN:VCARD\r\n";
    m_out += v21 ? "VERSION:2.1\r\n" : v40 ? "VERSION:4.0\r\n" : "VERSION:3.0\r\n";

    const auto [family, given] = SplitAtBlank(card.m_strName.view(), english);
    const auto [readingFamily, readingGiven] = SplitAtBlank(card.m_strFurigana.view(), false);
    const bool hasName = !card.m_strName.IsEmpty();
    std::string nName = "N";
    if (v40 && hasName && !card.m_strFurigana.IsEmpty()) {
        std::string sortAs = cp932::ToUtf8Lossy(readingFamily);
        if (!readingGiven.empty())
            (sortAs += ',') += cp932::ToUtf8Lossy(readingGiven);
        std::erase(sortAs, '"');
        ((nName += ";SORT-AS=\"") += sortAs) += '"';
    }
    Property(nName, {family, given, "", "", ""});

    std::string_view fn = card.m_strName.view();
    if (fn.empty())
        fn = card.m_strCompany.view();
    for (const AddrContact& contact : card.m_contacts.Entries())
        if (fn.empty())
            fn = contact.strText.view();
    if (fn.empty())
        fn = card.m_strFurigana.view();
    Property("FN", {fn});

    if (!card.m_strFurigana.IsEmpty()) {
        if (hasName) {
            Property("X-PHONETIC-LAST-NAME", {readingFamily});
            if (!readingGiven.empty())
                Property("X-PHONETIC-FIRST-NAME", {readingGiven});
        } else {
            Property("X-PHONETIC-ORG", {card.m_strFurigana.view()});
        }
        if (m_version == VCardVersion::V30)
            Property("SORT-STRING", {card.m_strFurigana.view()});
        else if (v21)
            Property("SOUND;X-IRMC-N", {card.m_strFurigana.view(), "", "", "", ""});
    }

    if (english) {
        if (!card.m_strCompany.IsEmpty())
            Property("ORG", {card.m_strCompany.view()});
        if (!card.m_strTitle.IsEmpty())
            Property("TITLE", {card.m_strTitle.view()});
    } else if (!card.m_strCompany.IsEmpty() || !card.m_strTitle.IsEmpty()) {
        if (card.m_strTitle.IsEmpty())
            Property("ORG", {card.m_strCompany.view()});
        else
            Property("ORG", {card.m_strCompany.view(), card.m_strTitle.view()});
    }
    if (!card.m_strAddress.IsEmpty() || !card.m_strZip.IsEmpty())
        Property("ADR", {"", "", card.m_strAddress.view(), "", "", card.m_strZip.view(), ""});

    int item = 0;
    for (const AddrContact& contact : card.m_contacts.Entries()) {
        if (contact.strText.IsEmpty())
            continue;
        std::string label;
        const std::optional<Kind> kind = KindOf(contact.nMethodId, label, !english);
        const std::string_view text = contact.strText.view();
        if (kind) {
            static constexpr std::string_view k21[] = {"TEL;VOICE", "TEL;FAX",        "TEL;CELL",
                                                       "TEL;PAGER", "EMAIL;INTERNET", "URL",
                                                       "NICKNAME"};
            static constexpr std::string_view k30[] = {
                "TEL;TYPE=VOICE", "TEL;TYPE=FAX", "TEL;TYPE=CELL", "TEL;TYPE=PAGER",
                "EMAIL",          "URL",          "NICKNAME"};
            Property((v21 ? k21 : k30)[static_cast<size_t>(*kind)], {text});
            continue;
        }
        const bool mail =
            text.find('@') != std::string_view::npos && text.find(' ') == std::string_view::npos;
        const bool url = text.find("://") != std::string_view::npos || text.starts_with("www.");
        const std::string_view property = mail ? "EMAIL" : url ? "URL" : "TEL";
        if (label.empty()) {
            Property(property, {text});
            continue;
        }
        const std::string group = "item" + std::to_string(++item) + ".";
        Property(group + std::string(property), {text});
        Property(group + "X-ABLabel", {label});
    }

    std::string note(card.m_strOther.view());
    if (!card.m_strNotes.IsEmpty()) {
        if (!note.empty())
            note += "\r\n\r\n";
        note += card.m_strNotes.view();
    }
    if (!note.empty())
        Property("NOTE", {note});
    if (!card.m_strNotes.IsEmpty())
        Property("X-KOLVANE-MEMO", {card.m_strNotes.view()});
    if (card.IsJapanese() || english)
        m_out += english ? "X-KOLVANE-NOTATION:en\r\n" : "X-KOLVANE-NOTATION:ja\r\n";
    m_out += "END:VCARD\r\n";
}

} // namespace

std::string WriteVCards(std::span<const CAddrCard* const> cards, const CContactMethodTable& methods,
                        VCardVersion version) {
    std::string out;
    CWriter writer(methods, version, out);
    for (const CAddrCard* card : cards)
        writer.Card(*card);
    return out;
}

std::optional<CFileError> ExportVCards(const char* path, std::span<const CAddrCard* const> cards,
                                       const CContactMethodTable& methods, VCardVersion version,
                                       int& written) {
    written = 0;
    const std::string bytes = WriteVCards(cards, methods, version);
    CAtomicFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite, &error))
        return CFileError::FromException(error, MB_OK | MB_ICONSTOP);
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Commit();
    } catch (const CFileException& e) {
        file.Abort();
        return CFileError::FromException(e, MB_OK | MB_ICONSTOP);
    }
    written = static_cast<int>(cards.size());
    return std::nullopt;
}
