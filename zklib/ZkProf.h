#pragma once
// Typed values in the program's settings store (AfxGetProfile).

#include "platform/Export.h"
#include "platform/Types.h"

ZKLIB_API float ZkProf_Load(const char* section, const char* key, float def);
ZKLIB_API BOOL ZkProf_Save(const char* section, const char* key, float value);
ZKLIB_API UINT ZkProf_Load(const char* section, const char* key, UINT def);
ZKLIB_API BOOL ZkProf_Save(const char* section, const char* key, UINT value);
// DWORD values as eight lower-case hexadecimal digits. Named apart from the
// UINT form because the two are one type on this platform.
ZKLIB_API DWORD ZkProf_LoadHex(const char* section, const char* key, DWORD def);
ZKLIB_API BOOL ZkProf_SaveHex(const char* section, const char* key, DWORD value);
// A font as thirteen numbers under key and its face name under key + "_FaceName".
// A missing or empty text of either gives a copy of def (all zero when null).
ZKLIB_API LOGFONT ZkProf_Load(const char* section, const char* key, const LOGFONT* def);
ZKLIB_API BOOL ZkProf_Save(const char* section, const char* key, const LOGFONT& font);

// The text form of a font description without its face name.
ZKLIB_API void ZkProf_FontToText(const LOGFONT& font, char* text, int size);
ZKLIB_API void ZkProf_TextToFont(const char* text, LOGFONT& font);
