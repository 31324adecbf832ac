// The print fonts' tests show a font's stored form; here what a partial one gives.

#include "zklib/ZkProf.h"
#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ZkProf, AFontKeepsWhatTheTextDoesNotGive) {
    CMemorySettingsStore store;
    AfxSetProfile(&store);
    LOGFONT def{};
    def.lfHeight = -9;
    std::strcpy(def.lfFaceName, "Arial");
    // Without its face name a font falls back whole.
    store.WriteProfileString("Settings", "F", "-12,0,0,0,700,0,0,0,128,0,0,0,0");
    const LOGFONT fallback = ZkProf_Load("Settings", "F", &def);
    EXPECT_EQ(fallback.lfHeight, -9);
    EXPECT_STREQ(fallback.lfFaceName, "Arial");

    // Short number lists leave the rest 0; bytes keep their low byte; a long
    // face name is cut to 31 bytes, never inside a double-byte character.
    store.WriteProfileString("Settings", "X", "-10,0,0,0,400,257");
    store.WriteProfileString("Settings", "X_FaceName",
                             "123456789012345678901234567890\x95\x5C\x61");
    const LOGFONT cut = ZkProf_Load("Settings", "X", nullptr);
    EXPECT_EQ(cut.lfWeight, 400);
    EXPECT_EQ(cut.lfItalic, 1);
    EXPECT_EQ(cut.lfCharSet, 0);
    EXPECT_STREQ(cut.lfFaceName, "123456789012345678901234567890");
    AfxSetProfile(nullptr);
}
