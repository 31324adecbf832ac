#pragma once
// Binary file of the design's framework. Errors raise CFileException; reading
// at the end of the file returns fewer bytes without raising.

#include "platform/Export.h"
#include "platform/FileException.h"
#include "platform/Types.h"

#include <string>

class ZKLIB_API CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens or raises CFileException.
    CFile(const char* path, UINT flags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE with the cause in error (when given) if the file cannot be opened.
    virtual BOOL Open(const char* path, UINT flags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG length);
    // Writes buffered data and has the operating system put it on the disk.
    virtual void Flush();
    virtual void Close();
    // Closes without raising.
    virtual void Abort();

    ULONGLONG SeekToBegin() { return Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    // Bytes between the position and the end of the file.
    ULONGLONG GetRemaining() const;
    // Reads exactly count bytes or raises CFileException::endOfFile.
    void ReadExact(void* buffer, UINT count);
    // The 32-bit little-endian words of every binary file of the program;
    // raise as ReadExact and Write do.
    DWORD ReadDword();
    void WriteDword(DWORD value);

    const std::string& GetFilePath() const { return m_strFileName; }
    void SetFilePath(std::string path) { m_strFileName = std::move(path); }
    bool IsOpen() const { return m_fd >= 0; }

protected:
    [[noreturn]] void ThrowErrno() const;

    int m_fd = -1;
    std::string m_strFileName;
};

// A file held in memory; reads and writes never touch the disk. The file path,
// when set, names the data in error messages.
class ZKLIB_API CMemFile : public CFile {
public:
    CMemFile() = default;
    explicit CMemFile(std::string bytes, std::string name = {});

    BOOL Open(const char* path, UINT flags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override { return m_pos; }
    ULONGLONG GetLength() const override { return m_data.size(); }
    void SetLength(ULONGLONG length) override;
    void Flush() override {}
    void Close() override {}
    void Abort() override {}

    const std::string& Data() const { return m_data; }
    std::string Detach();

private:
    std::string m_data;
    size_t m_pos = 0;
};

// Reads the whole file at path into memory, named by its path. Raises
// CFileException when it cannot be opened or read.
ZKLIB_API CMemFile ReadWholeFile(const char* path);
