#include "layouts/Layout.h"

#include "layouts/LayoutIo.h"
#include "layouts/LayoutRoot.h"
#include "platform/AtomicFile.h"
#include "res/AppStrings.h"
#include "zklib/ZkFile.h"
#include "zklib/ZkString.h"

namespace {

constexpr int kMaxFileNumber = 999;

constexpr UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary;

// The box of a layout file's errors; a damaged or unwritable name keeps the
// plain exclamation box of a stored text.
constexpr UINT kErrorType = MB_ICONSTOP;
constexpr UINT kNameErrorType = MB_OK | MB_ICONEXCLAMATION;

constexpr UINT IDS_NEWER_VERSION = 151;

} // namespace

std::optional<CFileError> CLayout::ReadHead(CFile* file, CZkString& name) const {
    const DWORD version = layoutio::ReadDword(file);
    if (version > GetVersion())
        return CFileError::FromMessage(IDS_NEWER_VERSION, AppStrings(), file->GetFilePath(),
                                       kErrorType);
    try {
        CZkString::ReadStored(file, name);
    } catch (const CFileException& e) {
        return CFileError::FromException(e, kNameErrorType);
    }
    return std::nullopt;
}

std::optional<CFileError> CLayout::Load(const char* path) {
    CFile file;
    CFileException error;
    if (!file.Open(path, kReadFlags, &error))
        return CFileError::FromException(error, kErrorType);
    CZkString name;
    try {
        if (auto head = ReadHead(&file, name))
            return head;
        if (auto body = ReadBody(&file))
            return body;
    } catch (const CFileException& e) {
        return CFileError::FromException(e, kErrorType);
    }
    m_strName = name;
    return std::nullopt;
}

std::optional<CFileError> CLayout::Save(const char* path) const {
    return Write(path, nullptr);
}

std::optional<CFileError> CLayout::SaveNew(const char* path, BOOL& taken) const {
    return Write(path, &taken);
}

// Without taken the file replaces any of that path; with it, none.
std::optional<CFileError> CLayout::Write(const char* path, BOOL* taken) const {
    if (taken)
        *taken = FALSE;
    CAtomicFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &error))
        return CFileError::FromException(error, kErrorType);
    try {
        layoutio::WriteDword(&file, GetVersion());
        try {
            CZkString::WriteStored(&file, m_strName);
        } catch (const CFileException& e) {
            return CFileError::FromException(e, kNameErrorType);
        }
        WriteBody(&file);
        if (!taken)
            file.Commit();
        else
            *taken = !file.CommitNew();
    } catch (const CFileException& e) {
        return CFileError::FromException(e, kErrorType);
    }
    return std::nullopt;
}

std::optional<CFileError> CLayout::ReadName(const char* path, CString& name) const {
    name.Empty();
    CFile file;
    CFileException error;
    if (!file.Open(path, kReadFlags, &error))
        return CFileError::FromException(error, kErrorType);
    CZkString read;
    try {
        if (auto head = ReadHead(&file, read))
            return head;
    } catch (const CFileException& e) {
        return CFileError::FromException(e, kErrorType);
    }
    name = read;
    return std::nullopt;
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
