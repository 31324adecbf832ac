#pragma once
// Lays out the text of one label in its text rectangle, at one resolution for
// every device: lines broken between words at the right edge (a word too long
// for a line anywhere), the font shrunk half a point at a time until the text
// fits or the smallest size is reached.

#include "platform/CString.h"

#include <QFont>
#include <QString>
#include <QTextLayout>

#include <memory>
#include <utility>
#include <vector>

// Layout pixels to the inch.
inline constexpr double kLabelLayoutDpi = 1200.0;
inline constexpr double kLabelLayoutPxPerMm = kLabelLayoutDpi / 25.4;

struct LabelLayout {
    // Lines positioned in layout pixels from the rectangle's top-left corner.
    std::unique_ptr<QTextLayout> text;
    double points = 0; // the font size the lines were laid out in
    bool fits = false;
};

// Shift_JIS label text as drawn: every line break (CR LF, CR or LF) a line
// separator; bytes the code page does not define show as U+FFFD.
QString LabelDrawingText(const CString& text);

// A label font at the sizes labels are tried in, each made once for the layout
// resolution: laid out in fonts of their own, labels would look up the same
// font files again and again.
class LabelFontSizes {
public:
    explicit LabelFontSizes(const QFont& font) : m_font(font) {}

    const QFont& Font() const { return m_font; }
    QFont At(double points);

private:
    QFont m_font;
    std::vector<std::pair<double, QFont>> m_sized;
};

// Nothing fits a rectangle without width or height: the result then has no lines.
LabelLayout LayOutLabel(const QString& text, LabelFontSizes& fonts, double widthMm, double heightMm,
                        double minPoints);
LabelLayout LayOutLabel(const QString& text, const QFont& font, double widthMm, double heightMm,
                        double minPoints);
