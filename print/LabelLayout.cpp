#include "print/LabelLayout.h"

#include "platform/QtText.h"

#include <QImage>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kStepPoints = 0.5;
// Room for rounding in the sums of line heights and widths.
constexpr double kSlackPx = 0.01;

// The device text is laid out for: nothing is painted on it.
const QImage& LayoutDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMeter = qRound(kLabelLayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

// Lays out every line; true when they all fit.
bool LayOutLines(QTextLayout& layout, double width, double height) {
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    bool fits = true;
    double y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        if (line.naturalTextWidth() > width + kSlackPx)
            fits = false;
    }
    layout.endLayout();
    return fits && y <= height + kSlackPx;
}

} // namespace

QString LabelDrawingText(const CString& text) {
    QString drawn = qtext::FromSjis(text);
    drawn.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    drawn.replace(QLatin1Char('\r'), QChar::LineSeparator);
    drawn.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return drawn;
}

QFont LabelFontSizes::At(double points) {
    for (const auto& [size, font] : m_sized)
        if (size == points)
            return font;
    QFont sized(m_font);
    sized.setPointSizeF(points);
    // Made for the device here, the font is shared by the layouts made with it
    // and keeps the font engines they find.
    return m_sized.emplace_back(points, QFont(sized, &LayoutDevice())).second;
}

LabelLayout LayOutLabel(const QString& text, const QFont& font, double widthMm, double heightMm,
                        double minPoints) {
    LabelFontSizes fonts(font);
    return LayOutLabel(text, fonts, widthMm, heightMm, minPoints);
}

LabelLayout LayOutLabel(const QString& text, LabelFontSizes& fonts, double widthMm, double heightMm,
                        double minPoints) {
    if (!(widthMm > 0) || !(heightMm > 0))
        return LabelLayout{};
    const double width = widthMm * kLabelLayoutPxPerMm;
    const double height = heightMm * kLabelLayoutPxPerMm;
    const QFont& font = fonts.Font();
    const double nominal = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    const double smallest = std::min(minPoints, nominal);
    // Size k of the sizes tried: the nominal size less k half points, the
    // smallest size last.
    const int last = static_cast<int>(std::ceil((nominal - smallest) / kStepPoints));
    const auto sizeAt = [&](int k) { return std::max(nominal - k * kStepPoints, smallest); };
    const auto layOut = [&](int k) {
        LabelLayout label;
        label.text = std::make_unique<QTextLayout>(text, fonts.At(sizeAt(k)), &LayoutDevice());
        label.text->setCacheEnabled(true);
        label.fits = LayOutLines(*label.text, width, height);
        label.points = sizeAt(k);
        return label;
    };
    // The largest size that fits, found by halving the sizes between the
    // nominal size, which mostly fits, and the smallest.
    LabelLayout atNominal = layOut(0);
    if (atNominal.fits || last == 0)
        return atNominal;
    LabelLayout best = layOut(last);
    if (!best.fits)
        return best;
    int tooLarge = 0;
    int fits = last;
    while (fits - tooLarge > 1) {
        const int k = (tooLarge + fits) / 2;
        LabelLayout label = layOut(k);
        if (label.fits) {
            fits = k;
            best = std::move(label);
        } else {
            tooLarge = k;
        }
    }
    return best;
}
