#include "zklib/ZkFile.h"

#include "platform/FileStep.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == ZK_PATH_SEPARATOR;
}

// Byte position just after the last separator (0 when there is none). Paths are
// UTF-8 here, in which no byte of a multibyte character is a separator.
size_t AfterLastSeparator(const CString& path) {
    for (int i = path.GetLength(); i > 0; --i)
        if (IsSeparator(path[i - 1]))
            return static_cast<size_t>(i);
    return 0;
}

// Position of the extension's dot in the file-name part, or -1.
int ExtensionDot(const CString& path) {
    const int nameStart = static_cast<int>(AfterLastSeparator(path));
    for (int i = path.GetLength() - 1; i >= nameStart; --i)
        if (path[i] == '.')
            return i;
    return -1;
}

} // namespace

CString ZkFile_MakePath(const char* directory, const char* name) {
    CString path(directory);
    if (!path.IsEmpty() && !IsSeparator(path[path.GetLength() - 1]))
        path += ZK_PATH_SEPARATOR;
    path += name;
    return path;
}

CString ZkFile_SplitDirName(const char* path) {
    const CString p(path);
    return p.Left(static_cast<int>(AfterLastSeparator(p)));
}

CString ZkFile_SplitFileName(const char* path) {
    const CString p(path);
    return p.Mid(static_cast<int>(AfterLastSeparator(p)));
}

CString ZkFile_SplitFileExt(const char* path) {
    const CString p(path);
    const int dot = ExtensionDot(p);
    return dot < 0 ? CString() : p.Mid(dot);
}

CString ZkFile_RemoveFileExt(const char* path) {
    const CString p(path);
    const int dot = ExtensionDot(p);
    return dot < 0 ? p : p.Left(dot);
}

BOOL ZkFile_HasExt(const char* path) {
    return !ZkFile_SplitFileExt(path).IsEmpty();
}

BOOL ZkFile_DoesExist(const char* path) {
    struct stat st {};
    return path && ::stat(path, &st) == 0;
}

BOOL ZkFile_IsValidPath(const char* path) {
    struct stat st {};
    return path && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

BOOL ZkFile_CanReadWrite(const char* path) {
    if (!path)
        return FALSE;
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FALSE;
    ::close(fd);
    fd = ::open(path, O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return FALSE;
    ::close(fd);
    return TRUE;
}

BOOL ZkFile_CreateDir(const char* path, int& error) {
    error = 0;
    if (path && ::mkdir(path, 0777) == 0)
        return TRUE;
    error = path ? errno : EINVAL;
    return FALSE;
}

BOOL ZkFile_Rename(const char* oldPath, const char* newPath) {
    if (!oldPath || !newPath)
        return FALSE;
    FileStep();
    if (::renameat2(AT_FDCWD, oldPath, AT_FDCWD, newPath, RENAME_NOREPLACE) == 0)
        return TRUE;
    // File systems without no-replace renames: check first.
    if (errno != EINVAL && errno != ENOSYS)
        return FALSE;
    if (ZkFile_DoesExist(newPath))
        return FALSE;
    return std::rename(oldPath, newPath) == 0;
}

BOOL ZkFile_Remove(const char* path) {
    if (!path)
        return FALSE;
    FileStep();
    return ::unlink(path) == 0;
}

std::int64_t ZkFile_GetFileSize(const char* path) {
    if (!path)
        return -1;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    const bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
    ::close(fd);
    return ok ? static_cast<std::int64_t>(st.st_size) : -1;
}

CString ZkFile_GetCurrentDir() {
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) ? CString(buf) : CString();
}

CString ZkFile_GetTempPath() {
    const char* dir = std::getenv("TMPDIR");
    CString path(dir && *dir ? dir : "/tmp");
    if (!IsSeparator(path[path.GetLength() - 1]))
        path += ZK_PATH_SEPARATOR;
    return path;
}

CString ZkFile_GetTempFileName() {
    const CString folder = ZkFile_GetTempPath();
    if (folder.IsEmpty())
        return CString();
    std::string name = folder.str() + "tmpXXXXXX.TMP";
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0)
        return CString();
    ::close(fd);
    return CString(name.c_str());
}

CString ZkFile_GetModuleFileName() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? CString(buf, static_cast<int>(n)) : CString();
}

CString ZkFile_GetModuleDirName() {
    const CString module = ZkFile_GetModuleFileName();
    return ZkFile_SplitDirName(module);
}
