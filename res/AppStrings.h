#pragma once
// The program's string table (res/strings/kolvane.tsv).

#include "platform/StringTable.h"

const CStringTable& AppStrings();
// The text of id as Shift_JIS, and as UTF-8 for messages.
CString LoadAppString(UINT id);
std::string LoadAppStringUtf8(UINT id);
