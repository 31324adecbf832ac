#pragma once
// Path and file helpers. Paths are in the system's own narrow encoding; the path
// separator is the slash here (the back slash on Windows).

#include "platform/CString.h"
#include "platform/Export.h"

#include <cstdint>

#ifdef _WIN32
constexpr char ZK_PATH_SEPARATOR = '\\';
#else
constexpr char ZK_PATH_SEPARATOR = '/';
#endif

// directory + separator + name; no separator is added when the directory ends
// with one, and an empty directory gives the name alone.
ZKLIB_API CString ZkFile_MakePath(const char* directory, const char* name);
// Directory part including the final separator ("" for null or a bare name).
ZKLIB_API CString ZkFile_SplitDirName(const char* path);
ZKLIB_API CString ZkFile_SplitFileName(const char* path);
// Extension with its dot ("" when none or null).
ZKLIB_API CString ZkFile_SplitFileExt(const char* path);
ZKLIB_API CString ZkFile_RemoveFileExt(const char* path);
ZKLIB_API BOOL ZkFile_HasExt(const char* path);

ZKLIB_API BOOL ZkFile_DoesExist(const char* path);
// TRUE only when the path names an existing folder.
ZKLIB_API BOOL ZkFile_IsValidPath(const char* path);
ZKLIB_API BOOL ZkFile_CanReadWrite(const char* path);
// FALSE with errno in error when the folder cannot be made (error is 0 on success).
ZKLIB_API BOOL ZkFile_CreateDir(const char* path, int& error);
// Renames without replacing an existing file.
ZKLIB_API BOOL ZkFile_Rename(const char* oldPath, const char* newPath);
ZKLIB_API BOOL ZkFile_Remove(const char* path);
// Size in bytes, or -1 when the file cannot be opened or measured.
ZKLIB_API std::int64_t ZkFile_GetFileSize(const char* path);

ZKLIB_API CString ZkFile_GetCurrentDir();
// The temporary folder, with a final separator.
ZKLIB_API CString ZkFile_GetTempPath();
// A new, empty file of its own in the temporary folder ("tmpXXXXXX.TMP"),
// created exclusively so that no two callers share it; "" on failure.
ZKLIB_API CString ZkFile_GetTempFileName();
ZKLIB_API CString ZkFile_GetModuleFileName();
ZKLIB_API CString ZkFile_GetModuleDirName();
