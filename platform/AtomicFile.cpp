#include "platform/AtomicFile.h"

#include "platform/FileStep.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Removes what earlier writes of target left behind when they were cut short
// (a crash, a power cut): target's own temporary files, "<name>.tmp-" and six
// characters, except the one being written now.
void RemoveStaleTemps(const std::string& target, const std::string& current) {
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string prefix =
        (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp-";
    DIR* folder = ::opendir(dir.c_str());
    if (!folder)
        return;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = slash == std::string::npos ? name : dir + name;
        if (path != current) {
            FileStep();
            std::remove(path.c_str());
        }
    }
    ::closedir(folder);
}

} // namespace

CAtomicFile::~CAtomicFile() {
    Abort();
}

BOOL CAtomicFile::Open(const char* target, UINT, CFileException* error) {
    Abort();
    m_strFileName = target ? target : "";
    std::string pattern = m_strFileName + ".tmp-XXXXXX";
    FileStep();
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        if (error)
            *error = CFileException(CFileException::OsErrorToCause(errno), errno, m_strFileName);
        return FALSE;
    }
    m_tempPath = pattern;
    RemoveStaleTemps(m_strFileName, m_tempPath);
    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(m_strFileName.c_str(), &st) == 0)
        ::fchmod(m_fd, st.st_mode & 07777);
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
    return TRUE;
}

void CAtomicFile::Commit() {
    Flush();
    CFile::Close();
    FileStep();
    if (std::rename(m_tempPath.c_str(), m_strFileName.c_str()) != 0) {
        const int err = errno;
        Abort();
        CFileException::ThrowOsError(err, m_strFileName);
    }
    m_tempPath.clear();
}

BOOL CAtomicFile::CommitNew() {
    Flush();
    CFile::Close();
    FileStep();
    int err = 0;
    if (::renameat2(AT_FDCWD, m_tempPath.c_str(), AT_FDCWD, m_strFileName.c_str(),
                    RENAME_NOREPLACE) == 0) {
        m_tempPath.clear();
    } else {
        err = errno;
        // File systems without no-replace renames: a link, too, is made only
        // under a free name; the temporary name goes with Abort.
        if (err == EINVAL || err == ENOSYS)
            err = ::link(m_tempPath.c_str(), m_strFileName.c_str()) == 0 ? 0 : errno;
    }
    Abort();
    if (err == EEXIST)
        return FALSE;
    if (err != 0)
        CFileException::ThrowOsError(err, m_strFileName);
    return TRUE;
}

void CAtomicFile::Abort() {
    CFile::Abort();
    if (!m_tempPath.empty())
        std::remove(m_tempPath.c_str());
    m_tempPath.clear();
}
