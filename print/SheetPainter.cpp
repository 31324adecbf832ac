#include "print/SheetPainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kShadow = 3;

QRectF ToArea(const RectMm& r, double scale, QPointF origin) {
    return QRectF(origin + QPointF(r.left * scale, r.top * scale),
                  origin + QPointF(r.right * scale, r.bottom * scale));
}

} // namespace

bool PaintSheet(QPainter& painter, const QRect& area, const CPageLayout& layout) {
    if (!layout.IsValid())
        return false;
    const double width = layout.GetPrintWidth().mm();
    const double height = layout.GetPrintHeight().mm();
    const double scale =
        std::min((area.width() - kShadow) / width, (area.height() - kShadow) / height);
    if (!std::isfinite(scale) || scale <= 0)
        return false;
    const QPointF origin(area.left() + (area.width() - kShadow - width * scale) / 2,
                         area.top() + (area.height() - kShadow - height * scale) / 2);
    const QRectF page(origin, QSizeF(width * scale, height * scale));
    painter.save();
    painter.fillRect(page.translated(kShadow, kShadow), Qt::darkGray);
    painter.fillRect(page, Qt::white);
    const int cells = layout.GetCellCount();
    for (int cell = 0; cell < cells; ++cell)
        painter.fillRect(ToArea(layout.GetCellTextRectF(cell), scale, origin),
                         QColor(220, 232, 255));
    painter.setPen(QPen(QColor(128, 128, 128), 0));
    painter.setBrush(Qt::NoBrush);
    for (int cell = 0; cell < cells; ++cell)
        painter.drawRect(ToArea(layout.GetCellRectF(cell), scale, origin));
    // The page margins that are not zero, across the whole page.
    painter.setPen(QPen(Qt::blue, 0, Qt::DotLine));
    const double left = origin.x() + layout.m_lenPageMarginLeft.mm() * scale;
    const double right = page.right() - layout.m_lenPageMarginRight.mm() * scale;
    const double top = origin.y() + layout.m_lenPageMarginTop.mm() * scale;
    const double bottom = page.bottom() - layout.m_lenPageMarginBottom.mm() * scale;
    if (layout.m_lenPageMarginLeft > Length())
        painter.drawLine(QPointF(left, page.top()), QPointF(left, page.bottom()));
    if (layout.m_lenPageMarginRight > Length())
        painter.drawLine(QPointF(right, page.top()), QPointF(right, page.bottom()));
    if (layout.m_lenPageMarginTop > Length())
        painter.drawLine(QPointF(page.left(), top), QPointF(page.right(), top));
    if (layout.m_lenPageMarginBottom > Length())
        painter.drawLine(QPointF(page.left(), bottom), QPointF(page.right(), bottom));
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(page);
    painter.restore();
    return true;
}
