#include "print/LabelPdf.h"

#include "print/FileDevice.h"
#include "print/LabelPainter.h"
#include "print/PrintCheck.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace {

constexpr int kPdfDpi = 1200;

QPageLayout PrintedPage(const CPageLayout& layout) {
    const QSizeF size(layout.GetPrintWidth().mm(), layout.GetPrintHeight().mm());
    return QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
}

// Pages laid out on one thread and drawn on another, a few pages ahead at most.
class PreparedPages {
public:
    // False once stopped.
    bool Push(PreparedPage page) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_stopped || m_pages.size() < kPagesAhead; });
        if (m_stopped)
            return false;
        m_pages.push_back(std::move(page));
        m_changed.notify_all();
        return true;
    }
    PreparedPage Pop() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_pages.empty(); });
        PreparedPage page = std::move(m_pages.front());
        m_pages.pop_front();
        m_changed.notify_all();
        return page;
    }
    void Stop() {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_changed.notify_all();
    }

private:
    static constexpr size_t kPagesAhead = 4;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PreparedPage> m_pages;
    bool m_stopped = false;
};

// Draws every page; false when the painter could not start. Text layout, the
// larger part of the work, is done for the pages ahead on a second thread
// while the writer draws and compresses the pages before them.
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
    const int pages = plan.GetPageCount();
    const auto keepUnfit = [&](const std::vector<UnfitLabel>& notFitting) {
        for (const UnfitLabel& label : notFitting)
            unfit.push_back(label.card);
    };
    if (pages < 2 || !CLabelPainter::CanPrepare(fonts)) {
        for (int page = 0; page < pages && !device.Error(); ++page) {
            if (page > 0)
                writer.newPage();
            keepUnfit(labels.DrawPage(painter, scale, plan, page, outlines));
        }
        return painter.end();
    }
    PreparedPages prepared;
    const std::unique_ptr<QThread> ahead(QThread::create([&] {
        const CLabelPainter preparer(layout, fonts, offset);
        for (int page = 0; page < pages; ++page)
            if (!prepared.Push(preparer.Prepare(plan, page)))
                break;
    }));
    ahead->start();
    for (int page = 0; page < pages && !device.Error(); ++page) {
        if (page > 0)
            writer.newPage();
        keepUnfit(labels.DrawPrepared(painter, scale, prepared.Pop(), outlines));
    }
    prepared.Stop();
    ahead->wait();
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
