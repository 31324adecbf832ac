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

// A read-only stream over bytes, with the C library's buffer or one of bufferSize bytes.
class MemStream {
public:
    explicit MemStream(std::string bytes, size_t bufferSize = 0) : m_bytes(std::move(bytes)) {
        m_stream = fmemopen(m_bytes.data(), m_bytes.size(), "rb");
        if (bufferSize)
            setvbuf(m_stream, m_buffer, _IOFBF, bufferSize);
    }
    ~MemStream() { std::fclose(m_stream); }
    operator FILE*() const { return m_stream; }

private:
    std::string m_bytes;
    char m_buffer[8];
    FILE* m_stream;
};

std::string Repeat(const std::string& text, int count) {
    std::string out;
    while (count-- > 0)
        out += text;
    return out;
}

} // namespace

// Every record with the result that came with it, whatever the stream's buffer:
// its ends fall between the two bytes of characters.
TEST(ZkCsv, ReadLineEndsRecordsAtLineEndsOutsideQuotes) {
    const std::pair<std::string, Records> cases[] = {
        // Zero bytes cannot be held by text and are left out; nothing else is lost.
        {std::string("a\0,b\r\nc\r\n\0d", 11), {{"a,b", 0}, {"c", 0}, {"d", 1}}},
        {"", {{"", 1}}},
        {"\r\n\r\nx\rb\n\rc\n", {{"", 0}, {"", 0}, {"x", 0}, {"b", 0}, {"", 0}, {"c", 0}, {"", 1}}},
        {"1,\"x\r\ny\",2\r\n\"say \"\"hi\"\"\"\r\n\"a\"\"\nb\"\r",
         {{"1,\"x\r\ny\",2", 0}, {"\"say \"\"hi\"\"\"", 0}, {"\"a\"\"\nb\"", 0}, {"", 1}}},
        // An unbalanced quote makes the rest of the file one record.
        {"a,\"b\r\nc,d\r\ne\r\n", {{"a,\"b\r\nc,d\r\ne\r\n", 1}}},
        // ソ 83 5C, 表 95 5C, 十 8F 5C; then damaged data, where a lead byte takes a
        // quote or a carriage return along, and a lead byte cut off by the end.
        {"\x83\x5C\x95\x5C,\"\x8F\x5C\r\n\x83\"\"\r\n\x83\"x\r\n\x83\r\nend\x83",
         {{"\x83\x5C\x95\x5C,\"\x8F\x5C\r\n\x83\"\"", 0},
          {"\x83\"x", 0},
          {"\x83\r", 0},
          {"end\x83", 1}}},
    };
    for (const auto& [bytes, expected] : cases) {
        for (size_t size : {0, 1, 2, 3}) {
            MemStream stream(bytes, size);
            Records records;
            CString line;
            for (int atEnd = 0; atEnd == 0 && records.size() < 100;) {
                atEnd = ZkCSV_ReadLine(stream, line);
                records.emplace_back(line.str(), atEnd);
            }
            EXPECT_EQ(records, expected) << bytes << " buffer of " << size;
        }
        // From memory the same, but an end inside quotes says so (2).
        Records records;
        CString line;
        size_t pos = 0;
        for (int atEnd = 0; atEnd == 0 && records.size() < 100;) {
            atEnd = ZkCSV_ReadLine(bytes, pos, line);
            records.emplace_back(line.str(), atEnd == 2 ? 1 : atEnd);
        }
        EXPECT_EQ(records, expected) << bytes;
        EXPECT_EQ(pos, bytes.size());
    }
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
        std::vector<std::string> fields;
    } cases[] = {
        {",a,\"b,c\",,\"say \"\"hi\"\"\",\"\"", ',', {"", "a", "b,c", "", "say \"hi\"", ""}},
        {"a,b,", ',', {"a", "b"}}, // no empty field at the end
        {"", ',', {}},
        // Text after a closing quote begins the next field; a quote may open mid-field.
        {"\"abc\"def,ab\"c,d\"e, \"a\" , b ", ',', {"abc", "def", "abc,d", "e", " a", " ", " b "}},
        {"a,\"b,c\x83", ',', {"a", "b,c\x83"}}, // a quote left open runs to the end
        {"a\tb,c\t\"d\te\"", '\t', {"a", "b,c", "d\te"}},
        // Line feeds inside quotes arrive as CR LF; outside they are plain text.
        {"\"a\nb\",\"c\r\nd\",\"e\rf\n\n\",a\nb,c\r",
         ',',
         {"a\r\nb", "c\r\nd", "e\rf\r\n\r\n", "a\nb", "c\r"}},
        {"\x83\x5C\\\x95\x5C\\\"\x8F\x5C\\\"\\" + longSjis + "\\" + longSjis + "\\x",
         '\\',
         {"\x83\x5C", "\x95\x5C", "\x8F\x5C\\", longSjis, longSjis, "x"}},
        {"\"\x83\x7C\"|\x95\x7C||", '|', {"\x83\x7C", "\x95\x7C", ""}},
        // Damaged data: a lead byte takes a quote or a comma along, and stays at the end.
        {"\x83\"a,\x83,a,b\x83", ',', {"\x83\"a", "\x83,a", "b\x83"}},
        {"\"\x83\"\",x", ',', {"\x83\"", "x"}},
        {a20 + "\x83\"b,\"" + longSjis + "\n\x83\",\",z",
         ',',
         {a20 + "\x83\"b", longSjis + "\r\n\x83\",", "z"}},
        {"a\x83\x5C,b", '\x83', {"a\x83\x5C,b"}}, // a lead byte is never a separator
    };
    for (const auto& c : cases) {
        std::vector<CString> fields{CString("old")};
        EXPECT_EQ(ZkCSV_ParseLine(c.record.c_str(), fields, c.separator), int(c.fields.size()) + 1);
        std::vector<std::string> got;
        for (size_t i = 1; i < fields.size(); ++i)
            got.push_back(fields[i].str());
        EXPECT_EQ(got, c.fields) << c.record;
    }
}

TEST(ZkCsv, CountFieldsFindsTheWidestRecordOrReportsTheFile) {
    const fs::path dir = fs::temp_directory_path() / ("kolvane-csv-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    RecordingUserInteraction ui;
    const std::pair<std::string, int> files[] = {
        {"a,b,c\r\n1,2,3,4,5\nw,x,y,z\r\n", 5}, {"\r\n\r\n", 0}, {"\"a,b\r\nc\",d\r\ne", 2}};
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
