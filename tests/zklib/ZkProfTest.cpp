#include "zklib/ZkProf.h"
#include "platform/MemorySettingsStore.h"
#include "zklib/ZkRect.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct ZkProf : ::testing::Test {
    ZkProf() { AfxSetProfile(&store); }
    ~ZkProf() override { AfxSetProfile(nullptr); }
    CMemorySettingsStore store;
};

} // namespace

TEST_F(ZkProf, NumbersInTheirTextForms) {
    EXPECT_TRUE(ZkProf_SaveHex("S", "D", 255));
    EXPECT_EQ(store.GetProfileString("S", "D"), CString("000000ff"));
    EXPECT_EQ(ZkProf_LoadHex("S", "D", 7), 255u);
    store.WriteProfileString("S", "D", "zz");
    EXPECT_EQ(ZkProf_LoadHex("S", "D", 7), 7u);
    EXPECT_TRUE(ZkProf_Save("S", "F", 2.5f));
    EXPECT_EQ(store.GetProfileString("S", "F"), CString("2.500000"));
    EXPECT_EQ(ZkProf_Load("S", "F", 1.0f), 2.5f);
    EXPECT_EQ(ZkProf_Load("S", "missing", 1.0f), 1.0f);
}

TEST_F(ZkProf, FontRoundTripsAndFallsBackWhole) {
    LOGFONT font{};
    font.lfHeight = -12;
    font.lfWeight = 700;
    font.lfCharSet = 128;
    std::strcpy(font.lfFaceName, "IPAGothic");
    ASSERT_TRUE(ZkProf_Save("Settings", "PrintFontJa", font));
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontJa"),
              CString("-12,0,0,0,700,0,0,0,128,0,0,0,0"));
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontJa_FaceName"), CString("IPAGothic"));
    EXPECT_STREQ(ZkProf_Load("Settings", "PrintFontJa", nullptr).lfFaceName, "IPAGothic");

    LOGFONT def{};
    def.lfHeight = -9;
    std::strcpy(def.lfFaceName, "Arial");
    store.RemoveKey("Settings", "PrintFontJa_FaceName");
    const LOGFONT fallback = ZkProf_Load("Settings", "PrintFontJa", &def);
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
}

TEST_F(ZkProf, RectangleKeepsWhatTheTextDoesNotGive) {
    CZkRect r(POINT{1, 2}, SIZE{30, 40});
    ASSERT_TRUE(r.SaveProfile("Settings", "WindowPos"));
    EXPECT_EQ(store.GetProfileString("Settings", "WindowPos"), CString("1,2,31,42"));
    store.WriteProfileString("Settings", "WindowPos", "10,20");
    r.LoadProfile("Settings", "WindowPos", CRect(0, 0, 5, 5));
    EXPECT_EQ(r, CRect(10, 20, 31, 42));
    r.LoadProfile("Settings", "none", CRect(0, 0, 5, 5));
    EXPECT_EQ(r, CRect(0, 0, 5, 5));
}
