#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CAtomicFile::~CAtomicFile() {
    Abort();
}

BOOL CAtomicFile::Open(const char* target, UINT, CFileException* error) {
    Abort();
    m_strFileName = target ? target : "";
    std::string pattern = m_strFileName + ".tmp-XXXXXX";
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        if (error)
            *error = CFileException(CFileException::OsErrorToCause(errno), errno, m_strFileName);
        return FALSE;
    }
    m_tempPath = pattern;
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
    if (std::rename(m_tempPath.c_str(), m_strFileName.c_str()) != 0) {
        const int err = errno;
        Abort();
        CFileException::ThrowOsError(err, m_strFileName);
    }
    m_tempPath.clear();
}

void CAtomicFile::Abort() {
    CFile::Abort();
    if (!m_tempPath.empty())
        std::remove(m_tempPath.c_str());
    m_tempPath.clear();
}
