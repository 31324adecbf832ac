// Splits arbitrary bytes into records and fields, with a comma and with the
// first byte as separator. The records must not depend on how the stream is
// buffered, all input must be consumed, and the fields must match a plain
// byte-at-a-time reading of the same record.

#include "platform/MbChar.h"
#include "zklib/ZkCsv.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadRecords(std::vector<char>& bytes, size_t bufferSize) {
    FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!stream)
        std::abort();
    char buffer[8];
    if (bufferSize)
        setvbuf(stream, buffer, _IOFBF, bufferSize);
    std::vector<std::string> records;
    CString line;
    size_t lineBytes = 0;
    int atEnd = 0;
    while (atEnd == 0) {
        atEnd = ZkCSV_ReadLine(stream, line);
        records.push_back(line.str());
        lineBytes += records.back().size();
        // Every record that ended with a line end used that byte.
        if (records.size() > bytes.size() + 1 || lineBytes > bytes.size())
            std::abort();
    }
    if (std::fgetc(stream) != EOF || static_cast<size_t>(std::ftell(stream)) != bytes.size())
        std::abort();
    std::fclose(stream);
    return records;
}

// The fields of a record, one byte at a time.
std::vector<std::string> PlainFields(const std::string& record, char separator) {
    std::vector<std::string> fields;
    std::string field;
    const char* p = record.c_str();
    while (*p) {
        if (mb::IsLeadByte(static_cast<unsigned char>(*p))) {
            field += *p++;
            if (*p)
                field += *p++;
        } else if (*p == separator) {
            fields.push_back(field);
            field.clear();
            ++p;
        } else if (*p == '"') {
            ++p;
            while (*p) {
                if (mb::IsLeadByte(static_cast<unsigned char>(*p))) {
                    field += *p++;
                    if (*p)
                        field += *p++;
                } else if (*p == '"') {
                    if (p[1] == '"') {
                        field += '"';
                        p += 2;
                        continue;
                    }
                    p += p[1] == separator && separator ? 2 : 1;
                    break;
                } else if (*p == '\n') {
                    field += "\r\n";
                    ++p;
                } else if (*p == '\r' && p[1] == '\n') {
                    field += "\r\n";
                    p += 2;
                } else {
                    field += *p++;
                }
            }
            fields.push_back(field);
            field.clear();
        } else {
            field += *p++;
        }
    }
    if (!field.empty())
        fields.push_back(field);
    return fields;
}

void CheckFields(const std::string& record, char separator) {
    std::vector<CString> fields{CString("x")};
    const int n = ZkCSV_ParseLine(record.c_str(), fields, separator);
    const std::vector<std::string> expected = PlainFields(record, separator);
    if (n != static_cast<int>(fields.size()) || fields.size() != expected.size() + 1)
        std::abort();
    for (size_t i = 0; i < expected.size(); ++i)
        if (fields[i + 1].str() != expected[i])
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::vector<char> bytes(data, data + size);
    const std::vector<std::string> records = ReadRecords(bytes, 0);
    if (ReadRecords(bytes, 3) != records)
        std::abort();
    for (const std::string& record : records) {
        if (record.empty())
            continue;
        CheckFields(record, ',');
        CheckFields(record, static_cast<char>(data[0]));
    }
    return 0;
}
