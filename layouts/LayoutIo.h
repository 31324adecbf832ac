#pragma once
// The words of layout files: 32-bit little-endian integers, IEEE single
// precision floats and texts in the stored form of CZkString. Readers read
// exactly what is stored or raise CFileException (endOfFile when the file ends
// early); writers raise on a failed write.

#include "platform/CString.h"
#include "platform/File.h"

namespace layoutio {

DWORD ReadDword(CFile* file);
LONG ReadLong(CFile* file);
float ReadFloat(CFile* file);

void WriteDword(CFile* file, DWORD value);
void WriteLong(CFile* file, LONG value);
void WriteFloat(CFile* file, float value);

// A 32-bit length counting the closing NUL, then the bytes with the NUL.

} // namespace layoutio
