#include "BookJson.h"

#include "Cp932Cache.h"

#include "platform/CodePage.h"

#include <cstdio>
#include <functional>

namespace {

bool NeedsEscape(unsigned char c) {
    return c < 0x20 || c == '"' || c == '\\';
}

void AppendQuoted(std::string_view utf8, std::string& out) {
    out += '"';
    for (size_t i = 0; i < utf8.size(); ++i) {
        // Whole runs of plain characters go in at once.
        size_t end = i;
        while (end < utf8.size() && !NeedsEscape(static_cast<unsigned char>(utf8[end])))
            ++end;
        out.append(utf8, i, end - i);
        if (end == utf8.size())
            break;
        i = end;
        const char ch = utf8[i];
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
            out += escaped;
        }
    }
    out += '"';
}

// Text of ASCII characters other than the zero byte: its own UTF-8, and it
// comes back unchanged.
bool IsPlainAscii(std::string_view sjis) {
    for (const char ch : sjis)
        if (ch == '\0' || static_cast<unsigned char>(ch) >= 0x80)
            return false;
    return true;
}

// A string when the text survives the trip through Unicode, else its bytes.
void AppendText(const CString& sjis, std::string& out) {
    if (IsPlainAscii(sjis.view())) {
        AppendQuoted(sjis.view(), out);
        return;
    }
    // Kept from text to text: a dump converts every text of the book.
    thread_local std::string utf8;
    thread_local CString back;
    utf8.clear();
    if (cp932cache::AppendRoundTripUtf8(sjis.view(), utf8)) {
        AppendQuoted(utf8, out);
        return;
    }
    if (cp932::ToUtf8(sjis.view(), utf8) && cp932::FromUtf8(utf8, back) && back == sjis) {
        AppendQuoted(utf8, out);
        return;
    }
    out += "{\"sjis\":\"";
    for (const char ch : sjis.view()) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(ch));
        out += hex;
    }
    out += "\"}";
}

void AppendField(const char* key, const CString& text, std::string& out) {
    out += ",\"";
    out += key;
    out += "\":";
    AppendText(text, out);
}

} // namespace

void WriteBookJson(const CAddrBook& book, const std::function<void(std::string_view)>& write) {
    // Pieces of about this size: the whole text would be as large as the book
    // again, only to be copied out.
    constexpr size_t kPiece = 1 << 20;
    std::string out;
    out.reserve(kPiece + (kPiece >> 2));
    out += "{\"version\":1,\"cards\":[";
    const char* separator = "\n";
    for (const auto& card : book.Cards()) {
        out += separator;
        separator = ",\n";
        out += "{\"notation\":" + std::to_string(card->m_nNotation);
        AppendField("furigana", card->m_strFurigana, out);
        AppendField("name", card->m_strName, out);
        AppendField("title", card->m_strTitle, out);
        AppendField("company", card->m_strCompany, out);
        AppendField("zip", card->m_strZip, out);
        AppendField("address", card->m_strAddress, out);
        AppendField("other", card->m_strOther, out);
        AppendField("notes", card->m_strNotes, out);
        out += ",\"contacts\":[";
        const char* contactSeparator = "";
        for (const auto& contact : card->m_contacts.Entries()) {
            out += contactSeparator;
            contactSeparator = ",";
            out += "{\"method\":" + std::to_string(contact.nMethodId);
            AppendField("text", contact.strText, out);
            out += '}';
        }
        out += "]}";
        if (out.size() >= kPiece) {
            write(out);
            out.clear();
        }
    }
    out += "\n],\"methods\":[";
    separator = "\n";
    for (const auto& method : book.m_methods.Entries()) {
        out += separator;
        separator = ",\n";
        out += "{\"id\":" + std::to_string(method.nId);
        AppendField("ja", method.strJapanese, out);
        AppendField("en", method.strEnglish, out);
        out += '}';
    }
    out += "\n]}\n";
    write(out);
}

std::string BookToJson(const CAddrBook& book) {
    std::string json;
    WriteBookJson(book, [&json](std::string_view piece) { json += piece; });
    return json;
}
