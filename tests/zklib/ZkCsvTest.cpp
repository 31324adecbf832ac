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
    int atEnd = 0;
    while (atEnd == 0 && records.size() < 100) {
        atEnd = ZkCSV_ReadLine(stream, line);
        records.emplace_back(line.str(), atEnd);
    }
    return records;
}

std::string Repeat(const char* text, int count) {
    std::string out;
    while (count-- > 0)
        out += text;
    return out;
}

Fields Parse(const char* record, char separator = ',') {
    std::vector<CString> fields;
    const int n = ZkCSV_ParseLine(record, fields, separator);
    EXPECT_EQ(n, static_cast<int>(fields.size()));
    Fields out;
    for (const auto& f : fields)
        out.push_back(f.str());
    return out;
}

fs::path TempDir() {
    fs::path dir = fs::temp_directory_path() / ("kolvane-csv-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

fs::path WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(ZkCsvReadLine, EndsRecordsAtLineEnds) {
    EXPECT_EQ(ReadAll("a,b\r\nc\r\n"), (Records{{"a,b", 0}, {"c", 0}, {"", 1}}));
    EXPECT_EQ(ReadAll("a\r\nb"), (Records{{"a", 0}, {"b", 1}}));
    EXPECT_EQ(ReadAll(""), (Records{{"", 1}}));
    // Empty lines come back empty; readers skip them.
    EXPECT_EQ(ReadAll("\r\n\r\nx\r\n"), (Records{{"", 0}, {"", 0}, {"x", 0}, {"", 1}}));
    // Line feed alone and carriage return alone end a record too.
    EXPECT_EQ(ReadAll("a,b\nc,d\n"), (Records{{"a,b", 0}, {"c,d", 0}, {"", 1}}));
    EXPECT_EQ(ReadAll("a\rb\r"), (Records{{"a", 0}, {"b", 0}, {"", 1}}));
    EXPECT_EQ(ReadAll("a\n\rb"), (Records{{"a", 0}, {"", 0}, {"b", 1}}));
}

TEST(ZkCsvReadLine, KeepsQuotesAndQuotedLineBreaks) {
    EXPECT_EQ(ReadAll("1,\"x\r\ny\",2\r\n3\r\n"),
              (Records{{"1,\"x\r\ny\",2", 0}, {"3", 0}, {"", 1}}));
    EXPECT_EQ(ReadAll("\"a\nb\rc\"\n"), (Records{{"\"a\nb\rc\"", 0}, {"", 1}}));
    // Doubled quotes leave the quoting as it was.
    EXPECT_EQ(ReadAll("\"say \"\"hi\"\"\"\r\n\"\",x\r\n"),
              (Records{{"\"say \"\"hi\"\"\"", 0}, {"\"\",x", 0}, {"", 1}}));
    EXPECT_EQ(ReadAll("\"a\"\"\r\nb\"\r\n"), (Records{{"\"a\"\"\r\nb\"", 0}, {"", 1}}));
    // An unbalanced quote makes the rest of the file one record.
    EXPECT_EQ(ReadAll("a,\"b\r\nc,d\r\ne\r\n"), (Records{{"a,\"b\r\nc,d\r\ne\r\n", 1}}));
    EXPECT_EQ(ReadAll("x,\""), (Records{{"x,\"", 1}}));
}

TEST(ZkCsvReadLine, DoubleByteCharactersStayWholeWhateverTheBuffer) {
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
    // Zero bytes cannot be held by text and are left out; nothing else is lost.
    EXPECT_EQ(ReadAll(std::string("a\0b,c\r\n\0", 9)), (Records{{"ab,c", 0}, {"", 1}}));
}

TEST(ZkCsvReadLine, LeavesTheStreamJustAfterTheRecord) {
    MemStream stream("a\rb\r\nc\"\r\n\"d\nrest");
    CString line;
    EXPECT_EQ(ZkCSV_ReadLine(stream, line), 0);
    EXPECT_EQ(line, "a");
    EXPECT_EQ(std::ftell(stream), 2);
    EXPECT_EQ(std::getc(stream), 'b');
    EXPECT_EQ(ZkCSV_ReadLine(stream, line), 0);
    EXPECT_EQ(line, "");
    EXPECT_EQ(ZkCSV_ReadLine(stream, line), 0);
    EXPECT_EQ(line, "c\"\r\n\"d");
    char rest[16] = {};
    ASSERT_NE(std::fgets(rest, sizeof rest, stream), nullptr);
    EXPECT_STREQ(rest, "rest");
}

TEST(ZkCsvReadLine, ReadsAVeryLongRecordWhole) {
    std::string longRecord;
    for (int i = 0; i < 400000; ++i)
        longRecord += "\x8F\x5C"
                      "abc,\"d\r\ne\",";
    ASSERT_GT(longRecord.size(), 4u << 20);
    MemStream stream(longRecord + "\r\nshort\r\n");
    CString line("previous");
    EXPECT_EQ(ZkCSV_ReadLine(stream, line), 0);
    EXPECT_EQ(line.str(), longRecord);
    // The same string then takes short records without leftovers.
    EXPECT_EQ(ZkCSV_ReadLine(stream, line), 0);
    EXPECT_EQ(line, "short");
    EXPECT_EQ(ZkCSV_ReadLine(stream, line), 1);
    EXPECT_EQ(line, "");

    std::vector<CString> fields;
    EXPECT_EQ(ZkCSV_ParseLine(longRecord.c_str(), fields), 800000);
    EXPECT_EQ(fields[0], "\x8F\x5C"
                         "abc");
    EXPECT_EQ(fields[799999], "d\r\ne");
}

TEST(ZkCsvParseLine, SplitsAtSeparatorsAndRemovesQuotes) {
    EXPECT_EQ(Parse("a,\"b,c\",d"), (Fields{"a", "b,c", "d"}));
    EXPECT_EQ(Parse("\"say \"\"hi\"\"\""), (Fields{"say \"hi\""}));
    EXPECT_EQ(Parse("a,b,"), (Fields{"a", "b"}));
    EXPECT_EQ(Parse("a,,b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(Parse("a,\"\""), (Fields{"a", ""}));
    EXPECT_EQ(Parse(",a"), (Fields{"", "a"}));
    EXPECT_EQ(Parse(""), (Fields{}));
    // Text after a closing quote begins the next field; a quote may open mid-field.
    EXPECT_EQ(Parse("\"abc\"def,x"), (Fields{"abc", "def", "x"}));
    EXPECT_EQ(Parse("ab\"c,d\"e"), (Fields{"abc,d", "e"}));
    // Blanks stay, also before an opening quote.
    EXPECT_EQ(Parse(" \"a\" , b "), (Fields{" a", " ", " b "}));
    // A quote left open runs to the end of the record.
    EXPECT_EQ(Parse("a,\"b,c"), (Fields{"a", "b,c"}));
    EXPECT_EQ(Parse("a,\""), (Fields{"a", ""}));
    EXPECT_EQ(Parse("a\tb,c\t\"d\te\"", '\t'), (Fields{"a", "b,c", "d\te"}));
}

TEST(ZkCsvParseLine, LineBreaksInsideQuotesArriveAsCrLf) {
    EXPECT_EQ(Parse("\"a\nb\",c"), (Fields{"a\r\nb", "c"}));
    EXPECT_EQ(Parse("\"a\r\nb\""), (Fields{"a\r\nb"}));
    EXPECT_EQ(Parse("\"a\rb\n\n\""), (Fields{"a\rb\r\n\r\n"}));
    // Outside quotes line breaks are plain text.
    EXPECT_EQ(Parse("a\nb,c\r"), (Fields{"a\nb", "c\r"}));
}

TEST(ZkCsvParseLine, SecondBytesAreNeverQuotesOrSeparators) {
    // ソ 83 5C, 表 95 5C, 十 8F 5C split at back slashes; ポ 83 7C, 怖 95 7C at bars.
    EXPECT_EQ(Parse("\x83\x5C\\\x95\x5C\\x", '\\'), (Fields{"\x83\x5C", "\x95\x5C", "x"}));
    EXPECT_EQ(Parse("\"\x8F\x5C\\\"\\\x83\x5C", '\\'), (Fields{"\x8F\x5C\\", "\x83\x5C"}));
    EXPECT_EQ(Parse("\x83\x7C|\x95\x7C||", '|'), (Fields{"\x83\x7C", "\x95\x7C", ""}));
    EXPECT_EQ(Parse("\"\x83\x7C\"|\"\x95\x7C|\"", '|'), (Fields{"\x83\x7C", "\x95\x7C|"}));
    // Damaged data: a lead byte takes a quote or a comma along.
    EXPECT_EQ(Parse("\x83\"a,b"), (Fields{"\x83\"a", "b"}));
    EXPECT_EQ(Parse("\x83,a"), (Fields{"\x83,a"}));
    EXPECT_EQ(Parse("\"\x83\"\",x"), (Fields{"\x83\"", "x"}));
    // The same past the first sixteen bytes of a record.
    EXPECT_EQ(Parse((Repeat("\x83\x5C", 12) + "\\" + Repeat("\x95\x5C", 12) + "\\x").c_str(), '\\'),
              (Fields{Repeat("\x83\x5C", 12), Repeat("\x95\x5C", 12), "x"}));
    EXPECT_EQ(
        Parse((Repeat("a", 20) + "\x83\"b,\"" + Repeat("\x95\x5C", 10) + "\n\x83\",\",z").c_str()),
        (Fields{Repeat("a", 20) + "\x83\"b", Repeat("\x95\x5C", 10) + "\r\n\x83\",", "z"}));
    // A lead byte is never a separator.
    EXPECT_EQ(Parse("a\x83\x5C,b", '\x83'), (Fields{"a\x83\x5C,b"}));
    // A lead byte as the last byte is kept, in or out of quotes.
    EXPECT_EQ(Parse("a,b\x83"), (Fields{"a", "b\x83"}));
    EXPECT_EQ(Parse("\"b\x83"), (Fields{"b\x83"}));
}

TEST(ZkCsvParseLine, AppendsToTheListAndCountsAllOfIt) {
    std::vector<CString> fields{CString("old")};
    EXPECT_EQ(ZkCSV_ParseLine("x,y", fields), 3);
    EXPECT_EQ(ZkCSV_ParseLine("", fields), 3);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], "old");
    EXPECT_EQ(fields[2], "y");
}

TEST(ZkCsvCountFields, FindsTheWidestRecord) {
    const fs::path dir = TempDir();
    RecordingUserInteraction ui;
    const auto count = [&](const char* name, const std::string& bytes) {
        return ZkCSV_CountFields(WriteFile(dir / name, bytes).c_str());
    };
    EXPECT_EQ(count("354.csv", "a,b,c\r\n1,2,3,4,5\r\nw,x,y,z\r\n"), 5);
    EXPECT_EQ(count("empty.csv", ""), 0);
    EXPECT_EQ(count("blank.csv", "\r\n\r\n"), 0);
    EXPECT_EQ(count("quoted.csv", "\"a,b\r\nc\",d\r\ne"), 2);
    EXPECT_EQ(count("lf.csv", "a,b\nc,d,e\n"), 3);
    EXPECT_EQ(count("住所 録.csv", "\x8F\x5A,\x8F\x8A\r\n"), 2);
    EXPECT_EQ(ui.Problems(), "");
    EXPECT_TRUE(ui.messages.empty());
    fs::remove_all(dir);
}

TEST(ZkCsvCountFields, ReportsFilesThatCannotBeRead) {
    const fs::path dir = TempDir();
    RecordingUserInteraction ui;
    const std::string missing = (dir / "なし.csv").string();
    ui.ExpectMessage("ﾌｧｲﾙ " + missing + " が見つかりません。");
    EXPECT_EQ(ZkCSV_CountFields(missing.c_str()), -1);
#ifdef __linux__
    // Reading this file fails at its first byte.
    ui.ExpectMessage("ﾌｧｲﾙ /proc/self/mem の読み書き中に装置のｴﾗｰが起きました。");
    EXPECT_EQ(ZkCSV_CountFields("/proc/self/mem"), -1);
#endif
    EXPECT_EQ(ui.Problems(), "");
    for (const auto& m : ui.messages)
        EXPECT_EQ(m.type & MB_ICONMASK, MB_ICONERROR);
    fs::remove_all(dir);
}
