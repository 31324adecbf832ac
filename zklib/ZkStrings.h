#pragma once
// The library's own string table.

#include "platform/CString.h"
#include "platform/Export.h"

#include <string>

ZKLIB_API CString ZkLoadString(UINT id);
ZKLIB_API std::string ZkLoadStringUtf8(UINT id);
