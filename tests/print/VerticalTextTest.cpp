// Vertical setting: numerals in each style, the cells' kinds (turned, small,
// side by side), where long lines break and the shrinking to fit.

#include "print/VerticalText.h"

#include <gtest/gtest.h>

namespace {

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Cells as text: upright as they are, R: turned, S: small, C: 、。, G: side by side.
std::string Describe(const VerticalLine& cells) {
    static const char* const tags[] = {"", "R:", "S:", "C:", "G:"};
    std::string out;
    for (const VerticalCell& cell : cells)
        ((out += out.empty() ? "" : "|") += tags[cell.kind]) += cell.text.toStdString();
    return out;
}

std::string Lines(const std::vector<VerticalLine>& lines) {
    std::string out;
    for (const VerticalLine& line : lines) {
        for (const VerticalCell& cell : line)
            out += cell.text.toStdString();
        out += "/";
    }
    return out;
}

} // namespace

TEST(VerticalText, Numerals) {
    struct Case {
        NumeralStyle style;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {NumeralStyle::Kanji, "1", "一"},
        {NumeralStyle::Kanji, "10", "一〇"},
        {NumeralStyle::Kanji, "12", "一二"},
        {NumeralStyle::Kanji, "20", "二〇"},
        {NumeralStyle::Kanji, "101", "一〇一"},
        {NumeralStyle::Kanji, "1-2-3", "一ー二ー三"},
        {NumeralStyle::Kanji, "１２", "一二"},
        {NumeralStyle::Kanji, "3丁目5-8", "三丁目五ー八"},
        {NumeralStyle::Kanji, "2F", "二Ｆ"},
        {NumeralStyle::Kanji, "Ａ棟", "Ａ棟"},
        {NumeralStyle::Kanji, "ｶﾞｰﾃﾞﾝ 201", "ガーデン　二〇一"},
        {NumeralStyle::Kanji, "1－2‐3", "一ー二ー三"},
        // The 丁目 style only where the address says 丁目.
        {NumeralStyle::KanjiChome, "3丁目5-8", "三丁目五番八号"},
        {NumeralStyle::KanjiChome, "1丁目12-20", "一丁目十二番二十号"},
        {NumeralStyle::KanjiChome, "2丁目101", "二丁目百一"},
        {NumeralStyle::KanjiChome, "1-2-3", "一ー二ー三"},
        {NumeralStyle::TateChuYoko, "１２-3", "12ー3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VerticalNumerals(Q(c.in), c.style).toStdString(), c.out) << c.in;
}

TEST(VerticalText, Cells) {
    struct Case {
        NumeralStyle style;
        const char* in;
        const char* cells;
    };
    const Case cases[] = {
        {NumeralStyle::TateChuYoko, "1-12-101", "１|R:ー|G:12|R:ー|G:10|１"},
        {NumeralStyle::TateChuYoko, "2F", "２|Ｆ"},
        {NumeralStyle::Kanji, "ちょっと（株）", "ち|S:ょ|S:っ|と|R:（|株|R:）"},
        {NumeralStyle::Kanji, "ｼｮｯﾌﾟ～、", "シ|S:ョ|S:ッ|プ|R:～|C:、"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Describe(VerticalCells(Q(c.in), c.style)), c.cells) << c.in;
}

TEST(VerticalText, LineBreaks) {
    struct Case {
        const char* in;
        int capacity;
        const char* lines;
    };
    const Case cases[] = {
        // Before the building name, after the house number.
        {"港区1-2-3Ｓビル", 8, "港区一ー二ー三/Ｓビル/"},
        {"港区1-2-3Ｓビル", 5, "港区/一ー二ー三/Ｓビル/"},
        {"新宿区西新宿2-8-1 都庁第一本庁舎", 12, "新宿区西新宿二ー八ー一/都庁第一本庁舎/"},
        // A number is never broken, even when too long.
        {"12345678", 3, "一二三四五六七八/"},
        // Small kana stay with the cell before them.
        {"東京ビルディング", 5, "東京ビル/ディング/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lines(BreakVerticalLine(VerticalCells(Q(c.in), NumeralStyle::Kanji), c.capacity)),
                  c.lines)
            << c.in << " " << c.capacity;
}

TEST(VerticalText, ShrinksToFit) {
    const QStringList address = {Q("東京都千代田区千代田1-1"), Q("皇居東御苑管理事務所")};
    // 10 points: a cell of 3.53 mm; 40 mm hold 11 cells, two lines need 8.5 mm.
    VerticalBlock block = LayOutVertical(address, NumeralStyle::Kanji, 10, 6, 20, 40);
    EXPECT_TRUE(block.fits);
    EXPECT_EQ(Lines(block.lines), "東京都千代田区/千代田一ー一/皇居東御苑管理事務所/");
    EXPECT_EQ(block.points, 10);
    // Too narrow for three lines at 10 points: smaller until two lines hold it.
    block = LayOutVertical(address, NumeralStyle::Kanji, 10, 6, 8, 50);
    EXPECT_TRUE(block.fits);
    EXPECT_EQ(block.lines.size(), 2u);
    EXPECT_EQ(block.points, 9);
    // A name kept in one column shrinks instead of breaking: 13 cells in 106 mm.
    block = LayOutVertical({Q("ひまわり工業株式会社 御中")}, NumeralStyle::Kanji, 26, 10, 22, 106,
                           1.2, 1);
    EXPECT_EQ(block.lines.size(), 1u);
    EXPECT_EQ(block.points, 23);
    // Nothing fits at the floor: laid out at the floor and reported.
    block = LayOutVertical(address, NumeralStyle::Kanji, 10, 6, 2, 10);
    EXPECT_FALSE(block.fits);
    EXPECT_EQ(block.points, 6);
}
