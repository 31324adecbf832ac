#include "BookJson.h"

#include "platform/CodePage.h"

#include <cstdio>

namespace {

void AppendQuoted(std::string_view utf8, std::string& out) {
    out += '"';
    for (const char ch : utf8) {
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
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
                out += escaped;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

// A string when the text survives the trip through Unicode, else its bytes.
void AppendText(const CString& sjis, std::string& out) {
    std::string utf8;
    CString back;
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

std::string BookToJson(const CAddrBook& book) {
    std::string out = "{\"version\":1,\"cards\":[";
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
    return out;
}
