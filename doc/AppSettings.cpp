#include "doc/AppSettings.h"

#include "platform/SettingsStore.h"

#include <algorithm>

int IntSetting::Load() const {
    return std::clamp(AfxGetProfile().GetProfileInt(section, key, def), min, max);
}

BOOL IntSetting::Save(int value) const {
    return AfxGetProfile().WriteProfileInt(section, key, value);
}

CString StringSetting::Load() const {
    return AfxGetProfile().GetProfileString(section, key, def);
}

BOOL StringSetting::Save(const char* value) const {
    return AfxGetProfile().WriteProfileString(section, key, value);
}
