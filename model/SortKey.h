#pragma once
// Byte strings that sort, compared byte by byte, exactly as their Shift_JIS
// texts compare in character-code order (MbsCompare). Sorting many cards by
// these keys, laid out side by side, avoids decoding the texts in every
// comparison.
//
// Each character becomes: an ASCII byte itself; another single byte 0x80 and
// the byte; a double-byte character its lead byte moved below 0xBD and its
// trail byte. The first byte tells the length, and the classes keep the order
// of their codes, so the keys never contain a zero byte and a shorter key sorts
// before every longer key it begins.

#include <string>
#include <string_view>

void AppendSortKey(std::string_view sjis, std::string& out);
