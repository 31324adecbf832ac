// The address book model on a generated book of 100,000 cards: loading and
// saving the file, searching, refining a search, an index filter, sorting and
// the duplicate search.

#include "ModelBenchBook.h"
#include "model/AddrBookFile.h"
#include "model/CardFilter.h"
#include "model/CardRules.h"
#include "platform/CodePage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kCards = 100000;

const CAddrBook& Book() {
    static const std::unique_ptr<CAddrBook> book = [] {
        auto b = std::make_unique<CAddrBook>();
        MakeBenchBook(*b, kCards);
        return b;
    }();
    return *book;
}

const std::string& BookFile() {
    static const std::string path = [] {
        const fs::path p = fs::temp_directory_path() / "kolvane-model-bench-100k.kvd";
        SaveAddrBook(p.c_str(), const_cast<CAddrBook&>(Book()));
        return p.string();
    }();
    return path;
}

CString Sjis(const char* utf8) {
    CString out;
    cp932::FromUtf8(utf8, out);
    return out;
}

// Resident memory of the process in kilobytes (VmRSS or VmHWM).
long ProcessMemoryKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size() + 1));
    return -1;
}

void Load(benchmark::State& state) {
    const std::string& path = BookFile();
    for (auto _ : state) {
        auto book = std::make_unique<CAddrBook>();
        if (LoadAddrBook(path.c_str(), *book))
            state.SkipWithError("load failed");
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
}
BENCHMARK(Load)->Unit(benchmark::kMillisecond);

void Save(benchmark::State& state) {
    const fs::path path = fs::temp_directory_path() / "kolvane-model-bench-save.kvd";
    for (auto _ : state)
        if (SaveAddrBook(path.c_str(), const_cast<CAddrBook&>(Book())))
            state.SkipWithError("save failed");
    fs::remove(path);
}
BENCHMARK(Save)->Unit(benchmark::kMillisecond);

// The file's bytes made in memory, without the disk.
void WriteImage(benchmark::State& state) {
    for (auto _ : state) {
        CMemFile image;
        const_cast<CAddrBook&>(Book()).Write(&image);
        benchmark::DoNotOptimize(image.GetLength());
    }
}
BENCHMARK(WriteImage)->Unit(benchmark::kMillisecond);

void Search(benchmark::State& state, const char* utf8) {
    const CString text = Sjis(utf8);
    size_t listed = 0;
    for (auto _ : state) {
        CCardFilter filter;
        filter.SetSearchText(text);
        listed = filter.List(Book()).size();
    }
    state.counters["listed"] = static_cast<double>(listed);
}
// A name and a reading that only some cards have, and a mail address part.
BENCHMARK_CAPTURE(Search, name, "髙﨑　智紀")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, reading, "たかさき とも")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, mail, "TAKASAKI.TOMONO")->Unit(benchmark::kMillisecond);

// Typing one more character: only the previous matches are tested again.
void SearchRefined(benchmark::State& state) {
    const CString before = Sjis("たかさき と");
    const CString after = Sjis("たかさき とも");
    size_t listed = 0;
    CCardFilter filter;
    for (auto _ : state) {
        state.PauseTiming();
        filter.Invalidate();
        filter.SetSearchText(before);
        filter.List(Book());
        state.ResumeTiming();
        filter.SetSearchText(after);
        listed = filter.List(Book()).size();
    }
    state.counters["listed"] = static_cast<double>(listed);
}
// Few iterations: each one first runs the full search untimed.
BENCHMARK(SearchRefined)->Unit(benchmark::kMillisecond)->Iterations(100);

void IndexFilter(benchmark::State& state) {
    size_t listed = 0;
    for (auto _ : state) {
        CCardFilter filter;
        filter.SetFilter(FILTER_KANA_A + 1); // か
        listed = filter.List(Book()).size();
    }
    state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(IndexFilter)->Unit(benchmark::kMillisecond);

void SortAll(benchmark::State& state, int sortKey) {
    std::vector<CAddrCard*> inBookOrder;
    for (const auto& card : Book().Cards())
        inBookOrder.push_back(card.get());
    for (auto _ : state) {
        std::vector<CAddrCard*> rows = inBookOrder;
        SortCards(rows, sortKey);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK_CAPTURE(SortAll, name, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortAll, company_descending, -2)->Unit(benchmark::kMillisecond);

// Everything the list does for the 全 button: walk, test and sort all cards.
void ListAll(benchmark::State& state) {
    for (auto _ : state) {
        CCardFilter filter;
        benchmark::DoNotOptimize(filter.List(Book()).data());
    }
}
BENCHMARK(ListAll)->Unit(benchmark::kMillisecond);

void FindDuplicates(benchmark::State& state) {
    std::vector<CAddrCard*> result;
    for (auto _ : state)
        Book().FindDuplicates(result);
    state.counters["duplicates"] = static_cast<double>(result.size());
}
BENCHMARK(FindDuplicates)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Memory a loaded book takes: resident memory before and after loading it.
    const std::string& path = BookFile();
    const long before = ProcessMemoryKb("VmRSS:");
    {
        CAddrBook book;
        LoadAddrBook(path.c_str(), book);
        benchmark::AddCustomContext("loaded_book_MB",
                                    std::to_string((ProcessMemoryKb("VmRSS:") - before) / 1024));
    }
    benchmark::AddCustomContext("book_file_bytes", std::to_string(fs::file_size(path)));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fprintf(stderr, "peak resident memory: %ld MB\n", ProcessMemoryKb("VmHWM:") / 1024);
    return 0;
}
