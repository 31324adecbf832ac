#include "transfer/VCardReader.h"

#include "platform/CodePage.h"
#include "platform/MbChar.h"
#include "res/AppStrings.h"
#include "transfer/KanaNormalise.h"
#include "transfer/VCardShared.h"

#include <algorithm>
#include <set>

namespace {

using namespace vcard;

// New methods one file may add; a hostile file must not grow the table without end.
constexpr int kMaxNewMethods = 50;

constexpr std::string_view kCrLf = "\r\n";

struct Param {
    std::string name;  // upper case
    std::string value; // as written, quotes removed
};

struct RawProperty {
    int line = 0;
    std::string group; // upper case
    std::string name;  // upper case
    std::vector<Param> params;
    std::string value; // bytes as written
};

enum class Charset { Utf8, Cp932, Jis };

// ---- bytes -------------------------------------------------------------------

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool ContainsNoCase(std::string_view text, std::string_view word) {
    for (size_t i = 0; i + word.size() <= text.size(); ++i)
        if (EqualsNoCase(text.substr(i, word.size()), word))
            return true;
    return false;
}

// Length of the valid UTF-8 sequence at i, or 0 when the bytes there are none.
size_t ValidUtf8At(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80)
        return 1;
    size_t len = 0;
    char32_t min = 0;
    if (c >= 0xC2 && c <= 0xDF)
        len = 2, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF)
        len = 3, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4)
        len = 4, min = 0x10000;
    else
        return 0;
    if (i + len > s.size())
        return 0;
    char32_t code = c & (0x7F >> len);
    for (size_t k = 1; k < len; ++k) {
        const auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (t & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return len;
}

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const size_t len = ValidUtf8At(s, i);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 after its byte-order mark as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view s, bool bigEndian) {
    std::string out;
    out.reserve(s.size());
    const auto unit = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (size_t i = 0; i + 1 < s.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < s.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "=XX" becomes the byte; an "=" that starts no such pair stays as it is.
std::string DecodeQuotedPrintable(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '=' && i + 2 < s.size()) {
            const int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi << 4 | lo);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// Characters outside the alphabet (blanks of folded lines, padding) are skipped.
std::string DecodeBase64(std::string_view s) {
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : s) {
        int v = -1;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        if (v < 0)
            continue;
        bits = (bits << 6 | static_cast<unsigned>(v)) & 0xFFFFFF;
        if ((count += 6) >= 8) {
            count -= 8;
            out += static_cast<char>(bits >> count & 0xFF);
        }
    }
    return out;
}

// ISO-2022-JP as Shift_JIS bytes (JIS X 0208 rows moved arithmetically).
std::string JisToSjis(std::string_view s) {
    enum { Ascii, Kanji, Kana } mode = Ascii;
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\x1B' && i + 2 < s.size()) {
            const std::string_view esc = s.substr(i + 1, 2);
            if (esc == "$B" || esc == "$@")
                mode = Kanji;
            else if (esc == "(B" || esc == "(J")
                mode = Ascii;
            else if (esc == "(I")
                mode = Kana;
            i += 2;
            continue;
        }
        const auto c = static_cast<unsigned char>(s[i]);
        if (mode == Kanji && c >= 0x21 && c <= 0x7E && i + 1 < s.size()) {
            const auto c2 = static_cast<unsigned char>(s[++i]);
            out += static_cast<char>(((c + 1) >> 1) + (c <= 0x5E ? 0x70 : 0xB0));
            out += static_cast<char>(c2 + ((c & 1) ? (c2 >= 0x60 ? 0x20 : 0x1F) : 0x7E));
        } else if (mode == Kana && c >= 0x21 && c <= 0x5F) {
            out += static_cast<char>(c | 0x80);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// ---- lines and properties ---------------------------------------------------

struct LogicalLine {
    int line = 0;
    std::string text;
    bool quotedPrintable = false;
};

// The part before the first colon outside quotes names quoted-printable.
bool NamesQuotedPrintable(std::string_view text) {
    bool quoted = false;
    size_t end = 0;
    for (; end < text.size(); ++end) {
        if (text[end] == '"')
            quoted = !quoted;
        else if (text[end] == ':' && !quoted)
            break;
    }
    return ContainsNoCase(text.substr(0, end), "QUOTED-PRINTABLE");
}

// Physical lines (CR LF, LF or CR) joined: a line beginning with a blank or a
// tab continues the one before, as does any line after a quoted-printable line
// ending in "=".
std::vector<LogicalLine> Unfold(std::string_view bytes) {
    std::vector<LogicalLine> lines;
    int number = 0;
    for (size_t pos = 0; pos < bytes.size();) {
        size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const std::string_view physical = bytes.substr(pos, end - pos);
        ++number;
        pos = end;
        if (pos < bytes.size())
            pos += bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? 2 : 1;

        LogicalLine* last = lines.empty() ? nullptr : &lines.back();
        if (last && last->quotedPrintable && !last->text.empty() && last->text.back() == '=') {
            last->text.pop_back();
            last->text += physical;
        } else if (last && !physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
            last->text += physical.substr(1);
        } else if (physical.find_first_not_of(" \t") == std::string_view::npos) {
            // A blank line ends the line before; the next one starts anew.
            if (last && !last->text.empty())
                lines.push_back({number, std::string(), false});
        } else {
            if (last && last->text.empty())
                lines.pop_back();
            lines.push_back({number, std::string(physical), NamesQuotedPrintable(physical)});
        }
    }
    if (!lines.empty() && lines.back().text.empty())
        lines.pop_back();
    return lines;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool IsEncodingWord(std::string_view word) {
    return EqualsNoCase(word, "QUOTED-PRINTABLE") || EqualsNoCase(word, "BASE64") ||
           EqualsNoCase(word, "B") || EqualsNoCase(word, "8BIT") || EqualsNoCase(word, "7BIT");
}

// group.NAME;PARAM=value;BARE:value, split on bytes; false without a colon.
bool ParseProperty(const LogicalLine& line, RawProperty& property) {
    const std::string_view s = line.text;
    property.line = line.line;
    size_t i = 0;
    while (i < s.size() && s[i] != ';' && s[i] != ':')
        ++i;
    const std::string_view fullName = s.substr(0, i);
    const size_t dot = fullName.rfind('.');
    if (dot != std::string_view::npos) {
        property.group = Upper(fullName.substr(0, dot));
        property.name = Upper(fullName.substr(dot + 1));
    } else {
        property.name = Upper(fullName);
    }
    while (i < s.size() && s[i] == ';') {
        ++i;
        const size_t start = i;
        while (i < s.size() && s[i] != '=' && s[i] != ';' && s[i] != ':')
            ++i;
        const std::string_view key = s.substr(start, i - start);
        if (i < s.size() && s[i] == '=') {
            ++i;
            std::string value;
            bool quoted = false;
            for (; i < s.size() && (quoted || (s[i] != ';' && s[i] != ':')); ++i) {
                if (s[i] == '"')
                    quoted = !quoted;
                else
                    value += s[i];
            }
            property.params.push_back({Upper(key), std::move(value)});
        } else if (!key.empty()) {
            // 2.1 writes types and encodings bare.
            property.params.push_back(
                {IsEncodingWord(key) ? "ENCODING" : "TYPE", std::string(key)});
        }
    }
    if (i >= s.size() || s[i] != ':')
        return false;
    property.value = std::string(s.substr(i + 1));
    return true;
}

const std::string* FindParam(const RawProperty& p, std::string_view name) {
    for (const Param& param : p.params)
        if (param.name == name)
            return &param.value;
    return nullptr;
}

// A TYPE parameter, one of a comma list or a repeated TYPE, names the type.
bool HasType(const RawProperty& p, std::string_view type) {
    for (const Param& param : p.params) {
        if (param.name != "TYPE")
            continue;
        std::string_view rest = param.value;
        while (!rest.empty()) {
            const size_t comma = rest.find(',');
            if (EqualsNoCase(rest.substr(0, comma), type))
                return true;
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        }
    }
    return false;
}

// ---- values -------------------------------------------------------------------

// Splits a Shift_JIS value into components at separator (0: none), undoing
// the escapes \n \, \; \\ character by character, so that the second byte of a
// double-byte character is never taken for a backslash. Line breaks become CR LF.
std::vector<std::string> Unescape(std::string_view s, char separator) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::string& part = parts.back();
        if (mb::IsLeadByte(c) && i + 1 < s.size()) {
            part += s.substr(i, 2);
            ++i;
        } else if (c == '\\' && i + 1 < s.size()) {
            const char next = s[i + 1];
            if (next == 'n' || next == 'N') {
                part += kCrLf;
                ++i;
            } else if (next == ',' || next == ';' || next == ':' || next == '\\') {
                part += next;
                ++i;
            } else {
                part += '\\';
            }
        } else if (separator != 0 && c == static_cast<unsigned char>(separator)) {
            parts.emplace_back();
        } else if (c == '\r' || c == '\n') {
            part += kCrLf;
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            part += static_cast<char>(c);
        }
    }
    return parts;
}

std::string Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    size_t from = 0, to = s.size();
    while (from < to && blank(s[from]))
        ++from;
    while (to > from && blank(s[to - 1]))
        --to;
    return std::string(s.substr(from, to - from));
}

void Join(std::string& text, std::string_view part, std::string_view separator) {
    if (part.empty())
        return;
    if (!text.empty())
        text += separator;
    text += part;
}

// The text without blanks (ASCII and the ideographic space), for comparing names.
std::string WithoutBlanks(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (mb::IsLeadByte(c) && i + 1 < s.size()) {
            if (!(c == 0x81 && static_cast<unsigned char>(s[i + 1]) == 0x40))
                out += s.substr(i, 2);
            ++i;
        } else if (c != ' ' && c != '\t') {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool HasNonAscii(std::string_view s) {
    return std::any_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Apple's own labels: the name between _$!< and >!$_.
std::optional<std::string> AppleLabel(std::string_view label) {
    if (label.size() >= 8 && label.substr(0, 4) == "_$!<" &&
        label.substr(label.size() - 4) == ">!$_")
        return std::string(label.substr(4, label.size() - 8));
    return std::nullopt;
}

// ---- the reader -----------------------------------------------------------------

class CReader {
public:
    CReader(CContactMethodTable& methods, const VCardReadOptions& options, VCardReport& report)
        : m_methods(methods), m_options(options), m_report(report) {
        for (const ContactMethod& method : methods.Entries()) {
            m_usedIds.insert(method.nId);
            if (!method.strJapanese.IsEmpty())
                m_labels.emplace(method.strJapanese.str(), method.nId);
            if (!method.strEnglish.IsEmpty())
                m_labels.emplace(method.strEnglish.str(), method.nId);
        }
    }

    void Read(std::string_view bytes, std::vector<std::unique_ptr<CAddrCard>>& cards);

private:
    CString Text(const RawProperty& p, std::string_view raw, bool encoded);
    std::string Value(const RawProperty& p) { return Text(p, p.value, true).str(); }
    std::vector<std::string> Components(const RawProperty& p, char separator = ';') {
        return Unescape(Value(p), separator);
    }
    Charset CharsetOf(const RawProperty& p);
    Charset CardCharset(const std::vector<RawProperty>& properties) const;
    void StoreUnstorable(const RawProperty& p, std::string character, std::string& out);
    std::unique_ptr<CAddrCard> MakeCard(std::vector<RawProperty>& properties);
    int MethodOf(Kind kind, bool japanese) const;
    int LabelMethod(const std::string& label, int line);

    CContactMethodTable& m_methods;
    const VCardReadOptions& m_options;
    VCardReport& m_report;
    Charset m_fileCharset = Charset::Utf8; // Cp932: the file is not UTF-8 throughout
    Charset m_cardCharset = Charset::Utf8;
    bool m_version4 = false;
    int m_card = 0; // ordinal of the card being read
    std::map<std::string, int> m_labels;
    std::set<int> m_usedIds;
    int m_newMethods = 0;
};

// Without a CHARSET, a file that is not UTF-8 throughout is read card by card:
// a card whose values are all valid UTF-8 is UTF-8, any other Shift_JIS, so that
// cards a phone appended in Shift_JIS do not spoil the others.
Charset CReader::CardCharset(const std::vector<RawProperty>& properties) const {
    if (m_fileCharset == Charset::Utf8)
        return Charset::Utf8;
    for (const RawProperty& p : properties) {
        if (FindParam(p, "CHARSET"))
            continue;
        const std::string* encoding = FindParam(p, "ENCODING");
        const bool qp = encoding && EqualsNoCase(*encoding, "QUOTED-PRINTABLE");
        if (!IsValidUtf8(qp ? DecodeQuotedPrintable(p.value) : p.value))
            return Charset::Cp932;
    }
    return Charset::Utf8;
}

Charset CReader::CharsetOf(const RawProperty& p) {
    if (m_options.charset == VCardCharset::Utf8)
        return Charset::Utf8;
    if (m_options.charset == VCardCharset::Cp932)
        return Charset::Cp932;
    if (m_version4)
        return Charset::Utf8;
    if (const std::string* name = FindParam(p, "CHARSET")) {
        for (std::string_view sjis :
             {"SHIFT_JIS", "SHIFT-JIS", "SJIS", "CP932", "WINDOWS-31J", "MS932"})
            if (EqualsNoCase(*name, sjis))
                return Charset::Cp932;
        if (EqualsNoCase(*name, "UTF-8") || EqualsNoCase(*name, "UTF8") ||
            EqualsNoCase(*name, "US-ASCII"))
            return Charset::Utf8;
        if (EqualsNoCase(*name, "ISO-2022-JP"))
            return Charset::Jis;
        m_report.problems.push_back({p.line, VCardProblemKind::UnknownCharset, *name});
    }
    return m_cardCharset;
}

void CReader::StoreUnstorable(const RawProperty& p, std::string character, std::string& out) {
    out += "\x81\xAC"; // 〓
    m_report.unstorable.push_back({m_card, p.line, p.name, std::move(character)});
}

// The bytes of a value or parameter as Shift_JIS text: decoded when the
// property is encoded, converted from its charset; characters the code page
// cannot hold become 〓 and are reported.
CString CReader::Text(const RawProperty& p, std::string_view raw, bool encoded) {
    std::string decoded;
    if (const std::string* encoding = FindParam(p, "ENCODING"); encoding && encoded) {
        if (EqualsNoCase(*encoding, "QUOTED-PRINTABLE"))
            decoded = DecodeQuotedPrintable(raw);
        else if (EqualsNoCase(*encoding, "BASE64") || EqualsNoCase(*encoding, "B"))
            decoded = DecodeBase64(raw);
        else
            decoded = raw;
    } else {
        decoded = raw;
    }
    const Charset charset = CharsetOf(p);
    if (charset == Charset::Jis)
        decoded = JisToSjis(decoded);

    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(decoded.size());
    const std::string_view s = decoded;
    // Pieces of whole characters, short so that a value full of characters the
    // code page cannot hold costs no more than one of ordinary text; a zero byte,
    // or a byte that begins no UTF-8 character, is a piece of its own.
    constexpr size_t kPiece = 256;
    const bool utf8 = charset == Charset::Utf8;
    const auto sjisLength = [](std::string_view text, size_t at) -> size_t {
        return mb::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
    };
    for (size_t i = 0; i < s.size();) {
        size_t end = i;
        while (end < s.size() && end - i < kPiece && s[end] != '\0') {
            const size_t len = utf8 ? ValidUtf8At(s, end) : sjisLength(s, end);
            if (len == 0)
                break;
            end += len;
        }
        if (end == i) {
            StoreUnstorable(p, std::string(kReplacement), out);
            ++i;
            continue;
        }
        std::string_view run = s.substr(i, end - i);
        i = end;
        // Where the code page fails, the character is replaced and the rest
        // converted anew.
        while (!run.empty()) {
            cp932::Error error;
            CString sjis;
            std::string unicode;
            if (utf8 ? cp932::FromUtf8(run, sjis, &error) : cp932::ToUtf8(run, unicode, &error)) {
                out += utf8 ? sjis.view() : run;
                break;
            }
            size_t at = 0;
            for (size_t n = 0; n < error.index; ++n)
                at += utf8 ? ValidUtf8At(run, at) : sjisLength(run, at);
            const size_t len = utf8 ? ValidUtf8At(run, at) : sjisLength(run, at);
            if (utf8) {
                cp932::FromUtf8(run.substr(0, at), sjis);
                out += sjis.view();
            } else {
                out += run.substr(0, at);
            }
            StoreUnstorable(p, std::string(utf8 ? run.substr(at, len) : kReplacement), out);
            run.remove_prefix(at + len);
        }
    }
    return CString(std::string_view(out));
}

int CReader::MethodOf(Kind kind, bool japanese) const {
    const MethodNames names = StandardMethodNames(kind);
    const CString ja = LoadAppString(names.japanese), en = LoadAppString(names.english);
    const int first = japanese ? m_methods.FindByJapanese(ja) : m_methods.FindByEnglish(en);
    if (first != -1)
        return first;
    return japanese ? m_methods.FindByEnglish(en) : m_methods.FindByJapanese(ja);
}

// The method named by a label; a new method when none bears the name.
int CReader::LabelMethod(const std::string& label, int line) {
    if (const auto found = m_labels.find(label); found != m_labels.end())
        return found->second;
    if (m_newMethods >= kMaxNewMethods) {
        m_report.problems.push_back(
            {line, VCardProblemKind::TooManyMethods, cp932::ToUtf8Lossy(label)});
        return 0;
    }
    int id = 0;
    for (int used : m_usedIds) {
        if (used > id)
            break;
        if (used == id)
            ++id;
    }
    m_usedIds.insert(id);
    m_methods.Append({id, CZkString(label.c_str()), CZkString(label.c_str())});
    m_labels.emplace(label, id);
    ++m_newMethods;
    return id;
}

std::unique_ptr<CAddrCard> CReader::MakeCard(std::vector<RawProperty>& properties) {
    m_version4 = false;
    for (const RawProperty& p : properties)
        if (p.name == "VERSION")
            m_version4 = Trim(p.value) == "4.0";
    m_cardCharset = CardCharset(properties);

    const RawProperty *fn = nullptr, *n = nullptr, *phoneticN = nullptr, *sound = nullptr;
    const RawProperty *phoneticLast = nullptr, *phoneticFirst = nullptr, *phoneticOrg = nullptr;
    const RawProperty *sortString = nullptr, *org = nullptr, *title = nullptr;
    const RawProperty *memo = nullptr, *notation = nullptr;
    std::vector<const RawProperty*> addresses, notes, contacts;
    std::map<std::string, const RawProperty*> labels;
    const auto first = [](const RawProperty*& slot, const RawProperty& p) {
        if (!slot)
            slot = &p;
    };
    for (const RawProperty& p : properties) {
        const std::string& name = p.name;
        if (name == "N" && FindParam(p, "PHONETIC"))
            first(phoneticN, p);
        else if (name == "N")
            first(n, p);
        else if (name == "FN")
            first(fn, p);
        else if (name == "X-PHONETIC-LAST-NAME")
            first(phoneticLast, p);
        else if (name == "X-PHONETIC-FIRST-NAME")
            first(phoneticFirst, p);
        else if (name == "X-PHONETIC-ORG")
            first(phoneticOrg, p);
        else if (name == "SOUND" && HasType(p, "X-IRMC-N"))
            first(sound, p);
        else if (name == "SORT-STRING")
            first(sortString, p);
        else if (name == "ORG")
            first(org, p);
        else if (name == "TITLE")
            first(title, p);
        else if (name == "X-KOLVANE-MEMO")
            first(memo, p);
        else if (name == "X-KOLVANE-NOTATION")
            first(notation, p);
        else if (name == "ADR")
            addresses.push_back(&p);
        else if (name == "NOTE")
            notes.push_back(&p);
        else if (name == "TEL" || name == "EMAIL" || name == "URL" || name == "NICKNAME" ||
                 name == "IMPP" || StartsWithNoCase(name, "X-SKYPE"))
            contacts.push_back(&p);
        else if (name == "X-ABLABEL")
            labels.emplace(p.group, &p);
        else if (name != "VERSION" && name != "PRODID" && name != "X-PHONETIC-MIDDLE-NAME")
            ++m_report.ignored[name];
    }

    auto card = std::make_unique<CAddrCard>();
    // Name parts: family, given, middle.
    std::vector<std::string> nameParts;
    if (n)
        for (const std::string& part : Components(*n))
            nameParts.push_back(Trim(part));
    nameParts.resize(std::max<size_t>(nameParts.size(), 3));
    const std::string fullName = fn ? Trim(Unescape(Value(*fn), 0)[0]) : std::string();

    std::string reading;
    if (phoneticLast || phoneticFirst) {
        if (phoneticLast)
            reading = Trim(Unescape(Value(*phoneticLast), 0)[0]);
        if (phoneticFirst)
            Join(reading, Trim(Unescape(Value(*phoneticFirst), 0)[0]), " ");
    }
    if (reading.empty() && phoneticN && n) {
        const std::string* altName = FindParam(*n, "ALTID");
        const std::string* altReading = FindParam(*phoneticN, "ALTID");
        if (altName && altReading && *altName == *altReading) {
            const std::vector<std::string> parts = Components(*phoneticN);
            reading = Trim(parts[0]);
            if (parts.size() > 1)
                Join(reading, Trim(parts[1]), " ");
        }
    }
    if (reading.empty() && sound) {
        const std::vector<std::string> parts = Components(*sound);
        reading = Trim(parts[0]);
        if (parts.size() > 1)
            Join(reading, Trim(parts[1]), " ");
    }
    if (reading.empty() && n) {
        if (const std::string* sortAs = FindParam(*n, "SORT-AS")) {
            const std::string text = Text(*n, *sortAs, false).str();
            std::string_view rest = text;
            while (!rest.empty()) {
                const size_t cut = rest.find_first_of(",;");
                Join(reading, Trim(rest.substr(0, cut)), " ");
                rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
            }
        }
    }
    if (reading.empty() && sortString)
        reading = Trim(Unescape(Value(*sortString), 0)[0]);
    std::vector<std::string> orgParts;
    if (org)
        orgParts = Components(*org);
    const std::string company = orgParts.empty() ? std::string() : Trim(orgParts[0]);
    // A card without a name shows its company as FN, as Apple's company cards do.
    const bool nameless = n && nameParts[0].empty() && nameParts[1].empty() &&
                          (fullName.empty() || fullName == company);
    const bool hasName = !nameless && (!fullName.empty() || !nameParts[0].empty() ||
                                       !nameParts[1].empty() || !nameParts[2].empty());
    if (reading.empty() && phoneticOrg && !hasName)
        reading = Trim(Unescape(Value(*phoneticOrg), 0)[0]);
    if (m_options.hiraganaReadings)
        reading = KanaToHiragana(reading).str();

    bool japanese = false;
    const std::string kolvaneNotation = notation ? Trim(Value(*notation)) : std::string();
    if (m_options.notation != VCardNotation::Auto)
        japanese = m_options.notation == VCardNotation::Japanese;
    else if (EqualsNoCase(kolvaneNotation, "ja") || EqualsNoCase(kolvaneNotation, "en"))
        japanese = EqualsNoCase(kolvaneNotation, "ja");
    else
        japanese = !reading.empty() || HasNonAscii(fullName) || HasNonAscii(nameParts[0]) ||
                   HasNonAscii(nameParts[1]) ||
                   (!hasName && !orgParts.empty() && HasNonAscii(orgParts[0]));
    card->m_nNotation = japanese ? NOTATION_JAPANESE : NOTATION_ENGLISH;

    std::string name;
    if (japanese) {
        std::string joined = nameParts[0];
        Join(joined, nameParts[1], " ");
        if (!fullName.empty() &&
            (joined.empty() || WithoutBlanks(fullName) == WithoutBlanks(joined)))
            name = fullName;
        else
            name = joined;
    } else if (!fullName.empty()) {
        name = fullName;
    } else {
        Join(name, nameParts[1], " ");
        Join(name, nameParts[2], " ");
        Join(name, nameParts[0], " ");
    }
    card->m_strName = nameless ? "" : name.c_str();
    card->m_strFurigana = reading.c_str();
    std::string department;
    if (!orgParts.empty()) {
        for (size_t i = 1; i < orgParts.size(); ++i)
            Join(department, Trim(orgParts[i]), " ");
    }
    if (title)
        Join(department, Trim(Unescape(Value(*title), 0)[0]), " ");
    card->m_strCompany = company.c_str();
    card->m_strTitle = department.c_str();

    // The preferred address, else the first; the others go to the remarks.
    const RawProperty* mainAddress = nullptr;
    for (const RawProperty* p : addresses)
        if (!mainAddress && (HasType(*p, "PREF") || FindParam(*p, "PREF")))
            mainAddress = p;
    if (!mainAddress && !addresses.empty())
        mainAddress = addresses.front();
    const auto address = [&](const RawProperty& p, std::string& zip) {
        std::vector<std::string> parts = Components(p);
        parts.resize(std::max<size_t>(parts.size(), 7));
        for (std::string& part : parts)
            part = Trim(part);
        std::string text;
        if (japanese) {
            text = parts[4] + parts[3] + parts[2];
            Join(text, parts[1], kCrLf);
            Join(text, parts[0], kCrLf);
            Join(text, parts[6], kCrLf);
            zip = parts[5];
        } else {
            text = parts[2];
            Join(text, parts[1], kCrLf);
            Join(text, parts[0], kCrLf);
            Join(text, parts[3], kCrLf);
            Join(text, parts[4], ", ");
            Join(text, parts[5], " ");
            Join(text, parts[6], kCrLf);
        }
        return Trim(text);
    };
    std::string zip;
    if (mainAddress)
        card->m_strAddress = address(*mainAddress, zip).c_str();
    card->m_strZip = zip.c_str();

    std::string allNotes;
    for (const RawProperty* p : notes)
        Join(allNotes, Unescape(Value(*p), 0)[0], kCrLf);
    std::string other = allNotes, memoText;
    if (memo) {
        memoText = Unescape(Value(*memo), 0)[0];
        const std::string separated = std::string(kCrLf) + std::string(kCrLf) + memoText;
        if (allNotes == memoText)
            other.clear();
        else if (allNotes.size() > separated.size() && allNotes.ends_with(separated))
            other = allNotes.substr(0, allNotes.size() - separated.size());
    }
    for (const RawProperty* p : addresses) {
        if (p == mainAddress)
            continue;
        std::string otherZip;
        std::string text = address(*p, otherZip);
        if (!otherZip.empty())
            text = otherZip + (text.empty() ? "" : " ") + text;
        Join(other, text, kCrLf);
    }
    card->m_strOther = other.c_str();
    card->m_strNotes = memoText.c_str();

    for (const RawProperty* p : contacts) {
        Kind kind = Kind::Phone;
        if (p->name == "TEL")
            kind = HasType(*p, "FAX")     ? Kind::Fax
                   : HasType(*p, "CELL")  ? Kind::Cell
                   : HasType(*p, "PAGER") ? Kind::Pager
                                          : Kind::Phone;
        else if (p->name == "EMAIL")
            kind = Kind::Mail;
        else if (p->name == "URL")
            kind = Kind::Web;
        else
            kind = Kind::Handle;
        int method = -2;
        if (!p->group.empty()) {
            if (const auto found = labels.find(p->group); found != labels.end()) {
                const std::string label = Trim(Unescape(Value(*found->second), 0)[0]);
                if (const std::optional<std::string> apple = AppleLabel(label)) {
                    if (*apple == "Mobile" || *apple == "iPhone")
                        kind = Kind::Cell;
                    else if (apple->ends_with("FAX"))
                        kind = Kind::Fax;
                    else if (*apple == "Pager")
                        kind = Kind::Pager;
                    else if (*apple == "HomePage")
                        kind = Kind::Web;
                } else if (!label.empty()) {
                    method = LabelMethod(label, found->second->line);
                }
            }
        }
        if (method == -2)
            method = MethodOf(kind, japanese);
        const std::string text = Trim(Unescape(Value(*p), 0)[0]);
        if (!text.empty())
            card->m_contacts.Add(method, text.c_str());
    }
    return card;
}

void CReader::Read(std::string_view bytes, std::vector<std::unique_ptr<CAddrCard>>& cards) {
    std::string converted;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        m_fileCharset = Charset::Utf8;
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        converted = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
        bytes = converted;
        m_fileCharset = Charset::Utf8;
    } else {
        m_fileCharset = IsValidUtf8(bytes) ? Charset::Utf8 : Charset::Cp932;
    }

    std::vector<RawProperty> properties;
    bool inCard = false;
    int cardLine = 0;
    const auto finish = [&] {
        ++m_card;
        std::unique_ptr<CAddrCard> card = MakeCard(properties);
        const bool empty = card->m_strName.IsEmpty() && card->m_strFurigana.IsEmpty() &&
                           card->m_strTitle.IsEmpty() && card->m_strCompany.IsEmpty() &&
                           card->m_strZip.IsEmpty() && card->m_strAddress.IsEmpty() &&
                           card->m_strOther.IsEmpty() && card->m_strNotes.IsEmpty() &&
                           card->m_contacts.GetCount() == 0;
        if (empty) {
            m_report.problems.push_back({cardLine, VCardProblemKind::EmptyCard, std::string()});
        } else {
            cards.push_back(std::move(card));
            ++m_report.cards;
        }
        properties.clear();
        inCard = false;
    };
    for (const LogicalLine& line : Unfold(bytes)) {
        RawProperty property;
        if (!ParseProperty(line, property)) {
            m_report.problems.push_back({line.line, VCardProblemKind::NoColon, std::string()});
            continue;
        }
        if (property.name == "BEGIN" && EqualsNoCase(Trim(property.value), "VCARD")) {
            if (inCard) {
                m_report.problems.push_back(
                    {cardLine, VCardProblemKind::MissingEnd, std::string()});
                finish();
            }
            inCard = true;
            cardLine = line.line;
        } else if (property.name == "END" && EqualsNoCase(Trim(property.value), "VCARD")) {
            if (inCard)
                finish();
            else
                m_report.problems.push_back(
                    {line.line, VCardProblemKind::OutsideCard, std::string()});
        } else if (inCard) {
            properties.push_back(std::move(property));
        } else {
            m_report.problems.push_back({line.line, VCardProblemKind::OutsideCard, std::string()});
        }
    }
    if (inCard) {
        m_report.problems.push_back({cardLine, VCardProblemKind::MissingEnd, std::string()});
        finish();
    }
}

} // namespace

std::vector<std::unique_ptr<CAddrCard>> ReadVCards(std::string_view bytes,
                                                   CContactMethodTable& methods,
                                                   const VCardReadOptions& options,
                                                   VCardReport& report) {
    std::vector<std::unique_ptr<CAddrCard>> cards;
    CReader(methods, options, report).Read(bytes, cards);
    return cards;
}

bool LooksLikeVCard(std::string_view bytes) {
    std::string converted;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        converted = Utf16ToUtf8(bytes.substr(2, 64), bytes[0] == '\xFE');
        bytes = converted;
    }
    const size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && StartsWithNoCase(bytes.substr(start), "BEGIN:VCARD");
}

std::string VCardProblemText(const VCardProblem& problem, bool japanese) {
    const std::string line = std::to_string(problem.line);
    switch (problem.kind) {
    case VCardProblemKind::NoColon:
        return japanese ? line + " 行目: 値のない行です。読み飛ばしました。"
                        : "line " + line + ": a line without a value; skipped";
    case VCardProblemKind::OutsideCard:
        return japanese ? line + " 行目: BEGIN:VCARD と END:VCARD の外の行です。読み飛ばしました。"
                        : "line " + line + ": outside BEGIN:VCARD and END:VCARD; skipped";
    case VCardProblemKind::MissingEnd:
        return japanese ? line + " 行目から始まるｶｰﾄﾞに END:VCARD がありません。"
                        : "line " + line + ": the card beginning here has no END:VCARD";
    case VCardProblemKind::UnknownCharset:
        return japanese ? line + " 行目: 文字ｺｰﾄﾞ \"" + problem.detail +
                              "\" は読めません。ﾌｧｲﾙの文字ｺｰﾄﾞで読みました。"
                        : "line " + line + ": unknown charset \"" + problem.detail +
                              "\"; read as the file's";
    case VCardProblemKind::EmptyCard:
        return japanese
                   ? line + " 行目: 住所録に入る項目のないｶｰﾄﾞです。読み込みませんでした。"
                   : "line " + line + ": a card with nothing the address book keeps; not imported";
    case VCardProblemKind::TooManyMethods:
        return japanese ? line + " 行目: 連絡方法 \"" + problem.detail +
                              "\" は追加できる数を超えました。空欄の連絡方法にしました。"
                        : "line " + line + ": too many new contact methods; \"" + problem.detail +
                              "\" was given the blank method";
    }
    return std::string();
}

std::string VCardUnstorableText(const VCardUnstorable& entry, bool japanese) {
    const std::string line = std::to_string(entry.line), card = std::to_string(entry.card);
    return japanese ? line + " 行目 (" + card + " 件目の " + entry.property + "): \"" +
                          entry.character + "\" はｺｰﾄﾞﾍﾟｰｼﾞ 932 にない文字です。〓 にしました。"
                    : "line " + line + " (card " + card + ", " + entry.property + "): \"" +
                          entry.character + "\" is not in code page 932; stored as 〓";
}
