// Reads arbitrary bytes as a CSV file for import, in each encoding. A read
// either fails with a text and no records, or gives records of valid Shift_JIS
// fields whose marks and widest count agree with them. Records read from memory
// must also match those read through a stream, and those ZkCSV reads from the
// same Shift_JIS bytes. The Shift_JIS check finds the same first bad byte with
// and without wide vectors.

#include "platform/CodePage.h"
#include "transfer/CsvImportFile.h"
#include "zklib/ZkCsv.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Bytes read as Shift_JIS split into the records and fields that
// ZkCSV_ReadLine and ZkCSV_ParseLine make of them, and end inside quotes where
// those say so.
void CheckSplitMatchesZkCsv(const CCsvImportFile& file, const std::string& bytes) {
    const bool openQuote = file.m_refusal == CsvRefusal::OpenQuote;
    CString line;
    std::vector<CString> fields;
    size_t pos = 0, record = 0;
    int atEnd = 0;
    while (atEnd == 0) {
        atEnd = ZkCSV_ReadLine(bytes, pos, line);
        if (line.IsEmpty() || openQuote)
            continue;
        fields.clear();
        ZkCSV_ParseLine(line, fields);
        Check(record < file.m_records.size());
        const std::span<const std::string_view> split = file.m_records[record++].fields;
        Check(split.size() == fields.size());
        for (size_t i = 0; i < fields.size(); ++i)
            Check(split[i] == fields[i].view());
    }
    Check((atEnd == 2) == openQuote);
    Check(record == file.m_records.size());
}

void CheckRead(const std::string& bytes, CsvEncoding choice) {
    CCsvImportFile file;
    const std::optional<CFileError> error = file.ReadBytes(bytes, "fuzz.csv", choice);
    if (file.m_encoding == CsvEncoding::ShiftJis &&
        (!error || file.m_refusal == CsvRefusal::OpenQuote))
        CheckSplitMatchesZkCsv(file, bytes);
    if (error) {
        Check(!error->GetText().empty() && file.m_records.empty() && file.m_nColumns == 0);
        return;
    }
    Check(file.m_encoding != CsvEncoding::Auto);
    size_t widest = 0;
    std::string unicode;
    for (const CsvImportRecord& record : file.m_records) {
        Check(!record.fields.empty());
        Check(record.unstorableColumn >= 0 &&
              record.unstorableColumn <= static_cast<int>(record.fields.size()));
        Check((record.unstorableColumn == 0) == record.unstorable.empty());
        bool blank = true;
        for (const std::string_view field : record.fields) {
            Check(cp932::ToUtf8(field, unicode));
            blank = blank && field.find_first_not_of(" \t\r\n") == std::string::npos;
        }
        Check(record.blank == blank);
        widest = std::max(widest, record.fields.size());
    }
    Check(static_cast<size_t>(file.m_nColumns) == widest);
}

void CheckMemoryMatchesStream(std::string bytes) {
    FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    Check(stream != nullptr);
    CString fromStream, fromMemory;
    size_t pos = 0;
    for (int atEnd = 0; atEnd == 0;) {
        atEnd = ZkCSV_ReadLine(stream, fromStream);
        const int memoryEnd = ZkCSV_ReadLine(bytes, pos, fromMemory);
        Check(fromStream == fromMemory && atEnd == std::min(memoryEnd, 1));
    }
    Check(pos == bytes.size());
    std::fclose(stream);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Check(CsvFirstBadShiftJis(bytes, true) == CsvFirstBadShiftJis(bytes, false));
    for (CsvEncoding choice : {CsvEncoding::Auto, CsvEncoding::ShiftJis, CsvEncoding::Utf8})
        CheckRead(bytes, choice);
    if (size > 0)
        CheckMemoryMatchesStream(bytes);
    return 0;
}
