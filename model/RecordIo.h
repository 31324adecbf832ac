#pragma once
// Pieces shared by the readers and writers of the stored records: 32-bit
// little-endian words, texts in the stored form of CZkString, the version word
// every record begins with, and the check that keeps a count from outside data
// within the bytes left.

#include "platform/File.h"
#include "platform/FileError.h"

#include <optional>

namespace recordio {

// The version every record writes; readers accept it and anything older.
constexpr DWORD kVersion = 1;

// A file error a record's reader or writer met, as its message box shows it.
inline constexpr UINT kErrorType = MB_OK | MB_ICONEXCLAMATION;

// Raise CFileException (endOfFile when the data ends early).
LONG ReadLong(CFile* file);
void WriteLong(CFile* file, LONG value);
// A 32-bit length counting the closing NUL, then the bytes with the NUL; the
// text ends at the first NUL.

// Reads the version word (raising as ReadLong). A newer version is the error
// of message 151 followed by the file's path; the caller stops reading.
std::optional<CFileError> ReadVersion(CFile* file);

// A stored count of items that take at least minBytes each must fit in what the
// file still holds; otherwise the data was cut short or damaged and endOfFile is
// raised before anything is reserved for it.
void CheckCount(CFile* file, LONG count, ULONGLONG minBytes);

// Runs step, which raises CFileException, and returns what it raised as an
// error with kErrorType; or the error step returned.
template <class Step> std::optional<CFileError> Run(Step&& step) {
    try {
        return step();
    } catch (const CFileException& e) {
        return CFileError::FromException(e, kErrorType);
    }
}

} // namespace recordio
