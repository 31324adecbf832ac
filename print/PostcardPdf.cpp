#include "print/PostcardPdf.h"

#include "print/FileDevice.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kPdfDpi = 1200;

bool DrawPages(CFileDevice& device, std::span<const CAddrCard* const> cards,
               const CPostcardPainter& postcards, bool guides,
               std::vector<PostcardProblem>& problems) {
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Kolvane"));
    writer.setResolution(kPdfDpi);
    const PostcardSize& size = postcards.Size();
    writer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(size.paperWidth, size.paperHeight), QPageSize::Millimeter,
                              QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const PxPerMm scale = PxPerMm::OfDevice(writer);
    for (size_t i = 0; i < cards.size() && !device.Error(); ++i) {
        if (i > 0)
            writer.newPage();
        const PostcardReport report = postcards.DrawCard(painter, scale, *cards[i], guides);
        if (!report.Clean())
            problems.push_back({cards[i], report});
    }
    return painter.end();
}

} // namespace

BOOL WritePostcardsPdf(const char* path, std::span<const CAddrCard* const> cards,
                       const CPostcardPainter& painter, bool guides,
                       std::vector<PostcardProblem>* problems,
                       std::optional<CFileError>* fileError) {
    std::vector<PostcardProblem> found;
    if (!WriteThroughDevice(path, fileError, [&](CFileDevice& device) {
            return DrawPages(device, cards, painter, guides, found);
        }))
        return FALSE;
    if (problems)
        *problems = std::move(found);
    return TRUE;
}
