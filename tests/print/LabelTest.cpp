// A label's text, the print fonts and how the text is laid out in a label (the
// page setup GUI test shows the default and chosen fonts).

#include "PrintTestSupport.h"

#include "platform/MemorySettingsStore.h"
#include "print/LabelLayout.h"
#include "print/LabelText.h"

#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QFont Gothic(double points) {
    EnsureGuiApplication();
    LOGFONT lf{};
    lf.lfHeight = static_cast<LONG>(-points * 10);
    return MakeLabelFont(lf, 720, true);
}

QStringList Lines(const LabelLayout& label) {
    QStringList lines;
    for (int i = 0; i < label.text->lineCount(); ++i) {
        const QTextLine line = label.text->lineAt(i);
        lines << label.text->text().mid(line.textStart(), line.textLength());
    }
    return lines;
}

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(LabelLayout, AFittingLabelKeepsItsSizeAndBreaksAtEveryLineEnd) {
    const QString text = LabelDrawingText(CString("a\r\nb\nc\rd & e\x81")); // damaged end shows
    const LabelLayout label = LayOutLabel(text, Gothic(9), 80, 35, 6);
    EXPECT_TRUE(label.fits);
    EXPECT_EQ(label.points, 9);
    EXPECT_EQ(Lines(label),
              (QStringList{Q("a\u2028"), Q("b\u2028"), Q("c\u2028"), Q("d & e\uFFFD")}));
}

TEST(LabelLayout, ALongAddressShrinksTheFontAndKeepsTheName) {
    const CAddrCard card =
        JapaneseCard("山田 太郎", "123-4567",
                     "東京都千代田区千代田一丁目一番一号 千代田ﾋﾞﾙﾃﾞｨﾝｸﾞ 東館 二十三階 "
                     "総務部気付 受付ｶｳﾝﾀｰ前 ﾚｾﾌﾟｼｮﾝ 郵便物担当",
                     "株式会社 ｺﾙｳﾞｧﾈ商事", "代表取締役社長");
    const LabelLayout label =
        LayOutLabel(LabelDrawingText(ComposeLabelText(card)), Gothic(12), 60, 30, 6);
    EXPECT_TRUE(label.fits);
    EXPECT_LT(label.points, 12);
    EXPECT_EQ(std::fmod(label.points, 0.5), 0);
    EXPECT_EQ(Lines(label).last(), Q("山田 太郎 様"));
    // The largest size that fits: half a point more does not.
    const double larger = label.points + 0.5;
    EXPECT_FALSE(
        LayOutLabel(LabelDrawingText(ComposeLabelText(card)), Gothic(larger), 60, 30, larger).fits);
    EXPECT_LE(label.text->boundingRect().bottom(), 30 * kLabelLayoutPxPerMm + 0.01);

    // Sizes kept from label to label: each label is laid out as it would be alone.
    LabelFontSizes kept(Gothic(12));
    const QString text = LabelDrawingText(ComposeLabelText(card));
    for (const auto& [laidOut, points] :
         {std::pair{text, label.points}, {Q("山田 様"), 12.0}, {text, label.points}}) {
        const LabelLayout again = LayOutLabel(laidOut, kept, 60, 30, 6);
        EXPECT_EQ(again.points, points);
        EXPECT_EQ(again.text->font().pointSizeF(), points);
        EXPECT_EQ(Lines(again), laidOut == text ? Lines(label) : QStringList{Q("山田 様")});
    }
}

TEST(LabelLayout, WhatCannotFitIsReportedAtTheSmallestSize) {
    QString text;
    for (int i = 0; i < 40; ++i)
        text += Q("長い住所の行\u2028");
    // A font set below the smallest size is not enlarged, nor shrunk further.
    for (auto [points, at] : {std::pair{9, 6}, {5, 5}}) {
        const LabelLayout label = LayOutLabel(text, Gothic(points), 30, 20, 6);
        EXPECT_FALSE(label.fits);
        EXPECT_EQ(label.points, at);
    }
}

TEST(LabelText, LinesOfJapaneseAndEnglishCards) {
    CAddrCard unsaved = JapaneseCard("佐藤", "", "大阪市");
    unsaved.m_nNotation = NOTATION_NONE;
    const std::pair<CAddrCard, const char*> cases[] = {
        {JapaneseCard("山田 太郎", "100-0001", "  東京都\r\n千代田区 1-1 \r\n", "株式会社 山田商事",
                      "営業部長"),
         "〒 100-0001\n東京都\r\n千代田区 1-1\n株式会社 山田商事\n営業部長\n山田 太郎 様"},
        // Without a name the suffix follows the last line that is not empty.
        {JapaneseCard("", "", "京都市", "ｺﾙｳﾞｧﾈ商会"), "京都市\nｺﾙｳﾞｧﾈ商会 様"},
        // Without an address its line stays, empty.
        {JapaneseCard("鈴木", "060-0000", ""), "〒 060-0000\n\n鈴木 様"},
        {JapaneseCard("", "", ""), " 様"},
        {unsaved, "大阪市\n佐藤 様"},
        // Blanks at the end of the whole text go, wherever they are.
        {JapaneseCard("  ", "", "京都市", "会社"), "京都市\n会社 様"},
        {JapaneseCard("山田\t ", "", "ソ表"), "ソ表\n山田 様"},
        {JapaneseCard("", "", "  \r\n"), " 様"},
        {EnglishCard("John Smith", "1 Main St.\r\nSpringfield", "Acme Inc."),
         "John Smith\nAcme Inc.\n1 Main St.\r\nSpringfield"},
        {EnglishCard("Jane Doe", "  \t2 Elm St. \r\n", "Doe & Co.", "Director"),
         "Jane Doe\nDirector\nDoe & Co.\n2 Elm St."},
        {EnglishCard("", "Tokyo"), "Tokyo"},
        {EnglishCard("Only Name", ""), "Only Name\n"},
    };
    for (const auto& [card, expected] : cases)
        EXPECT_EQ(ComposeLabelText(card), Sjis(expected)) << expected;
}

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
    AfxSetProfile(nullptr);
}

// Heights kept at another printer resolution read back at their size in
// points; a resolution beyond reason is taken as the default.
TEST(PrintFonts, HeightsStoredAtAnyResolutionKeepTheirSize) {
    CMemorySettingsStore store;
    AfxSetProfile(&store);
    const struct {
        const char* dpi; // nullptr: no key, as before it was written
        const char* font;
        LONG height, width;
    } cases[] = {
        {"600", "-100,-40", -100, -40}, {"300", "-50,-20", -100, -40},
        {"96", "-16,0", -100, 0},       {nullptr, "-100,0", -100, 0},
        {"0", "-75,0", -75, 0},         {"96", "-2147483647,0", -2147483647, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font);
        store.WriteProfileString("Settings", "PrintFontDpi", c.dpi);
        store.WriteProfileString("Settings", "PrintFontJa", c.font);
        store.WriteProfileString("Settings", "PrintFontJa_FaceName", "IPAGothic");
        CPrintFonts fonts;
        fonts.LoadFromProfile();
        EXPECT_EQ(fonts.m_lfJapanese.lfHeight, c.height);
        EXPECT_EQ(fonts.m_lfJapanese.lfWidth, c.width);
    }
    CPrintFonts fonts;
    fonts.LoadFromProfile();
    ASSERT_TRUE(fonts.SaveToProfile());
    EXPECT_EQ(store.GetProfileInt("Settings", "PrintFontDpi", 0), 600);
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
