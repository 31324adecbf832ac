#include "print/LabelText.h"

#include "platform/MbChar.h"

#include <string>
#include <string_view>

namespace {

constexpr std::string_view kPostalMark = "\x81\xA7 "; // "〒 "
constexpr std::string_view kHonorific = " \x97\x6C";  // " 様"

// The white space the string class trims. No such byte is ever the second byte
// of a double-byte character.
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view TrimLeft(std::string_view s) {
    size_t n = 0;
    while (n < s.size() && IsBlank(s[n]))
        ++n;
    return s.substr(n);
}

// s without the white space at its end; walked from the front so that a lead
// byte and the byte after it stay one character, as the string class does.
std::string_view TrimRight(std::string_view s) {
    size_t keep = 0;
    for (size_t i = 0; i < s.size();) {
        if (mb::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            i += 2;
            keep = i;
        } else {
            if (!IsBlank(s[i]))
                keep = i + 1;
            ++i;
        }
    }
    return s.substr(0, keep);
}

void AppendLine(std::string& text, std::string_view line) {
    if (!line.empty()) {
        text += line;
        text += '\n';
    }
}

std::string EnglishLabel(const CAddrCard& card) {
    std::string text;
    text.reserve(card.m_strName.str().size() + card.m_strTitle.str().size() +
                 card.m_strCompany.str().size() + card.m_strAddress.str().size() + 3);
    AppendLine(text, card.m_strName.view());
    AppendLine(text, card.m_strTitle.view());
    AppendLine(text, card.m_strCompany.view());
    text += TrimRight(TrimLeft(card.m_strAddress.view()));
    return text;
}

std::string JapaneseLabel(const CAddrCard& card) {
    std::string text;
    text.reserve(kPostalMark.size() + card.m_strZip.str().size() + card.m_strAddress.str().size() +
                 card.m_strCompany.str().size() + card.m_strTitle.str().size() +
                 card.m_strName.str().size() + kHonorific.size() + 4);
    if (!card.m_strZip.IsEmpty()) {
        text += kPostalMark;
        text += card.m_strZip.view();
        text += '\n';
    }
    text += TrimRight(TrimLeft(card.m_strAddress.view()));
    text += '\n';
    AppendLine(text, card.m_strCompany.view());
    AppendLine(text, card.m_strTitle.view());
    // Only the name needs the walk from the front: what comes before it ends
    // with a line feed, a character of its own.
    const std::string_view name = TrimRight(card.m_strName.view());
    if (!name.empty())
        text += name;
    else
        text.resize(TrimRight(text).size());
    text += kHonorific;
    return text;
}

} // namespace

CString ComposeLabelText(const CAddrCard& card) {
    return CString(card.m_nNotation == NOTATION_ENGLISH ? EnglishLabel(card) : JapaneseLabel(card));
}
