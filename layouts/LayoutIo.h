#pragma once
// The words of layout files: 32-bit little-endian integers and IEEE single
// precision floats. Readers read exactly four bytes or raise CFileException
// (endOfFile when the file ends early); writers raise on a failed write.

#include "platform/File.h"

namespace layoutio {

DWORD ReadDword(CFile* file);
LONG ReadLong(CFile* file);
float ReadFloat(CFile* file);

void WriteDword(CFile* file, DWORD value);
void WriteLong(CFile* file, LONG value);
void WriteFloat(CFile* file, float value);

} // namespace layoutio
