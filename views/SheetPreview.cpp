#include "views/SheetPreview.h"

#include "print/SheetPainter.h"

#include <QPainter>

namespace {

constexpr int kBorder = 4;

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
    if (m_layout)
        PaintSheet(painter, rect().adjusted(kBorder, kBorder, -kBorder, -kBorder), *m_layout);
}
