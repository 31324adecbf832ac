// The print fonts' tests show a font's stored form; here what a partial one
// gives, and numbers under a locale with a decimal comma.

#include "zklib/ZkProf.h"
#include "platform/CNumber.h"
#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
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

// Under a locale with a decimal comma (Qt sets the C library's locale from the
// environment), numbers in settings and texts still use a point.
TEST(ZkProf, NumbersKeepTheirPointUnderACommaLocale) {
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale here (scripts/setup.sh makes one)";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5"); // the locale really writes a comma

    CMemorySettingsStore store;
    AfxSetProfile(&store);
    store.WriteProfileString("Settings", "Width", "215.9");
    EXPECT_FLOAT_EQ(ZkProf_Load("Settings", "Width", 0.0f), 215.9f);
    ASSERT_TRUE(ZkProf_Save("Settings", "Width", 21.59f));
    EXPECT_EQ(store.GetProfileString("Settings", "Width"), CString("21.590000"));
    AfxSetProfile(nullptr);

    CString text;
    text.Format("%12.3f|%10.2f", 21.59, 7.5);
    EXPECT_EQ(text, CString("      21.590|      7.50"));
    const std::pair<const char*, std::optional<double>> parses[] = {
        {"215.9", 215.9},      {" -2.0 ", -2.0},   {"10,5", std::nullopt},
        {"inf", std::nullopt}, {"", std::nullopt}, {"1.5mm", std::nullopt}};
    for (const auto& [input, expected] : parses)
        EXPECT_EQ(cnum::ParseDouble(input), expected) << input;
    std::setlocale(LC_ALL, old.c_str());
}
