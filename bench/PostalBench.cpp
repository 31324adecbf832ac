// The shipped postal code table: reading it on first use, the rows of a code,
// and the plausibility check of an address.

#include "model/PostalCodeTable.h"
#include "platform/CodePage.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

CString Sjis(const char* utf8) {
    CString out;
    cp932::FromUtf8(utf8, out);
    return out;
}

CPostalCodeTable& Table() {
    static CPostalCodeTable table(KOLVANE_POSTAL_TABLE);
    table.Load();
    return table;
}

// Every 97th code of the source table, typed with a hyphen.
const std::vector<CString>& Codes() {
    static const std::vector<CString> codes = [] {
        std::vector<CString> out;
        std::ifstream source(KOLVANE_SOURCE_DIR "/res/postal/jp-postal.tsv");
        std::string line;
        for (size_t i = 0; std::getline(source, line); ++i)
            if (i % 97 == 1)
                out.emplace_back((line.substr(0, 3) + "-" + line.substr(3, 4)).c_str());
        return out;
    }();
    return codes;
}

void FirstLoad(benchmark::State& state) {
    for (auto _ : state) {
        CPostalCodeTable table(KOLVANE_POSTAL_TABLE);
        if (table.Load())
            state.SkipWithError("the table could not be read");
        benchmark::DoNotOptimize(table.RowCount());
    }
}
BENCHMARK(FirstLoad)->Unit(benchmark::kMillisecond);

void Lookup(benchmark::State& state) {
    CPostalCodeTable& table = Table();
    const std::vector<CString>& codes = Codes();
    size_t i = 0, rows = 0;
    for (auto _ : state) {
        rows += table.Find(codes[i].view()).size();
        i = (i + 1) % codes.size();
    }
    benchmark::DoNotOptimize(rows);
}
BENCHMARK(Lookup);

void CheckAddress(benchmark::State& state) {
    CPostalCodeTable& table = Table();
    const CString code = Sjis("498-0000");
    const CString address = Sjis("三重県木曽岬町西対海地２５１");
    for (auto _ : state)
        benchmark::DoNotOptimize(table.CheckAddress(code.view(), address.view()));
}
BENCHMARK(CheckAddress);

} // namespace

BENCHMARK_MAIN();
