#include "zklib/ZkRotateBackup.h"

#include "platform/CodePage.h"
#include "platform/UserInteraction.h"
#include "zklib/ZkFile.h"
#include "zklib/ZkStrings.h"

CZkRotateBackup::CZkRotateBackup(UINT generations, const char* extension)
    : m_nGenerations(generations), m_strExtension(extension) {
    if (!m_strExtension.IsEmpty() && m_strExtension[0] == '.')
        m_strExtension = m_strExtension.Mid(1);
    if (m_strExtension.IsEmpty())
        m_strExtension = "bak";
}

BOOL CZkRotateBackup::Backup(const char* path) {
    if (!path || !*path)
        return FALSE;
    m_strPath = path;
    return Rotate(0, 1);
}

CString CZkRotateBackup::GetFileName(UINT n) const {
    CString name;
    if (n == 0)
        name = m_strPath;
    else if (n == 1)
        name.Format("%s.%s", m_strPath.GetString(), m_strExtension.GetString());
    else
        name.Format("%s.%s.%u", m_strPath.GetString(), m_strExtension.GetString(), n - 1);
    return name;
}

BOOL CZkRotateBackup::Rotate(UINT from, UINT to) {
    const CString fromName = GetFileName(from);
    const CString toName = GetFileName(to);
    if (!ZkFile_DoesExist(fromName))
        return TRUE;
    // File names are in the system's encoding, the library's texts in Shift_JIS.
    if (ZkFile_DoesExist(toName)) {
        if (to >= m_nGenerations + 1) {
            if (!ZkFile_Remove(toName)) {
                AfxMessageBoxUtf8(ZkLoadStringUtf8(46) + toName.str(), MB_OK | MB_ICONSTOP);
                return FALSE;
            }
        } else if (!Rotate(to, to + 1)) {
            return FALSE;
        }
    }
    if (ZkFile_Rename(fromName, toName))
        return TRUE;
    AfxMessageBoxUtf8(ZkLoadStringUtf8(47) + fromName.str() + " -> " + toName.str(),
                      MB_OK | MB_ICONSTOP);
    return FALSE;
}
