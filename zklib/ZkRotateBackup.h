#pragma once
// Numbered generations of a file, kept before it is replaced:
// P -> P.bak -> P.bak.1 -> ... -> P.bak.<generations>, the oldest deleted. The
// older generations move by renaming; the newest is a hard link to P (a copy
// where links are impossible), so P itself never goes missing and its writer
// replaces it by renaming the new file over it.

#include "platform/CString.h"

class ZKLIB_API CZkRotateBackup : public CObject {
public:
    CZkRotateBackup() : CZkRotateBackup(5, "bak") {}
    CZkRotateBackup(UINT generations, const char* extension);
    ~CZkRotateBackup() override = default;

    // Keeps path as the newest backup. TRUE when done or when path does not
    // exist; FALSE after a message when a rename, link or delete failed.
    virtual BOOL Backup(const char* path);

    CString GetFileName(UINT n) const;
    UINT GetGenerations() const { return m_nGenerations; }
    const CString& GetExtension() const { return m_strExtension; }

protected:
    virtual BOOL Rotate(UINT from, UINT to);

private:
    UINT m_nGenerations;
    CString m_strExtension;
    CString m_strPath;
};
