#include "layouts/Layout.h"

#include "layouts/LayoutIo.h"
#include "layouts/LayoutRoot.h"
#include "platform/AtomicFile.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "zklib/ZkFile.h"

namespace {

constexpr int kMaxFileNumber = 999;

constexpr UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary;

} // namespace

BOOL CLayout::ReadHead(CFile* file, CZkString& name) const {
    const DWORD version = layoutio::ReadDword(file);
    if (version > GetVersion()) {
        AfxMessageBoxUtf8(LoadAppStringUtf8(151) + file->GetFilePath(), MB_ICONSTOP);
        return FALSE;
    }
    return name.Read(file);
}

BOOL CLayout::Load(const char* path) {
    CFile file;
    CFileException error;
    if (!file.Open(path, kReadFlags, &error)) {
        error.ReportError(MB_ICONSTOP);
        return FALSE;
    }
    CZkString name;
    try {
        if (!ReadHead(&file, name) || !ReadBody(&file))
            return FALSE;
    } catch (const CFileException& e) {
        e.ReportError(MB_ICONSTOP);
        return FALSE;
    }
    m_strName = name;
    return TRUE;
}

BOOL CLayout::Save(const char* path) const {
    CAtomicFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &error)) {
        error.ReportError(MB_ICONSTOP);
        return FALSE;
    }
    try {
        layoutio::WriteDword(&file, GetVersion());
        CZkString name = m_strName;
        if (!name.Write(&file) || !WriteBody(&file))
            return FALSE;
        file.Commit();
    } catch (const CFileException& e) {
        e.ReportError(MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

CString CLayout::ReadName(const char* path) const {
    CFile file;
    CFileException error;
    if (!file.Open(path, kReadFlags, &error)) {
        error.ReportError(MB_ICONSTOP);
        return CString();
    }
    CZkString name;
    try {
        if (!ReadHead(&file, name))
            return CString();
    } catch (const CFileException& e) {
        e.ReportError(MB_ICONSTOP);
        return CString();
    }
    return name;
}

CString CLayout::GetFolderPath() const {
    const CString root = GetLayoutRoot();
    if (root.IsEmpty())
        return CString();
    return ZkFile_MakePath(root, GetFolderName());
}

CString CLayout::MakeNewFilePath() const {
    const CString folder = GetFolderPath();
    if (folder.IsEmpty())
        return CString();
    int error = 0;
    if (!ZkFile_DoesExist(folder) && !ZkFile_CreateDir(folder, error))
        return CString();
    for (int n = 0; n < kMaxFileNumber; ++n) {
        CString name;
        name.Format("USER%03d.%s", n, GetExtension());
        const CString path = ZkFile_MakePath(folder, name);
        if (!ZkFile_DoesExist(path))
            return path;
    }
    return CString();
}
