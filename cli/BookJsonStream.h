#pragma once
// The book file (.kvd bytes) straight from its JSON in one pass, card by card,
// without holding the book: the quick way for the plain case. It takes only
// what the full reader (BookFromJson) reads the same way: whole numbers written
// as such, texts in valid UTF-8 that code page 932 holds, nothing unknown.
// Anything else it leaves to the full reader, which says what is wrong or
// reads it.

#include <string>
#include <string_view>

// True with file holding the whole book file. False when the full reader must
// decide; duplicate then names the first key given twice in one object, if any
// (the full reader would silently keep the last).
bool BookFileInOnePass(std::string_view json, std::string& file, std::string& duplicate);
