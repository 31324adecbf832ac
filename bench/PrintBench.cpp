// Label printing on generated cards: composing 100,000 label texts, and writing
// 100,000 labels on the A4 12-label sheet to a PDF file (pages per second, and
// the peak memory after 10,000 and after 100,000 cards, which stays flat).

#include "LabelBenchData.h"

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

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_LabelTexts(benchmark::State& state) {
    const auto& cards = LabelBenchCards();
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
        cards.push_back(&LabelBenchCards()[i]);
    const CPageLayout layout = A4TwelveLayout();
    const LabelFonts fonts = DefaultLabelFonts();
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
