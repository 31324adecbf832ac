#pragma once
// Buffered file over a standard I/O stream, with line reading and writing.

#include "platform/CString.h"
#include "platform/File.h"

#include <cstdio>

class ZKLIB_API CStdioFile : public CFile {
public:
    CStdioFile() = default;
    CStdioFile(const char* path, UINT flags);
    ~CStdioFile() override;

    BOOL Open(const char* path, UINT flags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // Next line without its line end; FALSE at the end of the file.
    BOOL ReadString(CString& line);
    // Reads up to max - 1 bytes, up to and including a line feed, and ends them
    // with a zero byte; in text mode CR LF arrives as LF. nullptr at the end of
    // the file. count, when given, receives the bytes placed, zero bytes of the
    // file included.
    char* ReadString(char* buffer, UINT max, UINT* count = nullptr);
    void WriteString(const char* text);
    bool IsTextMode() const { return m_text; }

    FILE* GetStream() const { return m_pStream; }

private:
    FILE* m_pStream = nullptr;
    bool m_text = false;
};
