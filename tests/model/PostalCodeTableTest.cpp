// The postal code table: lookups on a small table, the shipped table as a
// whole, and the plausibility check of a card's address.
#include "model/PostalCodeTable.h"

#include "ModelTestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// Rows out of order, as a hand-edited table might be.
const char* const kFixture = "#source\tjquery-jpostal-ja 0.0.1\t2025-09-30\n"
                             "1000001\t東京都\t千代田区\t千代田\n"
                             "0600000\t北海道\t札幌市中央区\t\n"
                             "4520961\t愛知県\t清須市\t春日明河\n"
                             "4520961\t愛知県\t清須市\t春日振形\n"
                             "4980000\t愛知県\t弥富市\t\n"
                             "4980000\t三重県\t桑名郡木曽岬町\t\n"
                             "1008111\t東京都\t千代田区\t千代田\t１－１\t宮内庁\n";

std::string WriteTemp(const char* name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

std::string Rows(CPostalCodeTable& table, const char* code) {
    std::string out;
    for (const CPostalRow& row : table.Find(Sjis(code).view())) {
        for (const CString* field :
             {&row.strPrefecture, &row.strCity, &row.strTown, &row.strBlock, &row.strOffice})
            out += cp932::ToUtf8Lossy(field->view()) + "|";
        out += "\n";
    }
    return out;
}

TEST(PostalCodeTable, FindsEveryRowOfACodeInAnyTypedForm) {
    CPostalCodeTable table(WriteTemp("kolvane_postal_fixture.tsv", kFixture));
    const struct {
        const char* code;
        const char* rows;
    } cases[] = {
        {"100-0001", "東京都|千代田区|千代田|||\n"},
        {"１００ー０００１", "東京都|千代田区|千代田|||\n"},
        {"〒1000001", "東京都|千代田区|千代田|||\n"},
        {" 〒 100‐0001 ", "東京都|千代田区|千代田|||\n"},
        {"0600000", "北海道|札幌市中央区||||\n"},
        {"4520961", "愛知県|清須市|春日明河|||\n愛知県|清須市|春日振形|||\n"},
        {"4980000", "愛知県|弥富市||||\n三重県|桑名郡木曽岬町||||\n"},
        {"1008111", "東京都|千代田区|千代田|１－１|宮内庁|\n"},
        {"1234567", ""},
        {"100001", ""},
        {"10000011", ""},
        {"1000001〒", ""},
        {"100-000a", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rows(table, c.code), c.rows) << c.code;
    EXPECT_EQ(table.Find("1008111")[0].Address(), Sjis("東京都千代田区千代田１－１"));
    EXPECT_EQ(table.Source(), "jquery-jpostal-ja 0.0.1");
    EXPECT_EQ(table.DataDate(), "2025-09-30");
}

TEST(PostalCodeTable, RefusesAMissingOrDamagedTable) {
    const std::string damaged[] = {
        "1000001\t東京都\t千代田区\t千代田\n",               // no header
        "#source\tx\ty\n100001\t東京都\t千代田区\t千代田\n", // 6 digits
        "#source\tx\ty\n1000001\t\t千代田区\t千代田\n",      // no prefecture
        "#source\tx\ty\n1000001\t東京都\t千代田区\n",        // 3 fields
        "#source\tx\ty\n1000001\t東京都\t千代田区\t𠮷\n",    // not Shift_JIS
        std::string("\x1f\x8b\x08\x00garbage", 11),          // broken gzip
    };
    for (const std::string& text : damaged) {
        CPostalCodeTable table(WriteTemp("kolvane_postal_damaged.tsv", text));
        const auto error = table.Load();
        ASSERT_TRUE(error.has_value()) << text;
        EXPECT_NE(error->GetText().find("郵便番号ﾃﾞｰﾀを読み込めませんでした。"), std::string::npos);
        EXPECT_TRUE(table.Find("1000001").empty());
        EXPECT_EQ(table.CheckAddress("1000001", Sjis("東京都千代田区").view()),
                  CPostalCodeTable::Check::kUnknown);
    }
    CPostalCodeTable missing("/nonexistent/jp-postal.tsv.gz");
    EXPECT_TRUE(missing.Load().has_value());
}

TEST(PostalCodeTable, ShippedTable) {
    CPostalCodeTable table(KOLVANE_POSTAL_TABLE);
    ASSERT_FALSE(table.Load().has_value());
    EXPECT_EQ(table.Source(), "jquery-jpostal-ja 2.14.73");
    EXPECT_EQ(table.DataDate(), "2025-09-30");
    EXPECT_GT(table.RowCount(), 140000u);
    // Sorted, 7 digits, and every row fits Shift_JIS: checked on the source
    // text, which the table must equal row for row.
    std::ifstream source(KOLVANE_SOURCE_DIR "/res/postal/jp-postal.tsv");
    std::string line, previous;
    std::getline(source, line);
    EXPECT_EQ(line, "#source\tjquery-jpostal-ja 2.14.73\t2025-09-30");
    size_t rows = 0;
    while (std::getline(source, line)) {
        ++rows;
        const std::string code = line.substr(0, line.find('\t'));
        ASSERT_EQ(code.size(), 7u) << line;
        ASSERT_EQ(code.find_first_not_of("0123456789"), std::string::npos) << line;
        ASSERT_LE(previous, code) << line;
        CString sjis;
        ASSERT_TRUE(cp932::FromUtf8(line, sjis)) << line;
        previous = code;
    }
    EXPECT_EQ(rows, table.RowCount());
    EXPECT_EQ(Rows(table, "1000001"), "東京都|千代田区|千代田|||\n");
    EXPECT_EQ(Rows(table, "4980000"), "愛知県|弥富市||||\n三重県|桑名郡木曽岬町||||\n");
    EXPECT_EQ(Rows(table, "1008111"), "東京都|千代田区|千代田|１－１|宮内庁|\n");
    EXPECT_EQ(table.Find("4520961").size(), 66u);
}

TEST(PostalCodeTable, PlausibilityOfAnAddress) {
    CPostalCodeTable table(WriteTemp("kolvane_postal_fixture.tsv", kFixture));
    using C = CPostalCodeTable::Check;
    const struct {
        const char* code;
        const char* address;
        C expected;
    } cases[] = {
        {"1000001", "東京都千代田区千代田1-1", C::kPlausible},
        {"1000001", "千代田区千代田１－１", C::kPlausible},      // no prefecture
        {"1000001", " 東京都　千代田区\n千代田", C::kPlausible}, // blanks, line break
        {"4980000", "三重県木曽岬町", C::kPlausible},            // no 郡
        {"4980000", "木曽岬町西対海地", C::kPlausible},          // neither
        {"4980000", "愛知県弥富市", C::kPlausible},              // the other row
        {"１００－０００１", "東京都千代田区", C::kPlausible},   // full-width code
        {"1000001", "東京都中央区銀座", C::kMismatch},           // wrong city
        {"1000001", "", C::kMismatch},
        {"1234567", "東京都千代田区", C::kUnknown},
        {"", "東京都千代田区", C::kNoCode},
        {"　", "", C::kNoCode},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.CheckAddress(Sjis(c.code).view(), Sjis(c.address).view()), c.expected)
            << c.code << " " << c.address;
}

} // namespace
