#pragma once
// The address book as JSON (UTF-8): what `kolvane-cli dump` prints and
// `kolvane-cli from-json` reads.
//
//   {"version":1,"cards":[
//   {"notation":0,"furigana":"…","name":"…","title":"…","company":"…","zip":"…",
//    "address":"…","other":"…","notes":"…","contacts":[{"method":1,"text":"…"}]},
//   …
//   ],"methods":[
//   {"id":0,"ja":"","en":""},
//   …
//   ]}
//
// One card or method per line. A text whose Shift_JIS bytes do not come back
// unchanged through Unicode (damaged bytes, or one of the code page's
// characters that share a Unicode code with another) is written as
// {"sjis":"<hex bytes>"} instead of a string, so nothing is lost.

#include "model/AddrBook.h"

#include <functional>
#include <string>
#include <string_view>

std::string BookToJson(const CAddrBook& book);
// The same text handed to write piece by piece, in order.
void WriteBookJson(const CAddrBook& book, const std::function<void(std::string_view)>& write);

// The bytes of the book file (.kvd) the JSON describes, read as BookFromJson
// reads it; a key given twice in one object is refused too. On failure error
// says why and file is to be dropped.
bool BookFileFromJson(std::string_view json, std::string& file, std::string& error);

// Fills book, which must be empty. Missing texts are empty, a missing notation
// is -1 and missing methods are the default table. On failure error names the
// card (counted from 1) or method and the field, and the book is to be dropped.
bool BookFromJson(std::string_view json, CAddrBook& book, std::string& error);
