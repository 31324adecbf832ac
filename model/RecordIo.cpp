#include "model/RecordIo.h"

#include "res/AppStrings.h"

namespace recordio {

namespace {
constexpr UINT IDS_NEWER_VERSION = 151;
}

LONG ReadLong(CFile* file) {
    return static_cast<LONG>(file->ReadDword());
}

void WriteLong(CFile* file, LONG value) {
    file->WriteDword(static_cast<DWORD>(value));
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
