#include "zklib/ZkCsv.h"
#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

using Records = std::vector<std::pair<std::string, int>>;
using Fields = std::vector<std::string>;

// A read-only stream over bytes, with the C library's buffer or one of bufferSize bytes.
class MemStream {
public:
    explicit MemStream(std::string bytes, size_t bufferSize = 0) : m_bytes(std::move(bytes)) {
        m_stream = fmemopen(m_bytes.data(), m_bytes.size(), "rb");
        if (bufferSize)
            setvbuf(m_stream, m_buffer, _IOFBF, bufferSize);
    }
    ~MemStream() { std::fclose(m_stream); }
    MemStream(const MemStream&) = delete;
    MemStream& operator=(const MemStream&) = delete;
    operator FILE*() const { return m_stream; }

private:
    std::string m_bytes;
    char m_buffer[8];
    FILE* m_stream;
};

// Every record of the bytes with the result that came with it, up to the end.
Records ReadAll(const std::string& bytes, size_t bufferSize = 0) {
    MemStream stream(bytes, bufferSize);
    Records records;
    CString line;
    for (int atEnd = 0; atEnd == 0 && records.size() < 100;) {
        atEnd = ZkCSV_ReadLine(stream, line);
        records.emplace_back(line.str(), atEnd);
    }
    return records;
}

std::string Repeat(const std::string& text, int count) {
    std::string out;
    while (count-- > 0)
        out += text;
    return out;
}

} // namespace

TEST(ZkCsv, ReadLineEndsRecordsAtLineEndsOutsideQuotes) {
    const std::pair<std::string, Records> cases[] = {
        {"a,b\r\nc\r\n", {{"a,b", 0}, {"c", 0}, {"", 1}}},
        {"a\r\nb", {{"a", 0}, {"b", 1}}},
        {"", {{"", 1}}},
        {"\r\n\r\nx\n", {{"", 0}, {"", 0}, {"x", 0}, {"", 1}}},
        {"a\rb\n\rc", {{"a", 0}, {"b", 0}, {"", 0}, {"c", 1}}},
        {"1,\"x\r\ny\",2\r\n3", {{"1,\"x\r\ny\",2", 0}, {"3", 1}}},
        {"\"say \"\"hi\"\"\"\r\n\"a\"\"\nb\"\r",
         {{"\"say \"\"hi\"\"\"", 0}, {"\"a\"\"\nb\"", 0}, {"", 1}}},
        // An unbalanced quote makes the rest of the file one record.
        {"a,\"b\r\nc,d\r\ne\r\n", {{"a,\"b\r\nc,d\r\ne\r\n", 1}}},
        // Zero bytes cannot be held by text and are left out; nothing else is lost.
        {std::string("a\0b,c\r\n\0", 9), {{"ab,c", 0}, {"", 1}}},
    };
    for (const auto& [bytes, records] : cases)
        EXPECT_EQ(ReadAll(bytes), records) << bytes;
}

TEST(ZkCsv, ReadLineKeepsDoubleByteCharactersWholeWhateverTheBuffer) {
    // ソ 83 5C, 表 95 5C, 十 8F 5C; then damaged data, where a lead byte takes a
    // quote or a carriage return along, and a lead byte cut off by the end of the
    // file. Buffer ends fall between the two bytes of characters.
    const std::string bytes =
        "\x83\x5C\x95\x5C,\"\x8F\x5C\r\n\x83\"\"\r\n\x83\"x\r\n\x83\r\nend\x83";
    const Records expected{{"\x83\x5C\x95\x5C,\"\x8F\x5C\r\n\x83\"\"", 0},
                           {"\x83\"x", 0},
                           {"\x83\r", 0},
                           {"end\x83", 1}};
    for (size_t size : {0, 1, 2, 3, 4, 5})
        EXPECT_EQ(ReadAll(bytes, size), expected) << "buffer of " << size << " bytes";
}

TEST(ZkCsv, ReadLineLeavesTheStreamJustAfterTheRecordAndTakesAnyLength) {
    MemStream stream("a\rb\r\nc\"\r\n\"d\nrest");
    CString line;
    EXPECT_EQ(ZkCSV_ReadLine(stream, line), 0);
    EXPECT_EQ(std::ftell(stream), 2);
    EXPECT_EQ(ZkCSV_ReadLine(stream, line) + ZkCSV_ReadLine(stream, line), 0);
    EXPECT_EQ(line, "c\"\r\n\"d");
    EXPECT_EQ(std::ftell(stream), 12);

    const std::string longRecord = Repeat("\x8F\x5C"
                                          "abc,\"d\r\ne\",",
                                          400000);
    MemStream longStream(longRecord + "\r\nshort\r\n");
    EXPECT_EQ(ZkCSV_ReadLine(longStream, line), 0);
    EXPECT_EQ(line.str(), longRecord);
    EXPECT_EQ(ZkCSV_ReadLine(longStream, line), 0);
    EXPECT_EQ(line, "short"); // no leftovers of the long record
    std::vector<CString> fields;
    EXPECT_EQ(ZkCSV_ParseLine(longRecord.c_str(), fields), 800000);
    EXPECT_EQ(fields[799999], "d\r\ne");
}

TEST(ZkCsv, ParseLineSplitsAtSeparatorsOutsideQuotes) {
    // ソ 83 5C, 表 95 5C, 十 8F 5C; ポ 83 7C, 怖 95 7C: their second bytes are \ and |.
    const std::string longSjis = Repeat("\x95\x5C", 12), a20 = Repeat("a", 20);
    const struct {
        std::string record;
        char separator;
        Fields fields;
    } cases[] = {
        {"a,\"b,c\",d", ',', {"a", "b,c", "d"}},
        {"\"say \"\"hi\"\"\"", ',', {"say \"hi\""}},
        {"a,,b,", ',', {"a", "", "b"}}, // no empty field at the end
        {"a,\"\"", ',', {"a", ""}},
        {",a", ',', {"", "a"}},
        {"", ',', {}},
        // Text after a closing quote begins the next field; a quote may open mid-field.
        {"\"abc\"def,x", ',', {"abc", "def", "x"}},
        {"ab\"c,d\"e", ',', {"abc,d", "e"}},
        {" \"a\" , b ", ',', {" a", " ", " b "}},
        {"a,\"b,c", ',', {"a", "b,c"}}, // a quote left open runs to the end
        {"a\tb,c\t\"d\te\"", '\t', {"a", "b,c", "d\te"}},
        // Line feeds inside quotes arrive as CR LF; outside they are plain text.
        {"\"a\nb\",\"c\r\nd\",\"e\rf\n\n\"", ',', {"a\r\nb", "c\r\nd", "e\rf\r\n\r\n"}},
        {"a\nb,c\r", ',', {"a\nb", "c\r"}},
        {"\x83\x5C\\\x95\x5C\\x", '\\', {"\x83\x5C", "\x95\x5C", "x"}},
        {"\"\x8F\x5C\\\"\\\x83\x5C", '\\', {"\x8F\x5C\\", "\x83\x5C"}},
        {"\"\x83\x7C\"|\x95\x7C||", '|', {"\x83\x7C", "\x95\x7C", ""}},
        {longSjis + "\\" + longSjis + "\\x", '\\', {longSjis, longSjis, "x"}},
        // Damaged data: a lead byte takes a quote or a comma along, and stays at the end.
        {"\x83\"a,b", ',', {"\x83\"a", "b"}},
        {"\x83,a", ',', {"\x83,a"}},
        {"\"\x83\"\",x", ',', {"\x83\"", "x"}},
        {a20 + "\x83\"b,\"" + longSjis + "\n\x83\",\",z",
         ',',
         {a20 + "\x83\"b", longSjis + "\r\n\x83\",", "z"}},
        {"a\x83\x5C,b", '\x83', {"a\x83\x5C,b"}}, // a lead byte is never a separator
        {"a,b\x83", ',', {"a", "b\x83"}},
        {"\"b\x83", ',', {"b\x83"}},
    };
    for (const auto& c : cases) {
        std::vector<CString> fields{CString("old")};
        EXPECT_EQ(ZkCSV_ParseLine(c.record.c_str(), fields, c.separator), int(c.fields.size()) + 1);
        Fields got;
        for (size_t i = 1; i < fields.size(); ++i)
            got.push_back(fields[i].str());
        EXPECT_EQ(got, c.fields) << c.record;
    }
}

TEST(ZkCsv, CountFieldsFindsTheWidestRecordOrReportsTheFile) {
    const fs::path dir = fs::temp_directory_path() / ("kolvane-csv-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    RecordingUserInteraction ui;
    const std::pair<std::string, int> files[] = {{"a,b,c\r\n1,2,3,4,5\nw,x,y,z\r\n", 5},
                                                 {"\r\n\r\n", 0},
                                                 {"\"a,b\r\nc\",d\r\ne", 2},
                                                 {"\x8F\x5A,\x8F\x8A", 2}};
    for (const auto& [bytes, widest] : files) {
        std::ofstream(dir / "住所 録.csv", std::ios::binary) << bytes;
        EXPECT_EQ(ZkCSV_CountFields((dir / "住所 録.csv").c_str()), widest) << bytes;
    }
    EXPECT_TRUE(ui.messages.empty());

    const std::string missing = (dir / "なし.csv").string();
    ui.ExpectMessage("ﾌｧｲﾙ " + missing + " が見つかりません。");
    EXPECT_EQ(ZkCSV_CountFields(missing.c_str()), -1);
    // Reading this file fails at its first byte.
    ui.ExpectMessage("ﾌｧｲﾙ /proc/self/mem の読み書き中に装置のｴﾗｰが起きました。");
    EXPECT_EQ(ZkCSV_CountFields("/proc/self/mem"), -1);
    EXPECT_EQ(ui.Problems(), "");
    for (const auto& m : ui.messages)
        EXPECT_EQ(m.type & MB_ICONMASK, MB_ICONERROR);
    fs::remove_all(dir);
}
