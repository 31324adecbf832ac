#pragma once
// Code page 932 to and from UTF-8 one character at a time from tables that the
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

// Appends the UTF-8 of sjis to out when each of its characters comes back
// from UTF-8 as the same bytes, as cp932::ToUtf8 and cp932::FromUtf8 convert
// them. False, with out holding part of it, when one does not or the text is
// not whole characters: the caller tries the whole text with cp932 itself.
bool AppendRoundTripUtf8(std::string_view sjis, std::string& out);

} // namespace cp932cache
