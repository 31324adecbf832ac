#pragma once
// The library's own string table, in Japanese and in English.

#include "platform/CString.h"
#include "platform/Export.h"

#include <string>

ZKLIB_API CString ZkLoadString(UINT id);
ZKLIB_API std::string ZkLoadStringUtf8(UINT id);

// The language of the library's texts: English when the user's language (the
// first set of LC_ALL, LC_MESSAGES and LANG) is English, otherwise Japanese.
enum class ZkLanguage { japanese, english };
ZkLanguage ZkGetLanguage();
// Chooses the language from now on, whatever the environment says.
void ZkSetLanguage(ZkLanguage language);
