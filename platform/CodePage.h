#pragma once
// The one converter between Shift_JIS (code page 932) and Unicode. Conversion
// to code page 932 never drops or replaces a character silently: it fails and
// names the first character that the code page cannot hold.

#include "platform/CString.h"

#include <string>
#include <string_view>

namespace cp932 {

struct Error {
    size_t index = 0;          // position of the character in the input, in characters
    char32_t character = 0;    // the character (for decoding: the undecodable byte or byte pair)
    std::string characterUtf8; // the character as UTF-8 (decoding: "\\x81\\x20" style)
};

// UTF-8 to Shift_JIS. Invalid UTF-8 is refused like an unmappable character.
bool FromUtf8(std::string_view utf8, CString& out, Error* error = nullptr);
ZKLIB_API bool FromUtf16(std::u16string_view utf16, CString& out, Error* error = nullptr);

// Shift_JIS to Unicode. Byte sequences that the code page does not define fail;
// the lossy forms put U+FFFD in their place (for showing damaged text).
bool ToUtf8(std::string_view sjis, std::string& out, Error* error = nullptr);
bool ToUtf16(std::string_view sjis, std::u16string& out, Error* error = nullptr);
std::string ToUtf8Lossy(std::string_view sjis);
ZKLIB_API std::u16string ToUtf16Lossy(std::string_view sjis);

} // namespace cp932
