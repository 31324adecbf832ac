// The export run over the 100,000-card book with the bundled layout of all
// sixteen fields: to a file, and to memory without the disk.

#include "ModelBenchBook.h"
#include "transfer/CsvExportRun.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ExportInput {
    CAddrBook book;
    std::vector<const CAddrCard*> cards;
    CExportLayout layout;
};

const ExportInput& Input() {
    static const std::unique_ptr<ExportInput> input = [] {
        auto in = std::make_unique<ExportInput>();
        MakeBenchBook(in->book, 100000);
        for (const auto& card : in->book.Cards())
            in->cards.push_back(card.get());
        in->layout.Load(KOLVANE_SOURCE_DIR "/res/layouts/ALL_FIELDS.KVE");
        return in;
    }();
    return *input;
}

void ExportToFile(benchmark::State& state) {
    const ExportInput& in = Input();
    if (in.layout.GetFieldCount() != 16)
        state.SkipWithError("layout not read");
    const fs::path path = fs::temp_directory_path() / "kolvane-transfer-bench.csv";
    for (auto _ : state) {
        int written = 0;
        if (ExportCards(path.c_str(), in.cards, in.layout, written) || written != 100000)
            state.SkipWithError("export failed");
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
    fs::remove(path);
}
BENCHMARK(ExportToFile)->Unit(benchmark::kMillisecond);

void ExportToMemory(benchmark::State& state) {
    const ExportInput& in = Input();
    for (auto _ : state) {
        CMemFile image;
        WriteExportLines(&image, in.cards, in.layout);
        benchmark::DoNotOptimize(image.GetLength());
    }
}
BENCHMARK(ExportToMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
