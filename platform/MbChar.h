#pragma once
// Byte classes of code page 932 (Shift_JIS).

namespace mb {

// Lead bytes of double-byte characters: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at p (p[0] must not be the terminator):
// a lead byte followed by the end of the text counts as one byte.
inline int CharLen(const char* p) {
    return IsLeadByte(static_cast<unsigned char>(p[0])) && p[1] != '\0' ? 2 : 1;
}

// Code of the character at p in the order the platform compares multibyte
// strings: single bytes as they are, a double-byte character as lead << 8 | trail.
inline unsigned CharCode(const char* p, int len) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return len == 2 ? (unsigned(u[0]) << 8 | u[1]) : u[0];
}

} // namespace mb
