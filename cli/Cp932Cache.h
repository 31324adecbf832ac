#pragma once
// UTF-8 to code page 932 one character at a time from a table that the
// converter of platform/CodePage.h fills on first sight of each character:
// a book's texts reuse few characters, and a conversion call per text costs
// more than the text. The bytes are the converter's own.

#include <string>
#include <string_view>

namespace cp932cache {

// Appends the code page 932 bytes of utf8 to out. False, with out holding part
// of them, for anything but a text of characters the code page holds (a zero
// character, invalid UTF-8, a character outside the code page): the caller
// asks cp932::FromUtf8 for the details.
bool AppendFromUtf8(std::string_view utf8, std::string& out);

} // namespace cp932cache
