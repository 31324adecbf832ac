#include "PrintTestSupport.h"

#include "print/LabelLayout.h"
#include "print/LabelText.h"

#include <gtest/gtest.h>

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
}

TEST(LabelLayout, AWordTooLongForALineBreaksAnywhere) {
    const QString text = Q("Someone\u2028https://example.com/a/very/long/path/to/a/page");
    const LabelLayout label = LayOutLabel(text, Gothic(9), 25, 40, 6);
    EXPECT_TRUE(label.fits);
    EXPECT_GE(label.text->lineCount(), 3);
    EXPECT_EQ(Lines(label).join(QString()), text);
    for (int i = 0; i < label.text->lineCount(); ++i)
        EXPECT_LE(label.text->lineAt(i).naturalTextWidth(), 25 * kLabelLayoutPxPerMm + 0.01);
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
