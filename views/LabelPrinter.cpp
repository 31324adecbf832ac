#include "views/LabelPrinter.h"

#include "print/CalibrationPage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <numeric>

namespace {

// Marks the cell of a label cut at its text rectangle.
void MarkUnfit(QPainter& painter, PxPerMm scale, const RectMm& cell) {
    const QRectF r(QPointF(cell.left * scale.x, cell.top * scale.y),
                   QPointF(cell.right * scale.x, cell.bottom * scale.y));
    painter.save();
    painter.setPen(QPen(Qt::red, 0.5 * scale.x));
    painter.setBrush(QColor(255, 0, 0, 40));
    painter.drawRect(r);
    painter.restore();
}

} // namespace

void SetUpPrinterForLayout(QPrinter& printer, const CPageLayout& layout) {
    const QSizeF upright(layout.m_lenPageWidth.mm(), layout.m_lenPageHeight.mm());
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(QPageSize(upright, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                    layout.m_nOrientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(), QPageLayout::Millimeter));
}

std::vector<int> AllPages(const CPagePlan& plan) {
    std::vector<int> pages(static_cast<size_t>(plan.GetPageCount()));
    std::iota(pages.begin(), pages.end(), 0);
    return pages;
}

bool DrawLabelPages(QPrinter& printer, const CPageLayout& layout, const LabelFonts& fonts,
                    const CPagePlan& plan, const std::vector<int>& pages, bool preview,
                    std::vector<const CAddrCard*>& unfit, PrintOffset offset) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const CLabelPainter labels(layout, fonts, offset);
    const PxPerMm scale = PxPerMm::OfDevice(printer);
    bool firstPage = true;
    for (int page : pages) {
        if (!firstPage)
            printer.newPage();
        firstPage = false;
        for (const UnfitLabel& label : labels.DrawPage(painter, scale, plan, page, preview)) {
            unfit.push_back(label.card);
            if (preview)
                MarkUnfit(painter, scale, layout.GetCellRectF(label.cell));
        }
    }
    return painter.end();
}

bool PrintCalibrationPage(QPrinter& printer, const CPageLayout& sheet, PrintOffset offset) {
    SetUpPrinterForLayout(printer, sheet);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    DrawCalibrationPage(painter, PxPerMm::OfDevice(printer), sheet, offset);
    return painter.end();
}
