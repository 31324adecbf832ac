#pragma once
// The body shared by import and export layout files: a signed 32-bit count,
// then that many signed 32-bit field numbers, little-endian.

#include "platform/File.h"

#include <vector>

namespace transferio {

// Reads the count and the numbers. A count that is negative or larger than
// the bytes left can hold raises CFileException::endOfFile before anything is
// allocated; a number outside first..last reads as -1.
std::vector<int> ReadFieldNumbers(CFile* file, int first, int last);
// Raises CFileException on a failed write.
void WriteFieldNumbers(CFile* file, const std::vector<int>& numbers);

} // namespace transferio
