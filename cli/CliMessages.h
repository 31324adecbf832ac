#pragma once
// The language of kolvane-cli's messages: Japanese under a Japanese locale
// (LC_ALL, else LC_MESSAGES, else LANG beginning with "ja"), English otherwise.

#include "platform/FileError.h"

#include <initializer_list>
#include <string>
#include <string_view>

bool JapaneseMessages();

// The text in the run's language.
std::string Tr(const char* english, const char* japanese);

// text with %1 to %9 replaced by the arguments in order.
std::string Format(std::string_view text, std::initializer_list<std::string> args);

// A file error worded in the run's language: the program's own (Japanese)
// text under a Japanese locale, else its English rendering here.
std::string FileErrorText(const CFileError& error);
