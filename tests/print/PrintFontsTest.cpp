#include "PrintTestSupport.h"

#include "platform/MemorySettingsStore.h"
#include "print/PrintFonts.h"

#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>

TEST(PrintFonts, DefaultsAreNinePointsInPrinterPixelsAndSettingsKeepTheWholeDescriptions) {
    CMemorySettingsStore store;
    AfxSetProfile(&store);
    CPrintFonts fonts;
    std::strcpy(fonts.m_lfEnglish.lfFaceName, "Courier");
    fonts.m_lfEnglish.lfHeight = -40;
    fonts.m_lfEnglish.lfWeight = 700;
    fonts.SetMissingToDefaults(600);
    EXPECT_EQ(fonts.m_lfEnglish.lfHeight, -40); // a chosen font stays
    ASSERT_TRUE(fonts.SaveToProfile());
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontJa"),
              CString("-75,0,0,0,0,0,0,0,1,0,0,0,0"));
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontJa_FaceName"), CString("IPAGothic"));
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontEn"),
              CString("-40,0,0,0,700,0,0,0,0,0,0,0,0"));
    EXPECT_EQ(store.GetProfileString("Settings", "PrintFontEn_FaceName"), CString("Courier"));
    CPrintFonts read;
    read.LoadFromProfile();
    EXPECT_EQ(read.m_lfEnglish.lfWeight, 700);
    EXPECT_STREQ(read.m_lfJapanese.lfFaceName, "IPAGothic");
    AfxSetProfile(nullptr);

    CPrintFonts other;
    other.SetMissingToDefaults(300);
    EXPECT_EQ(other.m_lfEnglish.lfHeight, -37);
    EXPECT_STREQ(other.m_lfEnglish.lfFaceName, "Arial");
}

TEST(PrintFonts, JapaneseTextAlwaysHasAJapaneseFace) {
    EnsureGuiApplication();
    LOGFONT lf{};
    lf.lfHeight = -75;
    std::strcpy(lf.lfFaceName, "MS UI Gothic"); // not on this system
    const QFont japanese = MakeLabelFont(lf, 600, true);
    EXPECT_DOUBLE_EQ(japanese.pointSizeF(), 9.0);
    EXPECT_EQ(japanese.families().value(0), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(japanese).family(), QStringLiteral("IPAGothic"));

    // The face name is Shift_JIS: IPA Gothic by its Japanese name.
    const CString ipa = Sjis("IPAゴシック");
    std::memcpy(lf.lfFaceName, ipa.GetString(), ipa.GetLength() + 1);
    EXPECT_EQ(MakeLabelFont(lf, 600, true).families().value(0), QString::fromUtf8("IPAゴシック"));

    // An English face keeps its place and falls back to Japanese faces.
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    lf.lfHeight = -100;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    const QFont english = MakeLabelFont(lf, 600, false);
    EXPECT_EQ(english.families().value(0), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(english.families().contains(QStringLiteral("IPAGothic")));
    EXPECT_DOUBLE_EQ(english.pointSizeF(), 12.0);
    EXPECT_EQ(english.weight(), QFont::Bold);
    EXPECT_TRUE(english.italic());

    // A Latin face that is not installed gives way to the system's stand-in for
    // Latin text, not to the Japanese fallback.
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
