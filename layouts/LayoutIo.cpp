#include "layouts/LayoutIo.h"

#include <bit>

namespace layoutio {

DWORD ReadDword(CFile* file) {
    return file->ReadDword();
}

LONG ReadLong(CFile* file) {
    return static_cast<LONG>(ReadDword(file));
}

float ReadFloat(CFile* file) {
    return std::bit_cast<float>(ReadDword(file));
}

void WriteDword(CFile* file, DWORD value) {
    file->WriteDword(value);
}

void WriteLong(CFile* file, LONG value) {
    WriteDword(file, static_cast<DWORD>(value));
}

void WriteFloat(CFile* file, float value) {
    WriteDword(file, std::bit_cast<DWORD>(value));
}

} // namespace layoutio
