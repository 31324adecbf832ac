#include "zklib/ZkRect.h"

#include "platform/SettingsStore.h"

#include <cstdio>

void CZkRect::LoadProfile(const char* section, const char* key, const CRect& def) {
    const CString text = AfxGetProfile().GetProfileString(section, key, "");
    if (text.IsEmpty()) {
        static_cast<CRect&>(*this) = def;
        return;
    }
    int values[4] = {left, top, right, bottom};
    std::sscanf(text, "%d,%d,%d,%d", &values[0], &values[1], &values[2], &values[3]);
    left = values[0];
    top = values[1];
    right = values[2];
    bottom = values[3];
}

BOOL CZkRect::SaveProfile(const char* section, const char* key) const {
    CString text;
    text.Format("%d,%d,%d,%d", int(left), int(top), int(right), int(bottom));
    return AfxGetProfile().WriteProfileString(section, key, text);
}
