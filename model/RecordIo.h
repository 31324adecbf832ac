#pragma once
// Pieces shared by the readers and writers of the stored records: 32-bit
// little-endian words, the version word every record begins with, and the
// check that keeps a count from outside data within the bytes left.

#include "platform/File.h"

namespace recordio {

// The version every record writes; readers accept it and anything older.
constexpr DWORD kVersion = 1;

// Raise CFileException (endOfFile when the data ends early).
LONG ReadLong(CFile* file);
void WriteLong(CFile* file, LONG value);

// Reads the version word. A newer version is shown as message 151 followed by
// the file's path, and the result is FALSE; the caller stops reading.
BOOL ReadVersion(CFile* file);

// A stored count of items that take at least minBytes each must fit in what the
// file still holds; otherwise the data was cut short or damaged and endOfFile is
// raised before anything is reserved for it.
void CheckCount(CFile* file, LONG count, ULONGLONG minBytes);

} // namespace recordio
