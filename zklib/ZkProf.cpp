#include "zklib/ZkProf.h"

#include "platform/CNumber.h"
#include "platform/MbChar.h"
#include "platform/SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

float ZkProf_Load(const char* section, const char* key, float def) {
    const CString text = AfxGetProfile().GetProfileString(section, key, "");
    return text.IsEmpty() ? def : static_cast<float>(cnum::Atof(text));
}

BOOL ZkProf_Save(const char* section, const char* key, float value) {
    CString text;
    text.Format("%f", static_cast<double>(value));
    return AfxGetProfile().WriteProfileString(section, key, text);
}

UINT ZkProf_Load(const char* section, const char* key, UINT def) {
    return static_cast<UINT>(AfxGetProfile().GetProfileInt(section, key, static_cast<int>(def)));
}

BOOL ZkProf_Save(const char* section, const char* key, UINT value) {
    return AfxGetProfile().WriteProfileInt(section, key, static_cast<int>(value));
}

DWORD ZkProf_LoadHex(const char* section, const char* key, DWORD def) {
    const CString text = AfxGetProfile().GetProfileString(section, key, "");
    unsigned value = 0;
    if (!text.IsEmpty() && std::sscanf(text, "%08x", &value) == 1)
        return value;
    return def;
}

BOOL ZkProf_SaveHex(const char* section, const char* key, DWORD value) {
    CString text;
    text.Format("%08x", static_cast<unsigned>(value));
    return AfxGetProfile().WriteProfileString(section, key, text);
}

void ZkProf_FontToText(const LOGFONT& f, char* text, int size) {
    std::snprintf(text, static_cast<size_t>(size), "%ld,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d",
                  long(f.lfHeight), long(f.lfWidth), long(f.lfEscapement), long(f.lfOrientation),
                  long(f.lfWeight), f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet,
                  f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily);
}

void ZkProf_TextToFont(const char* text, LOGFONT& f) {
    long head[5] = {};
    int tail[8] = {};
    std::sscanf(text, "%ld,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d", &head[0], &head[1], &head[2],
                &head[3], &head[4], &tail[0], &tail[1], &tail[2], &tail[3], &tail[4], &tail[5],
                &tail[6], &tail[7]);
    f.lfHeight = static_cast<LONG>(head[0]);
    f.lfWidth = static_cast<LONG>(head[1]);
    f.lfEscapement = static_cast<LONG>(head[2]);
    f.lfOrientation = static_cast<LONG>(head[3]);
    f.lfWeight = static_cast<LONG>(head[4]);
    BYTE* bytes[8] = {&f.lfItalic,       &f.lfUnderline,     &f.lfStrikeOut, &f.lfCharSet,
                      &f.lfOutPrecision, &f.lfClipPrecision, &f.lfQuality,   &f.lfPitchAndFamily};
    for (int i = 0; i < 8; ++i)
        *bytes[i] = static_cast<BYTE>(tail[i] & 0xFF);
}

LOGFONT ZkProf_Load(const char* section, const char* key, const LOGFONT* def) {
    const CString numbers = AfxGetProfile().GetProfileString(section, key, "");
    const CString face =
        AfxGetProfile().GetProfileString(section, (CString(key) + "_FaceName").GetString(), "");
    if (numbers.IsEmpty() || face.IsEmpty())
        return def ? *def : LOGFONT{};
    LOGFONT font{};
    ZkProf_TextToFont(numbers, font);
    // Cut an overlong face name to fit, never inside a double-byte character.
    int len = 0;
    for (int i = 0; i < face.GetLength() && i < LF_FACESIZE - 1;) {
        const int step = mb::CharLen(face.GetString() + i);
        if (i + step > LF_FACESIZE - 1)
            break;
        i += step;
        len = i;
    }
    std::memcpy(font.lfFaceName, face.GetString(), static_cast<size_t>(len));
    font.lfFaceName[len] = '\0';
    return font;
}

BOOL ZkProf_Save(const char* section, const char* key, const LOGFONT& font) {
    char numbers[160];
    ZkProf_FontToText(font, numbers, sizeof numbers);
    if (!AfxGetProfile().WriteProfileString(section, key, numbers))
        return FALSE;
    const CString face(font.lfFaceName, static_cast<int>(strnlen(font.lfFaceName, LF_FACESIZE)));
    return AfxGetProfile().WriteProfileString(section, (CString(key) + "_FaceName").GetString(),
                                              face);
}
