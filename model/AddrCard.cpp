#include "model/AddrCard.h"

#include "model/CardRules.h"
#include "model/RecordIo.h"
#include "zklib/ZkString.h"

namespace {

// The eight texts in stored order.
CZkString CAddrCard::*const kTexts[] = {
    &CAddrCard::m_strFurigana, &CAddrCard::m_strName,  &CAddrCard::m_strTitle,
    &CAddrCard::m_strCompany,  &CAddrCard::m_strZip,   &CAddrCard::m_strAddress,
    &CAddrCard::m_strOther,    &CAddrCard::m_strNotes,
};

} // namespace

std::optional<CFileError> CAddrCard::Read(CFile* file) {
    if (auto error = recordio::Run([&]() -> std::optional<CFileError> {
            if (auto newer = recordio::ReadVersion(file))
                return newer;
            m_nNotation = recordio::ReadLong(file);
            for (auto text : kTexts)
                CZkString::ReadStored(file, this->*text);
            return std::nullopt;
        }))
        return error;
    return m_contacts.Read(file);
}

std::optional<CFileError> CAddrCard::Write(CFile* file) const {
    if (auto error = recordio::Run([&]() -> std::optional<CFileError> {
            recordio::WriteLong(file, recordio::kVersion);
            recordio::WriteLong(file, m_nNotation);
            for (auto text : kTexts)
                CZkString::WriteStored(file, this->*text);
            return std::nullopt;
        }))
        return error;
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
