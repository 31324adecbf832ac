#include "model/RecordIo.h"

#include "res/AppStrings.h"

namespace recordio {

namespace {
constexpr UINT IDS_NEWER_VERSION = 151;
}

LONG ReadLong(CFile* file) {
    unsigned char b[4];
    file->ReadExact(b, 4);
    return static_cast<LONG>(DWORD(b[0]) | DWORD(b[1]) << 8 | DWORD(b[2]) << 16 |
                             DWORD(b[3]) << 24);
}

void WriteLong(CFile* file, LONG value) {
    const DWORD v = static_cast<DWORD>(value);
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16),
                                static_cast<unsigned char>(v >> 24)};
    file->Write(b, 4);
}

std::optional<CFileError> ReadVersion(CFile* file) {
    if (static_cast<DWORD>(ReadLong(file)) <= kVersion)
        return std::nullopt;
    return CFileError::FromMessage(IDS_NEWER_VERSION, AppStrings(), file->GetFilePath(),
                                   MB_OK | MB_ICONSTOP);
}

void CheckCount(CFile* file, LONG count, ULONGLONG minBytes) {
    if (count > 0 && static_cast<ULONGLONG>(count) > file->GetRemaining() / minBytes)
        CFileException::Throw(CFileException::endOfFile, file->GetFilePath());
}

} // namespace recordio
