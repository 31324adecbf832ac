#pragma once
// The 100,000-record Shift_JIS CSV file of the benchmarks: KOLVANE_CSV_BENCH_FILE
// when set, else generated once by make_csv.py into the temporary folder.
// Empty when it cannot be made.

#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string CsvBenchFile() {
    if (const char* path = std::getenv("KOLVANE_CSV_BENCH_FILE"))
        return path;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "kolvane-csv-bench-100k.csv";
    if (!std::filesystem::exists(path)) {
        const std::string command =
            std::string("python3 '") + MAKE_CSV_SCRIPT + "' '" + path.string() + "'";
        if (std::system(command.c_str()) != 0)
            return {};
    }
    return path.string();
}
