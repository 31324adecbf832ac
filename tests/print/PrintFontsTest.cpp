// The print fonts in the settings and the Qt fonts made from them (the page
// setup GUI test shows the defaults and the chosen fonts).

#include "PrintTestSupport.h"

#include "platform/MemorySettingsStore.h"

#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>

TEST(PrintFonts, SettingsKeepTheWholeDescriptions) {
    CMemorySettingsStore store;
    AfxSetProfile(&store);
    CPrintFonts fonts;
    std::strcpy(fonts.m_lfEnglish.lfFaceName, "Courier");
    fonts.m_lfEnglish.lfHeight = -40;
    fonts.m_lfEnglish.lfWeight = 700;
    fonts.SetMissingToDefaults(300);
    ASSERT_TRUE(fonts.SaveToProfile());
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontJa"),
              CString("-37,0,0,0,0,0,0,0,1,0,0,0,0"));
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontEn"),
              CString("-40,0,0,0,700,0,0,0,0,0,0,0,0"));
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontEn_FaceName"), CString("Courier"));
    CPrintFonts read;
    read.LoadFromProfile();
    EXPECT_EQ(read.m_lfEnglish.lfWeight, 700);
    EXPECT_STREQ(read.m_lfJapanese.lfFaceName, "IPAGothic");
    AfxSetProfile(nullptr);
}

TEST(PrintFonts, JapaneseTextAlwaysHasAJapaneseFace) {
    EnsureGuiApplication();
    LOGFONT lf{};
    lf.lfHeight = -75;
    std::strcpy(lf.lfFaceName, "MS UI Gothic"); // not on this system
    const QFont japanese = MakeLabelFont(lf, 600, true);
    EXPECT_DOUBLE_EQ(japanese.pointSizeF(), 9.0);
    EXPECT_EQ(QFontInfo(japanese).family(), QStringLiteral("IPAGothic"));

    // The face name is Shift_JIS: IPA Gothic by its Japanese name.
    const CString ipa = Sjis("IPAゴシック");
    std::memcpy(lf.lfFaceName, ipa.GetString(), ipa.GetLength() + 1);
    EXPECT_EQ(MakeLabelFont(lf, 600, true).families().value(0), QString::fromUtf8("IPAゴシック"));

    // A Latin face that is not installed gives way to the system's stand-in for
    // Latin text, not to the Japanese fallback that follows it.
    std::strcpy(lf.lfFaceName, "Arial");
    const QFont arial = MakeLabelFont(lf, 600, false);
    EXPECT_EQ(arial.families().value(0), QStringLiteral("Arial"));
    EXPECT_NE(QFontInfo(arial).family(), QStringLiteral("IPAGothic"));
    EXPECT_TRUE(arial.families().contains(QStringLiteral("IPAGothic")));

    // Heights beyond reason are kept within reason.
    lf.lfHeight = -2147483647;
    EXPECT_DOUBLE_EQ(MakeLabelFont(lf, 600, false).pointSizeF(), 500.0);
    lf.lfHeight = 0;
    EXPECT_DOUBLE_EQ(MakeLabelFont(lf, 600, false).pointSizeF(), 9.0);
}
