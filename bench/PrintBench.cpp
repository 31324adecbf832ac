// Label printing on generated cards: composing 100,000 label texts, and writing
// 100,000 labels on the A4 12-label sheet to a PDF file (pages per second, and
// the peak memory after 10,000 and after 100,000 cards, which stays flat).

#include "platform/CodePage.h"
#include "platform/UserInteraction.h"
#include "print/LabelPdf.h"
#include "print/LabelText.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

CZkString Sjis(const std::string& utf8) {
    CString out;
    cp932::FromUtf8(utf8, out);
    return CZkString(out);
}

// Japanese cards with postal code, two address lines, company and title on
// most; every fifth card English.
const std::vector<CAddrCard>& Cards() {
    static const std::vector<CAddrCard> cards = [] {
        const char* cities[] = {"東京都千代田区", "大阪府大阪市北区", "北海道札幌市中央区",
                                "福岡県福岡市博多区", "愛知県名古屋市中村区"};
        const char* families[] = {"山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺"};
        const char* given[] = {"太郎", "花子", "一郎", "美咲", "健太"};
        std::vector<CAddrCard> out(100000);
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
            card.m_strZip =
                Sjis(std::to_string(100 + i % 900) + "-" + std::to_string(1000 + i % 9000));
            card.m_strAddress = Sjis(std::string(cities[i % 5]) + "一丁目" + n +
                                     "番地\r\nｺﾙｳﾞｧﾈﾋﾞﾙ " + std::to_string(i % 30 + 1) + "階");
            if (i % 2)
                card.m_strCompany = Sjis("株式会社 ｺﾙｳﾞｧﾈ商事");
            if (i % 3 == 0)
                card.m_strTitle = Sjis("営業部 部長");
            card.m_strName = Sjis(std::string(families[i % 7]) + " " + given[i % 5]);
        }
        return out;
    }();
    return cards;
}

CPageLayout A4Twelve() {
    CPageLayout layout;
    layout.SetName("A4 12");
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

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_LabelTexts(benchmark::State& state) {
    const auto& cards = Cards();
    for (auto _ : state) {
        size_t bytes = 0;
        for (const CAddrCard& card : cards)
            bytes += static_cast<size_t>(ComposeLabelText(card).GetLength());
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(cards.size()));
}
BENCHMARK(BM_LabelTexts)->Unit(benchmark::kMillisecond);

void BM_LabelsPdf(benchmark::State& state) {
    const size_t count = static_cast<size_t>(state.range(0));
    std::vector<const CAddrCard*> cards;
    for (size_t i = 0; i < count; ++i)
        cards.push_back(&Cards()[i]);
    const CPageLayout layout = A4Twelve();
    CPrintFonts printFonts;
    printFonts.SetMissingToDefaults(600);
    const LabelFonts fonts = MakeLabelFonts(printFonts, 600);
    const std::string path =
        (std::filesystem::temp_directory_path() / "kolvane-print-bench.pdf").string();
    const int pages = static_cast<int>((count + 11) / 12);
    for (auto _ : state) {
        if (!WriteLabelsPdf(path.c_str(), cards, layout, fonts, false))
            state.SkipWithError("the PDF was not written");
    }
    state.counters["pages_per_s"] = benchmark::Counter(
        static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_rss_mb"] = PeakRssMb();
    state.counters["pdf_mb"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(BM_LabelsPdf)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
