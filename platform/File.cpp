#include "platform/File.h"

#include "platform/HugePages.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CFile::CFile(const char* path, UINT flags) {
    CFileException error;
    if (!Open(path, flags, &error))
        throw error;
}

CFile::~CFile() {
    Abort();
}

BOOL CFile::Open(const char* path, UINT flags, CFileException* error) {
    Abort();
    m_strFileName = path ? path : "";
    int oflags = O_CLOEXEC;
    switch (flags & 3) {
    case modeWrite:
        oflags |= O_WRONLY;
        break;
    case modeReadWrite:
        oflags |= O_RDWR;
        break;
    default:
        oflags |= O_RDONLY;
        break;
    }
    if (flags & modeCreate) {
        oflags |= O_CREAT;
        if (!(flags & modeNoTruncate))
            oflags |= O_TRUNC;
    }
    m_fd = ::open(m_strFileName.c_str(), oflags, 0666);
    if (m_fd < 0) {
        if (error)
            *error = CFileException(CFileException::OsErrorToCause(errno), errno, m_strFileName);
        return FALSE;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        Abort();
        if (error)
            *error = CFileException(CFileException::accessDenied, EISDIR, m_strFileName);
        return FALSE;
    }
    return TRUE;
}

void CFile::ThrowErrno() const {
    CFileException::ThrowOsError(errno, m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count) {
    if (m_fd < 0)
        CFileException::Throw(CFileException::invalidFile, m_strFileName);
    auto* p = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno();
        }
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count) {
    if (m_fd < 0)
        CFileException::Throw(CFileException::invalidFile, m_strFileName);
    const auto* p = static_cast<const char*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno();
        }
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    const int whence = from == end ? SEEK_END : from == current ? SEEK_CUR : SEEK_SET;
    const off_t pos = ::lseek(m_fd, offset, whence);
    if (pos < 0)
        ThrowErrno();
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const {
    const off_t pos = ::lseek(m_fd, 0, SEEK_CUR);
    if (pos < 0)
        ThrowErrno();
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const {
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        ThrowErrno();
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG length) {
    if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0)
        ThrowErrno();
}

void CFile::Flush() {
    if (m_fd >= 0 && ::fsync(m_fd) != 0 && errno != EINVAL)
        ThrowErrno();
}

void CFile::Close() {
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        ThrowErrno();
}

void CFile::Abort() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

ULONGLONG CFile::GetRemaining() const {
    const ULONGLONG length = GetLength();
    const ULONGLONG pos = GetPosition();
    return pos < length ? length - pos : 0;
}

void CFile::ReadExact(void* buffer, UINT count) {
    if (Read(buffer, count) != count)
        CFileException::Throw(CFileException::endOfFile, m_strFileName);
}

DWORD CFile::ReadDword() {
    unsigned char b[4];
    ReadExact(b, 4);
    return DWORD(b[0]) | DWORD(b[1]) << 8 | DWORD(b[2]) << 16 | DWORD(b[3]) << 24;
}

void CFile::WriteDword(DWORD value) {
    const unsigned char b[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    Write(b, 4);
}

CMemFile::CMemFile(std::string bytes, std::string name) : m_data(std::move(bytes)) {
    m_strFileName = std::move(name);
}

BOOL CMemFile::Open(const char*, UINT, CFileException* error) {
    if (error)
        *error = CFileException(CFileException::genericException, 0, m_strFileName);
    return FALSE;
}

UINT CMemFile::Read(void* buffer, UINT count) {
    const size_t n = std::min<size_t>(count, m_pos < m_data.size() ? m_data.size() - m_pos : 0);
    std::memcpy(buffer, m_data.data() + m_pos, n);
    m_pos += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (m_pos > m_data.size())
        m_data.resize(m_pos);
    m_data.replace(m_pos, std::min<size_t>(count, m_data.size() - m_pos),
                   static_cast<const char*>(buffer), count);
    m_pos += count;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
    const LONGLONG base = from == end       ? static_cast<LONGLONG>(m_data.size())
                          : from == current ? static_cast<LONGLONG>(m_pos)
                                            : 0;
    if (base + offset < 0)
        CFileException::Throw(CFileException::badSeek, m_strFileName);
    m_pos = static_cast<size_t>(base + offset);
    return m_pos;
}

void CMemFile::SetLength(ULONGLONG length) {
    m_data.resize(static_cast<size_t>(length));
    m_pos = std::min(m_pos, m_data.size());
}

std::string CMemFile::Detach() {
    std::string out;
    out.swap(m_data);
    m_pos = 0;
    return out;
}

CMemFile ReadWholeFile(const char* path) {
    CFile file(path, CFile::modeRead | CFile::typeBinary);
    const ULONGLONG length = file.GetLength();
    if (length > 0x7FFFFFFFu)
        CFileException::Throw(CFileException::genericException, path);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(length));
    AdviseHugePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<size_t>(length));
    const UINT got = length ? file.Read(bytes.data(), static_cast<UINT>(length)) : 0;
    bytes.resize(got);
    return CMemFile(std::move(bytes), path);
}
