// Splits arbitrary bytes into records and fields, with a comma and with the
// first byte as separator: no crash, all input consumed, nothing invented.

#include "zklib/ZkCsv.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void CheckFields(const CString& line, char separator) {
    std::vector<CString> fields{CString("x")};
    const int n = ZkCSV_ParseLine(line, fields, separator);
    if (n != static_cast<int>(fields.size()) || n < 1)
        std::abort();
    // Unquoting only removes bytes; a quoted line feed becomes two bytes at most.
    size_t total = 0;
    for (size_t i = 1; i < fields.size(); ++i)
        total += static_cast<size_t>(fields[i].GetLength());
    if (total > 2 * static_cast<size_t>(line.GetLength()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::vector<char> bytes(data, data + size);
    FILE* stream = fmemopen(bytes.data(), size, "rb");
    if (!stream)
        return 0;
    CString line;
    size_t lineBytes = 0;
    size_t records = 0;
    int atEnd = 0;
    while (atEnd == 0) {
        atEnd = ZkCSV_ReadLine(stream, line);
        ++records;
        lineBytes += static_cast<size_t>(line.GetLength());
        // A record that ended with a line end used at least that byte.
        if (records > size + 1 || lineBytes > size)
            std::abort();
        if (!line.IsEmpty()) {
            CheckFields(line, ',');
            CheckFields(line, static_cast<char>(data[0]));
        }
    }
    if (std::fgetc(stream) != EOF || static_cast<size_t>(std::ftell(stream)) != size)
        std::abort();
    std::fclose(stream);
    return 0;
}
