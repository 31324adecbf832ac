// The print preview with 10,000 labels on the A4 12-label sheet (834 pages):
// the preview widget drawing every page through the label painter, as the
// preview command does, and every page painted into an image at screen
// resolution with the cell outlines, as the preview shows it.

#include "app/AppPrinter.h"
#include "platform/CodePage.h"
#include "print/LabelPainter.h"
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

CZkString Sjis(const std::string& utf8) {
    CString out;
    cp932::FromUtf8(utf8, out);
    return CZkString(out);
}

// Japanese cards with postal code, two address lines and a company on half of
// them; every fifth card English.
const std::vector<CAddrCard>& Cards() {
    static const std::vector<CAddrCard> cards = [] {
        std::vector<CAddrCard> out(kLabels);
        for (size_t i = 0; i < out.size(); ++i) {
            CAddrCard& card = out[i];
            const std::string n = std::to_string(i);
            if (i % 5 == 4) {
                card.m_nNotation = NOTATION_ENGLISH;
                card.m_strName = Sjis("Person " + n + " Smith");
                card.m_strCompany = Sjis("Example & Co. Ltd.");
                card.m_strAddress = Sjis(n + " Main Street\r\nSpringfield, IL 62701");
                continue;
            }
            card.m_nNotation = NOTATION_JAPANESE;
            card.m_strZip = Sjis(std::to_string(100 + i % 900) + "-" + std::to_string(1000 + i));
            card.m_strAddress = Sjis("東京都千代田区一丁目" + n + "番地\r\nｺﾙｳﾞｧﾈﾋﾞﾙ 3階");
            if (i % 2)
                card.m_strCompany = Sjis("株式会社 ｺﾙｳﾞｧﾈ商事");
            card.m_strName = Sjis("山田 " + n);
        }
        return out;
    }();
    return cards;
}

CPagePlan Plan(const CPageLayout& layout) {
    std::vector<const CAddrCard*> cards;
    for (const CAddrCard& card : Cards())
        cards.push_back(&card);
    return CPagePlan(std::move(cards), layout.GetCellCount());
}

CPageLayout A4Twelve() {
    CPageLayout layout;
    layout.m_lenPageWidth = Length::fromMm(210);
    layout.m_lenPageHeight = Length::fromMm(297);
    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(21.6f);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(18.6f);
    layout.m_nColumns = 2;
    layout.m_nRows = 6;
    layout.m_lenCellMarginTop = Length::fromMm(4);
    layout.m_lenCellMarginBottom = Length::fromMm(3);
    layout.m_lenCellMarginLeft = Length::fromMm(5);
    layout.m_lenCellMarginRight = Length::fromMm(4);
    return layout;
}

LabelFonts Fonts() {
    CPrintFonts fonts;
    fonts.SetMissingToDefaults(kDefaultFontDpi);
    return MakeLabelFonts(fonts, kDefaultFontDpi);
}

void BM_PreviewWidget10k(benchmark::State& state) {
    const CPageLayout layout = A4Twelve();
    const CPagePlan plan = Plan(layout);
    const LabelFonts fonts = Fonts();
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
    const CPageLayout layout = A4Twelve();
    const CPagePlan plan = Plan(layout);
    const CLabelPainter labels(layout, Fonts());
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
