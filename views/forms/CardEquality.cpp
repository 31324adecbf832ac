#include "views/forms/CardEquality.h"

#include <algorithm>

bool SameCard(const CAddrCard& a, const CAddrCard& b) {
    if (a.m_nNotation != b.m_nNotation || a.m_strFurigana != b.m_strFurigana ||
        a.m_strName != b.m_strName || a.m_strTitle != b.m_strTitle ||
        a.m_strCompany != b.m_strCompany || a.m_strZip != b.m_strZip ||
        a.m_strAddress != b.m_strAddress || a.m_strOther != b.m_strOther ||
        a.m_strNotes != b.m_strNotes)
        return false;
    const auto& x = a.m_contacts.Entries();
    const auto& y = b.m_contacts.Entries();
    return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                      [](const AddrContact& p, const AddrContact& q) {
                          return p.nMethodId == q.nMethodId && p.strText == q.strText;
                      });
}
