#pragma once
// The document type's string (id 128): title, document name, file-new name,
// filter name, filter extension, file type id and file type name, one a line.

#include "platform/UserInteraction.h"

#include <string>

enum DocumentField : int {
    DOC_TITLE = 0,
    DOC_NAME = 1,
    DOC_FILE_NEW_NAME = 2,
    DOC_FILTER_NAME = 3,
    DOC_FILTER_EXT = 4,
    DOC_FILE_TYPE_ID = 5,
    DOC_FILE_TYPE_NAME = 6,
};

// UTF-8; empty when the string has no such field.
std::string DocumentString(DocumentField field);
// A prompt for address book files: the type's filter and extension.
FilePrompt DocumentFilePrompt(std::string title, bool open);
