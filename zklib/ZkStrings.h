#pragma once
// The library's own string table.

#include "platform/CString.h"

#include <string>

CString ZkLoadString(UINT id);
std::string ZkLoadStringUtf8(UINT id);
