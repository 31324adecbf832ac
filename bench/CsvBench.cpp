// CSV reading speed over a 100,000-record Shift_JIS address-book export, and
// the import reader over it as Shift_JIS and as UTF-8.
// The file is KOLVANE_CSV_BENCH_FILE when set, else it is generated once by
// make_csv.py into the temporary folder.

#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/StdioFile.h"
#include "transfer/CsvImportFile.h"
#include "zklib/ZkCsv.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string BenchFile() {
    if (const char* path = std::getenv("KOLVANE_CSV_BENCH_FILE"))
        return path;
    const fs::path path = fs::temp_directory_path() / "kolvane-csv-bench-100k.csv";
    if (!fs::exists(path)) {
        const std::string command =
            std::string("python3 '") + MAKE_CSV_SCRIPT + "' '" + path.string() + "'";
        if (std::system(command.c_str()) != 0)
            return {};
    }
    return path.string();
}

const std::string& File() {
    static const std::string path = BenchFile();
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

} // namespace

BENCHMARK(BM_CsvReadLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvReadAndParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportUtf8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
