// The print preview with 10,000 labels on the A4 12-label sheet (834 pages):
// the preview widget drawing every page through the label painter, as the
// preview command does, and every page painted into an image at screen
// resolution with the cell outlines, as the preview shows it.

#include "LabelBenchData.h"
#include "print/LabelPainter.h"
#include "views/AppPrinter.h"
#include "views/LabelPrinter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kLabels = 10000;
constexpr double kScreenDpi = 96.0;

CPagePlan Plan(const CPageLayout& layout) {
    std::vector<const CAddrCard*> cards;
    for (int i = 0; i < kLabels; ++i)
        cards.push_back(&LabelBenchCards()[static_cast<size_t>(i)]);
    return CPagePlan(std::move(cards), layout.GetCellCount());
}

void BM_PreviewWidget10k(benchmark::State& state) {
    const CPageLayout layout = A4TwelveLayout();
    const CPagePlan plan = Plan(layout);
    const LabelFonts fonts = DefaultLabelFonts();
    QPrinter& printer = AfxGetAppPrinter();
    SetUpPrinterForLayout(printer, layout);
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* device) {
        std::vector<const CAddrCard*> unfit;
        DrawLabelPages(*device, layout, fonts, plan, AllPages(plan), true, unfit);
    });
    preview.resize(1024, 768);
    preview.show();
    for (auto _ : state) {
        preview.updatePreview();
        if (preview.pageCount() != plan.GetPageCount())
            state.SkipWithError("the preview lost pages");
    }
    state.counters["pages"] = preview.pageCount();
}
BENCHMARK(BM_PreviewWidget10k)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_PreviewImages10k(benchmark::State& state) {
    const CPageLayout layout = A4TwelveLayout();
    const CPagePlan plan = Plan(layout);
    const CLabelPainter labels(layout, DefaultLabelFonts());
    const PxPerMm scale = PxPerMm::FromDpi(kScreenDpi, kScreenDpi);
    QImage image(static_cast<int>(210 * scale.x), static_cast<int>(297 * scale.y),
                 QImage::Format_ARGB32_Premultiplied);
    size_t unfit = 0;
    for (auto _ : state) {
        for (int page = 0; page < plan.GetPageCount(); ++page) {
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            unfit += labels.DrawPage(painter, scale, plan, page, true).size();
        }
    }
    if (unfit)
        state.SkipWithError("labels did not fit");
    state.counters["pages"] = plan.GetPageCount();
}
BENCHMARK(BM_PreviewImages10k)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
