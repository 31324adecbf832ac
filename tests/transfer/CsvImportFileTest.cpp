// Reading CSV files for import: encodings, records, marks and refusals.

#include "transfer/CsvImportFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Each record as its fields between tabs, then its marks.
std::vector<std::string> Rows(const CCsvImportFile& file) {
    std::vector<std::string> rows;
    for (const CsvImportRecord& r : file.m_records) {
        std::string row(r.fields[0]);
        for (size_t i = 1; i < r.fields.size(); ++i)
            (row += '\t') += r.fields[i];
        if (r.blank)
            row += " (blank)";
        if (r.unstorableColumn)
            row += " (" + std::to_string(r.unstorableColumn) + ": " + r.unstorable + ")";
        rows.push_back(row);
    }
    return rows;
}

// Three cards as Shift_JIS: ソ 83 5C, 表 95 5C, 十 8F 5C before a quote, a
// comma and a line end; − 81 7C, 〜 81 60.
const std::vector<std::string> kCards = {
    "\x8E\x81\x96\xBC\t\x8FZ\x8F\x8A\t\x83\x81\x83\x82",
    "\x8ER\x93"
    "c \x91\xBE\x98Y\t\x93\x8C\x8B\x9E\x93s\x8F\\\x8F\xF0"
    "1\x81|2, \x95\\\x92\xAC\x83r\x83\x8B\t\x83\\\x83t\x83g \"A\"\r\n\x8E\x9F\x89\xF1\x81`",
    "\x95\\\t\x83\\\t\x8F\\",
    "\t\t (blank)",
    " \t  (blank)",
};

} // namespace

TEST(CsvImportFile, ReadsTheSameCardsFromEveryEncoding) {
    const struct {
        std::string bytes;
        CsvEncoding choice, found;
        std::vector<std::string> rows;
        int columns;
    } cases[] = {
        {"\x8E\x81\x96\xBC,\x8FZ\x8F\x8A,\x83\x81\x83\x82\r\n\r\n\x8ER\x93"
         "c \x91\xBE\x98Y,\"\x93\x8C\x8B\x9E\x93s\x8F\\\x8F\xF0"
         "1\x81|2, \x95\\\x92\xAC\x83r\x83\x8B\",\"\x83\\\x83t\x83g \"\"A\"\"\r\n"
         "\x8E\x9F\x89\xF1\x81`\"\r\n\"\x95\\\",\x83\\,\x8F\\\r\n,,,\r\n , \r\n",
         CsvEncoding::Auto, CsvEncoding::ShiftJis, kCards, 3},
        {"\xEF\xBB\xBF氏名,住所,メモ\r\n\r\n山田 太郎,\"東京都十条1\xE2\x88\x92"
         "2, 表町ビル\",\"ソフト \"\"A\"\"\r\n次回\xE3\x80\x9C\"\r\n\"表\",ソ,十\r\n,,,\r\n , \r\n",
         CsvEncoding::Auto, CsvEncoding::Utf8, kCards, 3},
        {"氏名,住所,メモ\n\n山田 太郎,\"東京都十条1\xE2\x88\x92"
         "2, 表町ビル\",\"ソフト \"\"A\"\"\n次回\xE3\x80\x9C\"\n\"表\",ソ,十\n,,,\n , \n",
         CsvEncoding::Utf8, CsvEncoding::Utf8, kCards, 3},
        // 𠮷 and 😀 have no place in code page 932: the first is named; UTF-8's あ (E3 81 82) before
        // a comma is not taken for a Shift_JIS character swallowing it.
        {"a,\xF0\xA0\xAE\xB7野家,\"b\xF0\x9F\x98\x80\"\nあ,い",
         CsvEncoding::Auto,
         CsvEncoding::Utf8,
         {"a\t\x96\xEC\x89\xC6\tb (2: \xF0\xA0\xAE\xB7)", "\x82\xA0\t\x82\xA2"},
         3},
        // ﾃｽ in Shift_JIS is ý in UTF-8: the choice decides.
        {"\xC3\xBDx", CsvEncoding::ShiftJis, CsvEncoding::ShiftJis, {"\xC3\xBDx"}, 1},
        {"\xC3\xBDx", CsvEncoding::Auto, CsvEncoding::Utf8, {"x (1: \xC3\xBD)"}, 1},
        {"\xEF\xBB\xBF", CsvEncoding::Auto, CsvEncoding::Utf8, {}, 0},
    };
    for (const auto& c : cases) {
        CCsvImportFile file;
        EXPECT_EQ(file.ReadBytes(c.bytes, "in.csv", c.choice), std::nullopt) << c.bytes;
        EXPECT_EQ(file.m_encoding, c.found) << c.bytes;
        EXPECT_EQ(Rows(file), c.rows) << c.bytes;
        EXPECT_EQ(file.m_nColumns, c.columns) << c.bytes;
    }
}

TEST(CsvImportFile, RefusesWhatItCannotReadWholeNamingTheLine) {
    const struct {
        std::string bytes;
        CsvEncoding choice;
        std::string text;
    } cases[] = {
        {"a\r\nb\r\n\x83\"x\r\n", CsvEncoding::Auto,
         "ﾌｧｲﾙ in.csv の 3 行目に Shift_JIS としても UTF-8 としても読めないﾊﾞｲﾄがあります。"},
        {"a\n\x83,", CsvEncoding::ShiftJis,
         "ﾌｧｲﾙ in.csv の 2 行目に Shift_JIS の文字として読めないﾊﾞｲﾄがあります。"},
        {"\xEF\xBB\xBFあ\r\r\n\xFF", CsvEncoding::Auto,
         "ﾌｧｲﾙ in.csv の 3 行目に UTF-8 の文字として読めないﾊﾞｲﾄがあります。"},
        {std::string("abcdefghij\nabc\0defghijklmnop", 28), CsvEncoding::Auto,
         "ﾌｧｲﾙ in.csv の 2 行目に Shift_JIS としても UTF-8 としても読めないﾊﾞｲﾄがあります。"},
        {"a,b\r\n\"c\r\nd\",x\r\ne,\"f\r\ng\r\n", CsvEncoding::Auto,
         "ﾌｧｲﾙ in.csv の 4 行目で開いた引用符 (\") が閉じられていないため読み込めません。"},
        {"\xEF\xBB\xBFあ\n\"い\xF0\xA0\xAE\xB7\n", CsvEncoding::Auto,
         "ﾌｧｲﾙ in.csv の 2 行目で開いた引用符 (\") が閉じられていないため読み込めません。"},
        {std::string("\xFF\xFE"
                     "a\0",
                     4),
         CsvEncoding::ShiftJis,
         "ﾌｧｲﾙ in.csv は UTF-16 で書かれているため読み込めません。\n"
         "Shift_JIS か UTF-8 で保存し直してください。"},
        {std::string("\0a\0,\0\x30\r\0\n", 10), CsvEncoding::Auto,
         "ﾌｧｲﾙ in.csv は UTF-16 で書かれているため読み込めません。\n"
         "Shift_JIS か UTF-8 で保存し直してください。"},
    };
    for (const auto& c : cases) {
        CCsvImportFile file;
        const std::optional<CFileError> error = file.ReadBytes(c.bytes, "in.csv", c.choice);
        ASSERT_TRUE(error) << c.bytes;
        EXPECT_EQ(error->GetText(), c.text);
        EXPECT_EQ(error->m_nType, UINT(MB_ICONSTOP));
        EXPECT_TRUE(file.m_records.empty());
    }
}

TEST(CsvImportFile, ReadsAFileOrNamesWhyItCannot) {
    const fs::path dir =
        fs::temp_directory_path() / ("kolvane-csvimport-" + std::to_string(::getpid()));
    fs::create_directories(dir / "folder.csv");
    std::ofstream(dir / "住所.csv", std::ios::binary) << "a,b\r\n";
    CCsvImportFile file;
    EXPECT_EQ(file.Read((dir / "住所.csv").string(), CsvEncoding::Auto), std::nullopt);
    EXPECT_EQ(Rows(file), std::vector<std::string>{"a\tb"});
    // A folder opens like a file and fails at the first read: never an empty file.
    const std::string folder = (dir / "folder.csv").string();
    const std::optional<CFileError> error = file.Read(folder, CsvEncoding::Auto);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->GetText(), "ﾌｧｲﾙ " + folder + " へのｱｸｾｽが拒否されました。");
    EXPECT_TRUE(file.m_records.empty());
    fs::remove_all(dir);
}

TEST(CsvImportFile, FindsTheFirstBadShiftJisByteWithAndWithoutWideVectors) {
    // ASCII, kanji, kana, half-width katakana, characters of rows that are
    // looked up (① 87 40, ⅰ EE EF and FA 40), and lead bytes whose trail byte
    // may lead too (89 89, E0 E0).
    const std::vector<std::string> characters = {
        "a",        "\x8E\x81", "\x82\xA0", "\xB1",     "\x87\x40", "\x81\x40", "\x83\x5C",
        "\xEE\xEF", "\xFA\x40", "\x98\x9F", "\x89\x89", "\xE0\xE0", ",",        "\x96\xBC"};
    std::string text;
    std::vector<size_t> starts;
    for (size_t i = 0; text.size() < 200; ++i) {
        starts.push_back(text.size());
        text += characters[(i * 5) % characters.size()];
    }
    EXPECT_EQ(CsvFirstBadShiftJis(text, true), std::string::npos);
    EXPECT_EQ(CsvFirstBadShiftJis(text, false), std::string::npos);
    // A lead byte with no trail byte, at the end or before a quote.
    for (const size_t at : starts) {
        for (const std::string& bad : {std::string("\x83\""), std::string("\x83")}) {
            const std::string damaged =
                text.substr(0, at) + bad + (bad.size() == 1 ? "" : text.substr(at));
            EXPECT_EQ(CsvFirstBadShiftJis(damaged, true), at) << at;
            EXPECT_EQ(CsvFirstBadShiftJis(damaged, false), at) << at;
        }
    }
}
