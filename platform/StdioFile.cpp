#include "platform/StdioFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

CStdioFile::CStdioFile(const char* path, UINT flags) {
    CFileException error;
    if (!Open(path, flags, &error))
        throw error;
}

CStdioFile::~CStdioFile() {
    Abort();
}

BOOL CStdioFile::Open(const char* path, UINT flags, CFileException* error) {
    if (!CFile::Open(path, flags, error))
        return FALSE;
    const char* mode = (flags & 3) == modeWrite       ? "wb"
                       : (flags & 3) == modeReadWrite ? "r+b"
                                                      : "rb";
    m_pStream = ::fdopen(m_fd, mode);
    if (!m_pStream) {
        const int err = errno;
        CFile::Abort();
        if (error)
            *error = CFileException(CFileException::OsErrorToCause(err), err, m_strFileName);
        return FALSE;
    }
    m_text = (flags & typeText) != 0;
    return TRUE;
}

UINT CStdioFile::Read(void* buffer, UINT count) {
    if (!m_pStream)
        CFileException::Throw(CFileException::invalidFile, m_strFileName);
    const size_t n = std::fread(buffer, 1, count, m_pStream);
    if (n < count && std::ferror(m_pStream))
        ThrowErrno();
    return static_cast<UINT>(n);
}

void CStdioFile::Write(const void* buffer, UINT count) {
    if (!m_pStream)
        CFileException::Throw(CFileException::invalidFile, m_strFileName);
    if (std::fwrite(buffer, 1, count, m_pStream) != count)
        ThrowErrno();
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from) {
    const int whence = from == end ? SEEK_END : from == current ? SEEK_CUR : SEEK_SET;
    if (::fseeko(m_pStream, offset, whence) != 0)
        ThrowErrno();
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const {
    const off_t pos = ::ftello(m_pStream);
    if (pos < 0)
        ThrowErrno();
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CStdioFile::GetLength() const {
    if (std::fflush(m_pStream) != 0)
        ThrowErrno();
    return CFile::GetLength();
}

void CStdioFile::Flush() {
    if (m_pStream && std::fflush(m_pStream) != 0)
        ThrowErrno();
    CFile::Flush();
}

void CStdioFile::Close() {
    if (!m_pStream)
        return;
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_fd = -1;
    if (std::fclose(stream) != 0)
        ThrowErrno();
}

void CStdioFile::Abort() {
    if (m_pStream)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_fd = -1;
}

BOOL CStdioFile::ReadString(CString& line) {
    std::string text;
    int c;
    bool any = false;
    while ((c = std::getc(m_pStream)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        text += static_cast<char>(c);
    }
    if (std::ferror(m_pStream))
        ThrowErrno();
    if (m_text && !text.empty() && text.back() == '\r')
        text.pop_back();
    line = CString(std::string_view(text));
    return any ? TRUE : FALSE;
}

char* CStdioFile::ReadString(char* buffer, UINT max, UINT* count) {
    if (count)
        *count = 0;
    if (!m_pStream)
        CFileException::Throw(CFileException::invalidFile, m_strFileName);
    if (!buffer || max == 0)
        return nullptr;
    UINT n = 0;
    int c = 0;
    while (n + 1 < max && (c = std::getc(m_pStream)) != EOF) {
        if (m_text && c == '\r') {
            const int next = std::getc(m_pStream);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                std::ungetc(next, m_pStream);
        }
        buffer[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (std::ferror(m_pStream))
        ThrowErrno();
    buffer[n] = '\0';
    if (count)
        *count = n;
    return n == 0 && c == EOF ? nullptr : buffer;
}

void CStdioFile::WriteString(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (m_text && *p == '\n')
            out += '\r';
        out += *p;
    }
    Write(out.data(), static_cast<UINT>(out.size()));
}
