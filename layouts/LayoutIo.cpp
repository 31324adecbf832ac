#include "layouts/LayoutIo.h"

#include <bit>

namespace layoutio {

DWORD ReadDword(CFile* file) {
    unsigned char b[4];
    file->ReadExact(b, 4);
    return DWORD(b[0]) | DWORD(b[1]) << 8 | DWORD(b[2]) << 16 | DWORD(b[3]) << 24;
}

LONG ReadLong(CFile* file) {
    return static_cast<LONG>(ReadDword(file));
}

float ReadFloat(CFile* file) {
    return std::bit_cast<float>(ReadDword(file));
}

void WriteDword(CFile* file, DWORD value) {
    const unsigned char b[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    file->Write(b, 4);
}

void WriteLong(CFile* file, LONG value) {
    WriteDword(file, static_cast<DWORD>(value));
}

void WriteFloat(CFile* file, float value) {
    WriteDword(file, std::bit_cast<DWORD>(value));
}

} // namespace layoutio
