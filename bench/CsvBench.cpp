// CSV reading speed over a 100,000-record Shift_JIS address-book export, and
// the import reader over it as Shift_JIS and as UTF-8.
// Importing it into a book: the reader, then every card made with 全項目 in
// Japanese notation and appended; and that book exported again with 全項目,
// the figure run_csv_bench.sh sets against Python's csv reading and writing.

#include "CsvBenchFile.h"
#include "model/AddrBook.h"
#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/StdioFile.h"
#include "transfer/CsvExportRun.h"
#include "transfer/CsvImportFile.h"
#include "transfer/ImportLayout.h"
#include "zklib/ZkCsv.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string& File() {
    static const std::string path = CsvBenchFile();
    return path;
}

template <bool parse> void ReadFile(benchmark::State& state) {
    const std::string& path = File();
    if (path.empty()) {
        state.SkipWithError("no CSV file: set KOLVANE_CSV_BENCH_FILE or install python3");
        return;
    }
    const auto size = static_cast<int64_t>(fs::file_size(path));
    CString line;
    std::vector<CString> fields;
    int64_t count = 0;
    for (auto _ : state) {
        CStdioFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
        int atEnd = 0;
        while (atEnd == 0) {
            atEnd = ZkCSV_ReadLine(file.GetStream(), line);
            if (parse && !line.IsEmpty()) {
                fields.clear();
                count += ZkCSV_ParseLine(line, fields);
            } else {
                count += line.GetLength();
            }
        }
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void BM_CsvReadLine(benchmark::State& state) {
    ReadFile<false>(state);
}
void BM_CsvReadAndParse(benchmark::State& state) {
    ReadFile<true>(state);
}

// The import reader over the file as it is (Shift_JIS) and turned into UTF-8
// with a byte-order mark, written once beside it.
std::string Utf8File() {
    const std::string path = File() + ".utf8";
    if (!fs::exists(path)) {
        std::string utf8;
        if (!cp932::ToUtf8(ReadWholeFile(File().c_str()).Data(), utf8))
            return {};
        CFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        out.Write("\xEF\xBB\xBF", 3);
        out.Write(utf8.data(), static_cast<UINT>(utf8.size()));
    }
    return path;
}

void ImportFile(benchmark::State& state, const std::string& path) {
    if (File().empty() || path.empty()) {
        state.SkipWithError("no CSV file: set KOLVANE_CSV_BENCH_FILE or install python3");
        return;
    }
    int64_t records = 0;
    for (auto _ : state) {
        CCsvImportFile file;
        if (file.Read(path, CsvEncoding::Auto)) {
            state.SkipWithError("the file was refused");
            return;
        }
        records += static_cast<int64_t>(file.m_records.size());
        benchmark::DoNotOptimize(file.m_records.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
    state.counters["records"] = static_cast<double>(records / state.iterations());
}

void BM_CsvImportShiftJis(benchmark::State& state) {
    ImportFile(state, File());
}
void BM_CsvImportUtf8(benchmark::State& state) {
    ImportFile(state, File().empty() ? std::string() : Utf8File());
}

// The book the file makes with 全項目 in Japanese notation.
std::unique_ptr<CAddrBook> ImportBook(const std::string& path, const CImportLayout& layout) {
    auto book = std::make_unique<CAddrBook>();
    book->m_methods.SetDefaults();
    CCsvImportFile file;
    if (file.Read(path, CsvEncoding::Auto))
        return nullptr;
    std::vector<std::unique_ptr<CAddrCard>> cards;
    cards.reserve(file.m_records.size());
    for (const CsvImportRecord& record : file.m_records)
        if (!record.blank && record.unstorableColumn == 0)
            cards.push_back(layout.MakeCard(record.fields, book->m_methods));
    book->AddCards(std::move(cards));
    return book;
}

void ImportToBook(benchmark::State& state, const std::string& path) {
    if (File().empty() || path.empty()) {
        state.SkipWithError("no CSV file: set KOLVANE_CSV_BENCH_FILE or install python3");
        return;
    }
    CImportLayout layout;
    if (layout.Load(KOLVANE_SOURCE_DIR "/res/layouts/ALL_FIELDS.KVI")) {
        state.SkipWithError("the layout was not read");
        return;
    }
    layout.SetNotation(NOTATION_JAPANESE);
    int64_t cards = 0;
    for (auto _ : state) {
        std::unique_ptr<CAddrBook> book = ImportBook(path, layout);
        if (!book) {
            state.SkipWithError("the file was refused");
            return;
        }
        cards = book->GetCount();
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
    state.counters["cards"] = static_cast<double>(cards);
}

void BM_CsvImportToBookShiftJis(benchmark::State& state) {
    ImportToBook(state, File());
}
void BM_CsvImportToBookUtf8(benchmark::State& state) {
    ImportToBook(state, File().empty() ? std::string() : Utf8File());
}

void BM_CsvImportThenExport(benchmark::State& state) {
    CImportLayout importLayout;
    CExportLayout exportLayout;
    if (File().empty() || importLayout.Load(KOLVANE_SOURCE_DIR "/res/layouts/ALL_FIELDS.KVI") ||
        exportLayout.Load(KOLVANE_SOURCE_DIR "/res/layouts/ALL_FIELDS.KVE")) {
        state.SkipWithError("no CSV file or layout");
        return;
    }
    const fs::path out = fs::temp_directory_path() / "kolvane-csv-bench-export.csv";
    for (auto _ : state) {
        std::unique_ptr<CAddrBook> book = ImportBook(File(), importLayout);
        std::vector<const CAddrCard*> cards;
        if (book)
            for (const auto& card : book->Cards())
                cards.push_back(card.get());
        int written = 0;
        if (!book || ExportCards(out.c_str(), cards, exportLayout, written)) {
            state.SkipWithError("the import or the export failed");
            return;
        }
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
    fs::remove(out);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(File())));
}

// The export alone, of the book the file makes, for a closer look at it.
void BM_CsvExport(benchmark::State& state) {
    CImportLayout importLayout;
    CExportLayout exportLayout;
    if (File().empty() || importLayout.Load(KOLVANE_SOURCE_DIR "/res/layouts/ALL_FIELDS.KVI") ||
        exportLayout.Load(KOLVANE_SOURCE_DIR "/res/layouts/ALL_FIELDS.KVE")) {
        state.SkipWithError("no CSV file or layout");
        return;
    }
    const std::unique_ptr<CAddrBook> book = ImportBook(File(), importLayout);
    std::vector<const CAddrCard*> cards;
    if (book)
        for (const auto& card : book->Cards())
            cards.push_back(card.get());
    const fs::path out = fs::temp_directory_path() / "kolvane-csv-bench-export-only.csv";
    for (auto _ : state) {
        int written = 0;
        if (!book || ExportCards(out.c_str(), cards, exportLayout, written)) {
            state.SkipWithError("the import or the export failed");
            return;
        }
    }
    fs::remove(out);
}

} // namespace

BENCHMARK(BM_CsvReadLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvReadAndParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportToBookShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportToBookUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportThenExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
