#pragma once
// Typed values in the program's settings store (AfxGetProfile).

#include "platform/Types.h"

float ZkProf_Load(const char* section, const char* key, float def);
BOOL ZkProf_Save(const char* section, const char* key, float value);
UINT ZkProf_Load(const char* section, const char* key, UINT def);
BOOL ZkProf_Save(const char* section, const char* key, UINT value);
// DWORD values as eight lower-case hexadecimal digits. Named apart from the
// UINT form because the two are one type on this platform.
DWORD ZkProf_LoadHex(const char* section, const char* key, DWORD def);
BOOL ZkProf_SaveHex(const char* section, const char* key, DWORD value);
// A font as thirteen numbers under key and its face name under key + "_FaceName".
// A missing or empty text of either gives a copy of def (all zero when null).
LOGFONT ZkProf_Load(const char* section, const char* key, const LOGFONT* def);
BOOL ZkProf_Save(const char* section, const char* key, const LOGFONT& font);

// The text form of a font description without its face name.
void ZkProf_FontToText(const LOGFONT& font, char* text, int size);
void ZkProf_TextToFont(const char* text, LOGFONT& font);
