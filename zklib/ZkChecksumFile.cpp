#include "zklib/ZkChecksumFile.h"

#include <cstring>
#include <string>
#include <zlib.h>

void CZkChecksumStdioFile::BeginChecksum(int mode) {
    m_nMode = mode;
    if (mode == none)
        m_dwValue = 0;
    else if (mode == adler32)
        m_dwValue = static_cast<DWORD>(::adler32(0, nullptr, 0));
    else if (mode == crc32)
        m_dwValue = static_cast<DWORD>(::crc32(0, nullptr, 0));
}

DWORD CZkChecksumStdioFile::EndChecksum() {
    m_nMode = none;
    return m_dwValue;
}

void CZkChecksumStdioFile::UpdateChecksum(const void* data, UINT length) {
    const auto* bytes = static_cast<const Bytef*>(data);
    if (m_nMode == adler32)
        m_dwValue = static_cast<DWORD>(::adler32(m_dwValue, bytes, length));
    else if (m_nMode == crc32)
        m_dwValue = static_cast<DWORD>(::crc32(m_dwValue, bytes, length));
}

UINT CZkChecksumStdioFile::Read(void* buffer, UINT count) {
    auto* out = static_cast<char*>(buffer);
    if (!IsTextMode()) {
        const UINT n = CStdioFile::Read(out, count);
        UpdateChecksum(out, n);
        return n;
    }
    // CR LF becomes LF, and the bytes this frees are filled from the file.
    UINT n = 0;
    while (n < count) {
        const UINT got = CStdioFile::Read(out + n, count - n);
        const UINT end = n + got;
        for (UINT i = n; i < end; ++i) {
            if (out[i] == '\r' && i + 1 < end && out[i + 1] == '\n')
                continue;
            if (out[i] == '\r' && i + 1 == end) {
                const int next = std::getc(GetStream());
                if (next == '\n')
                    out[i] = '\n';
                else if (next != EOF)
                    std::ungetc(next, GetStream());
            }
            out[n++] = out[i];
        }
        if (got < count - (end - got))
            break;
    }
    UpdateChecksum(out, n);
    return n;
}

void CZkChecksumStdioFile::Write(const void* buffer, UINT count) {
    UpdateChecksum(buffer, count);
    CStdioFile::Write(buffer, count);
}

void CZkChecksumStdioFile::WriteString(const char* text) {
    UpdateChecksum(text, static_cast<UINT>(std::strlen(text)));
    // The base writes through Write, which must not count the bytes again.
    const int mode = m_nMode;
    m_nMode = none;
    try {
        CStdioFile::WriteString(text);
    } catch (...) {
        m_nMode = mode;
        throw;
    }
    m_nMode = mode;
}

BOOL CZkChecksumStdioFile::ReadString(CString& line) {
    std::string bytes;
    char buffer[4096];
    UINT n = 0;
    bool any = false;
    while (CStdioFile::ReadString(buffer, sizeof buffer, &n)) {
        any = true;
        bytes.append(buffer, n);
        if (n > 0 && buffer[n - 1] == '\n')
            break;
    }
    if (!bytes.empty() && bytes.back() == '\n')
        bytes.pop_back();
    if (IsTextMode() && !bytes.empty() && bytes.back() == '\r')
        bytes.pop_back();
    UpdateChecksum(bytes.data(), static_cast<UINT>(bytes.size()));
    line = CString(std::string_view(bytes));
    return any ? TRUE : FALSE;
}

char* CZkChecksumStdioFile::ReadString(char* buffer, UINT max) {
    UINT n = 0;
    char* result = CStdioFile::ReadString(buffer, max, &n);
    UpdateChecksum(buffer, n);
    return result;
}
