#include "print/LabelText.h"

namespace {

constexpr const char* kPostalMark = "\x81\xA7 "; // "〒 "
constexpr const char* kHonorific = " \x97\x6C";  // " 様"

void AppendLine(CString& text, const CString& line) {
    if (!line.IsEmpty()) {
        text += line;
        text += '\n';
    }
}

CString TrimmedAddress(const CAddrCard& card) {
    CString address = card.m_strAddress;
    return address.Trim();
}

CString EnglishLabel(const CAddrCard& card) {
    CString text;
    AppendLine(text, card.m_strName);
    AppendLine(text, card.m_strTitle);
    AppendLine(text, card.m_strCompany);
    text += TrimmedAddress(card);
    return text;
}

CString JapaneseLabel(const CAddrCard& card) {
    CString text;
    if (!card.m_strZip.IsEmpty()) {
        text += kPostalMark;
        text += card.m_strZip;
        text += '\n';
    }
    text += TrimmedAddress(card);
    text += '\n';
    AppendLine(text, card.m_strCompany);
    AppendLine(text, card.m_strTitle);
    text += card.m_strName;
    text.TrimRight();
    text += kHonorific;
    return text;
}

} // namespace

CString ComposeLabelText(const CAddrCard& card) {
    return card.m_nNotation == NOTATION_ENGLISH ? EnglishLabel(card) : JapaneseLabel(card);
}
