#include "model/AddrCard.h"

#include "model/CardRules.h"
#include "model/RecordIo.h"

namespace {

// The eight texts in stored order.
CZkString CAddrCard::*const kTexts[] = {
    &CAddrCard::m_strFurigana, &CAddrCard::m_strName,  &CAddrCard::m_strTitle,
    &CAddrCard::m_strCompany,  &CAddrCard::m_strZip,   &CAddrCard::m_strAddress,
    &CAddrCard::m_strOther,    &CAddrCard::m_strNotes,
};

} // namespace

BOOL CAddrCard::Read(CFile* file) {
    try {
        if (!recordio::ReadVersion(file))
            return FALSE;
        m_nNotation = recordio::ReadLong(file);
    } catch (const CFileException& e) {
        e.ReportError();
        return FALSE;
    }
    for (auto text : kTexts)
        if (!(this->*text).Read(file))
            return FALSE;
    return m_contacts.Read(file);
}

BOOL CAddrCard::Write(CFile* file) {
    try {
        recordio::WriteLong(file, recordio::kVersion);
        recordio::WriteLong(file, m_nNotation);
    } catch (const CFileException& e) {
        e.ReportError();
        return FALSE;
    }
    for (auto text : kTexts)
        if (!(this->*text).Write(file))
            return FALSE;
    return m_contacts.Write(file);
}

BOOL CAddrCard::IsEmpty() const {
    if (!m_strName.IsEmpty() || !m_strTitle.IsEmpty() || !m_strCompany.IsEmpty() ||
        !m_strAddress.IsEmpty() || !m_strOther.IsEmpty() || !m_strNotes.IsEmpty())
        return FALSE;
    // Reading and postal code belong to the Japanese form only.
    if (IsJapanese() && (!m_strFurigana.IsEmpty() || !m_strZip.IsEmpty()))
        return FALSE;
    return m_contacts.GetCount() == 0;
}

BOOL CAddrCard::MatchesIndex(const char* set) const {
    return ::MatchesIndex(*this, set);
}

BOOL CAddrCard::MatchesSearch(const char* text, BOOL bMatchCase) const {
    return ::MatchesSearch(*this, CTextSearch(text, bMatchCase));
}
