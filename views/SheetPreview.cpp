#include "views/SheetPreview.h"

#include <QPainter>

namespace {

constexpr int kBorder = 6;

QRectF ToWidget(const RectMm& r, double scale, QPointF origin) {
    return QRectF(origin + QPointF(r.left * scale, r.top * scale),
                  origin + QPointF(r.right * scale, r.bottom * scale));
}

} // namespace

CSheetPreview::CSheetPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("sheetPreview"));
    setMinimumSize(150, 180);
}

void CSheetPreview::SetLayout(const std::optional<CPageLayout>& layout) {
    m_layout = layout;
    update();
}

void CSheetPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window).darker(110));
    if (!m_layout || !m_layout->IsValid())
        return;
    const CPageLayout& layout = *m_layout;
    const double width = layout.GetPrintWidth().mm();
    const double height = layout.GetPrintHeight().mm();
    if (width <= 0 || height <= 0)
        return;
    const double scale =
        std::min((this->width() - 2 * kBorder) / width, (this->height() - 2 * kBorder) / height);
    const QPointF origin((this->width() - width * scale) / 2,
                         (this->height() - height * scale) / 2);
    const QRectF page(origin, QSizeF(width * scale, height * scale));
    painter.fillRect(page.translated(2, 2), Qt::darkGray);
    painter.fillRect(page, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < layout.GetCellCount(); ++cell) {
        painter.fillRect(ToWidget(layout.GetCellTextRectF(cell), scale, origin),
                         QColor(200, 220, 255));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(ToWidget(layout.GetCellRectF(cell), scale, origin));
    }
}
