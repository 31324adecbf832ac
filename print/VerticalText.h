#pragma once
// Vertical (縦書き) setting of Japanese text for postcards and envelopes. A
// text becomes cells of one em each: lines run top to bottom and successive
// lines right to left. Half-width katakana become full width, Latin letters
// upright full width; long marks, dashes, waves, brackets and parentheses are
// turned a quarter turn; small kana and 、。 sit at the upper right of their
// cell; numbers become kanji numerals or two-digit groups side by side in one
// cell (縦中横).
//
// A line too long for its column is broken before a building name (after the
// house number) or else between any two cells, never inside a number and its
// 丁目, 番, 番地, 号 and hyphens. The text shrinks in half points to a floor
// until it fits.

#include <QFont>
#include <QString>
#include <QStringList>

#include <vector>

enum class NumeralStyle {
    Kanji,      // 1-2-3 → 一ー二ー三, 101 → 一〇一
    KanjiChome, // where the address says 丁目: 3丁目5-8 → 三丁目五番八号, 12 → 十二
    TateChuYoko, // 12 → one cell "12"; longer numbers in groups of two
};

struct VerticalCell {
    enum Kind {
        Upright,
        Rotated, // a quarter turn clockwise
        Small,   // small kana: towards the upper right
        Comma,   // 、。: to the upper right corner
        Group,   // digits side by side in one cell
    };
    QString text;
    Kind kind = Upright;
    // Part of a house number: never broken away from the cell before it
    // when that is one too.
    bool number = false;

    friend bool operator==(const VerticalCell&, const VerticalCell&) = default;
};

using VerticalLine = std::vector<VerticalCell>;

// Digits (half or full width) in the style; hyphens between numbers become ー
// (番 and 号 after 丁目 in the 丁目 style). Half-width katakana and Latin
// letters full width.
QString VerticalNumerals(const QString& text, NumeralStyle style);
// One line of text (no line breaks) as cells, the numerals in the style.
VerticalLine VerticalCells(const QString& line, NumeralStyle style);
// Breaks a line into lines of at most capacity cells where the rules allow;
// a piece that cannot be broken stays longer than capacity. Blanks at a
// break are dropped.
std::vector<VerticalLine> BreakVerticalLine(const VerticalLine& line, int capacity);

// A block of vertical text laid out in a rectangle.
struct VerticalBlock {
    std::vector<VerticalLine> lines;
    double points = 0;      // the size it was set in
    double cellMm = 0;      // the height of a cell
    double linePitchMm = 0; // from one line's centre to the next
    bool fits = false;
};

// Lays out lines (each a line of the card; a line may be broken further)
// in a rectangle widthMm across and heightMm down, from points down to
// minPoints in half points. Nothing fits a rectangle without size.
// With maxLines above 0, no more lines than that fit.
VerticalBlock LayOutVertical(const QStringList& lines, NumeralStyle style, double points,
                             double minPoints, double widthMm, double heightMm,
                             double lineSpacing = 1.4, int maxLines = 0);

// The characters of text the font and its fallbacks cannot draw, once each.
QString UndrawableCharacters(const QString& text, const QFont& font);
