#pragma once
// A buffered text file that keeps a running Adler-32 or CRC-32 (zlib's) of what
// is read or written through it, so that a writer can append the sum of what
// it wrote and a reader can check it. A line end counts as one line feed in
// text mode, CR LF included, so a file written with CR LF checks the same as
// one written with LF.

#include "platform/Export.h"
#include "platform/StdioFile.h"

class ZKLIB_API CZkChecksumStdioFile : public CStdioFile {
public:
    enum Mode { none = 0, adler32 = 1, crc32 = 2 };

    CZkChecksumStdioFile() = default;
    CZkChecksumStdioFile(const char* path, UINT flags) : CStdioFile(path, flags) {}

    // Starts a sum: 1 for Adler-32, 0 for CRC-32. Another mode is stored and
    // adds nothing; the value stays as it was.
    void BeginChecksum(int mode);
    // The sum so far; counting stops until the next BeginChecksum.
    DWORD EndChecksum();

    // In text mode CR LF arrives as LF; the bytes delivered are counted.
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    // Counts the text's bytes, a line feed as one byte.
    void WriteString(const char* text);
    // Counts every byte of the line but its line end, zero bytes included.
    BOOL ReadString(CString& line);
    // Counts every byte placed in the buffer, zero bytes included.
    char* ReadString(char* buffer, UINT max);

protected:
    void UpdateChecksum(const void* data, UINT length);

private:
    int m_nMode = none;
    DWORD m_dwValue = 0;
};
