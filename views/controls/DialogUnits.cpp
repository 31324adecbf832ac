#include "views/controls/DialogUnits.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

// Rounds half away from zero, like the platform's MulDiv.
int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

} // namespace

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the Latin letters, rounded, as the platform takes it
    // for a dialog's font; CJK fonts report a misleading average of their own.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = std::max(1, (letters / 26 + 1) / 2);
    m_nBaseY = std::max(1, metrics.height());
}

int CDialogUnits::X(int dlu) const {
    return MulDiv(dlu, m_nBaseX, 4);
}

int CDialogUnits::Y(int dlu) const {
    return MulDiv(dlu, m_nBaseY, 8);
}

QRect CDialogUnits::Rect(int x, int y, int width, int height) const {
    const int left = X(x);
    const int top = Y(y);
    return {left, top, X(x + width) - left, Y(y + height) - top};
}
