#include "print/LabelPdf.h"

#include "print/FileDevice.h"
#include "print/LabelPainter.h"
#include "print/PrintCheck.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kPdfDpi = 1200;

QPageLayout PrintedPage(const CPageLayout& layout) {
    const QSizeF size(layout.GetPrintWidth().mm(), layout.GetPrintHeight().mm());
    return QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
}

// Draws every page; false when the painter could not start.
bool DrawPages(CFileDevice& device, const CPageLayout& layout, const LabelFonts& fonts,
               const CPagePlan& plan, bool outlines, PrintOffset offset,
               std::vector<const CAddrCard*>& unfit) {
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Kolvane"));
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(PrintedPage(layout));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const CLabelPainter labels(layout, fonts, offset);
    const PxPerMm scale = PxPerMm::OfDevice(writer);
    for (int page = 0; page < plan.GetPageCount() && !device.Error(); ++page) {
        if (page > 0)
            writer.newPage();
        for (const UnfitLabel& label : labels.DrawPage(painter, scale, plan, page, outlines))
            unfit.push_back(label.card);
    }
    return painter.end();
}

} // namespace

BOOL WriteLabelsPdf(const char* path, std::span<const CAddrCard* const> cards,
                    const CPageLayout& layout, const LabelFonts& fonts, bool outlines,
                    std::vector<const CAddrCard*>* unfit, std::optional<CFileError>* fileError,
                    PrintOffset offset) {
    if (!CheckCanPrint(layout, static_cast<int>(cards.size())))
        return FALSE;
    const CPagePlan plan(std::vector<const CAddrCard*>(cards.begin(), cards.end()),
                         layout.GetCellCount());
    std::vector<const CAddrCard*> unfitCards;
    if (!WriteThroughDevice(path, fileError, [&](CFileDevice& device) {
            return DrawPages(device, layout, fonts, plan, outlines, offset, unfitCards);
        }))
        return FALSE;
    if (unfit)
        *unfit = std::move(unfitCards);
    return TRUE;
}
