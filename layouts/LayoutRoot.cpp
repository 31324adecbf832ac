#include "layouts/LayoutRoot.h"

#include "platform/File.h"
#include "zklib/ZkFile.h"

#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

CString g_strRoot;

bool CanWriteFolder(const char* folder) {
#ifdef _WIN32
    return _access(folder, 2) == 0;
#else
    return ::access(folder, W_OK | X_OK) == 0;
#endif
}

} // namespace

CString GetLayoutRoot() {
    return g_strRoot.IsEmpty() ? ZkFile_GetModuleDirName() : g_strRoot;
}

void SetLayoutRoot(const char* root) {
    g_strRoot = root;
}

CString FindBundledLayoutRoot(const char* programDir) {
    std::error_code ec;
    const fs::path program(std::string(programDir ? programDir : ""));
    if (fs::is_directory(program / "LAYOUTS", ec))
        return CString(program.string().c_str());
    const fs::path installed = (program / ".." / "share" / "kolvane").lexically_normal();
    if (fs::is_directory(installed / "LAYOUTS", ec))
        return CString(installed.string().c_str());
    return CString(program.string().c_str());
}

BOOL SeedLayoutFolder(const char* root, const char* folder, const char* bundledRoot) {
    const fs::path target = fs::path(std::string(root)) / folder;
    std::error_code ec;
    if (fs::exists(target, ec))
        return TRUE;
    fs::create_directories(target.parent_path(), ec);
    const fs::path work = fs::path(target).concat(".seeding");
    fs::remove_all(work, ec);
    if (!fs::create_directory(work, ec))
        return FALSE;
    const fs::path source = fs::path(std::string(bundledRoot)) / folder;
    const bool haveSource = fs::is_directory(source, ec);
    ec.clear();
    if (haveSource) {
        for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
            if (!it->is_regular_file(ec))
                continue;
            if (!fs::copy_file(it->path(), work / it->path().filename(), ec))
                break;
        }
    }
    if (!ec && ZkFile_Rename(work.string().c_str(), target.string().c_str()))
        return TRUE;
    fs::remove_all(work, ec);
    // A folder that appeared meanwhile is kept as it is.
    return fs::exists(target, ec);
}

CString ChooseLayoutRoot(const char* programDir, const char* userDir) {
    if (CanWriteFolder(programDir))
        return programDir;
    for (const char* folder : kLayoutFolderNames)
        SeedLayoutFolder(userDir, folder, programDir);
    return userDir;
}

CString LayoutDataFilePath(const char* name) {
    const CString chosen = ZkFile_MakePath(GetLayoutRoot(), name);
    if (ZkFile_DoesExist(chosen))
        return chosen;
    return ZkFile_MakePath(FindBundledLayoutRoot(ZkFile_GetModuleDirName()), name);
}

std::optional<CFileError> ReadLayoutDataFile(const char* path, size_t limit, std::string& bytes) {
    bytes.clear();
    try {
        CFile file(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
        bytes.resize(limit);
        UINT got = 0;
        while (got < bytes.size()) {
            const UINT n = file.Read(bytes.data() + got, static_cast<UINT>(bytes.size() - got));
            if (n == 0)
                break;
            got += n;
        }
        bytes.resize(got);
    } catch (const CFileException& e) {
        bytes.clear();
        return CFileError::FromException(e, MB_ICONSTOP);
    }
    return std::nullopt;
}
