#pragma once
// --layout of the commands: a layout of one kind named as the program's lists
// name it, or a layout file.

#include "layouts/Layout.h"

#include <string>

// The words for a kind of layout in both languages, as in its messages.
struct LayoutKind {
    const char* english; // "page layout"
    const char* japanese;
};

// Loads into layout the file given, when it names a folder or ends in the
// kind's extension, or else the layout of the kind's folders whose name is
// given: Latin letters in any case, as the lists find names, and among several
// such the one with exactly these bytes. path receives the file read. EXIT_OK,
// or the status after a message of command.
int LoadNamedLayout(const char* command, const LayoutKind& kind, const std::string& given,
                    CLayout& layout, std::string& path);
