#pragma once
// File paths in the settings store. The store keeps Shift_JIS texts, while
// paths are in the system's own encoding and may hold characters that code
// page 932 has not (Café). Such a path is stored as a "file:" address with
// percent escapes; every other path as its plain text, as before.

#include "platform/Types.h"

#include <string>

// The native path, or empty when the key is missing or unreadable.
std::string LoadProfilePath(const char* section, const char* key);
BOOL SaveProfilePath(const char* section, const char* key, const std::string& nativePath);
