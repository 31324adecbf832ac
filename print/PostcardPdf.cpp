#include "print/PostcardPdf.h"

#include "platform/AtomicFile.h"
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
    const auto fail = [fileError](const CFileException& e) {
        const CFileError error = CFileError::FromException(e, MB_ICONSTOP);
        if (fileError)
            *fileError = error;
        else
            error.Show();
        return FALSE;
    };
    CAtomicFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &error))
        return fail(error);
    std::vector<PostcardProblem> found;
    CFileDevice device(file);
    const bool drawn = DrawPages(device, cards, painter, guides, found);
    if (!device.Finish())
        return fail(*device.Error());
    if (!drawn)
        return fail(CFileException(CFileException::genericException, 0, path));
    try {
        file.Commit();
    } catch (const CFileException& e) {
        return fail(e);
    }
    if (problems)
        *problems = std::move(found);
    return TRUE;
}
