#include "doc/BookLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

bool CBookLock::Take(const char* path, Kind kind) {
    Release();
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return true;
    int result = 0;
    do
        result = ::flock(fd, (kind == exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool conflict = errno == EWOULDBLOCK;
        ::close(fd);
        return !conflict;
    }
    m_fd = fd;
    return true;
}

void CBookLock::Release() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
