// Postcards on generated cards: 1,000 はがき addressed vertically, with a
// sender, to a PDF file (cards per second).

#include "LabelBenchData.h"

#include "print/PostcardPdf.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void BM_PostcardsPdf(benchmark::State& state) {
    const size_t count = static_cast<size_t>(state.range(0));
    std::vector<const CAddrCard*> cards;
    for (size_t i = 0; i < count; ++i)
        cards.push_back(&LabelBenchCards()[i]);
    std::vector<PostcardSize> sizes;
    CPostcardLayout layout;
    if (ReadPostcardSizes(KOLVANE_SOURCE_DIR "/res/layouts/POSTBOX.DEF", sizes) ||
        layout.Load(KOLVANE_SOURCE_DIR "/res/layouts/HAGAKI.KVP") ||
        !FindPostcardSize(sizes, "HAGAKI")) {
        state.SkipWithError("the bundled postcard layout was not read");
        return;
    }
    PostcardOptions options;
    options.face = MakePostcardFont("IPAMincho");
    options.english = DefaultLabelFonts().english;
    options.sender = cards.front();
    const CPostcardPainter painter(layout, *FindPostcardSize(sizes, "HAGAKI"), options);
    const std::string path =
        (std::filesystem::temp_directory_path() / "kolvane-postcard-bench.pdf").string();
    for (auto _ : state) {
        if (!WritePostcardsPdf(path.c_str(), cards, painter, false))
            state.SkipWithError("the PDF was not written");
    }
    state.counters["cards_per_s"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pdf_mb"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(BM_PostcardsPdf)->Arg(1000)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
