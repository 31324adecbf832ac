// Column titles: which first rows map the columns, and the bundled import
// layouts of programs' exports against sample files of those programs.

#include "transfer/ColumnTitles.h"
#include "platform/CodePage.h"
#include "transfer/CsvImportFile.h"
#include "transfer/ImportLayout.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

std::vector<CString> Cells(std::initializer_list<const char*> utf8) {
    std::vector<CString> cells;
    for (const char* text : utf8) {
        cells.emplace_back();
        cp932::FromUtf8(text, cells.back());
    }
    return cells;
}

} // namespace

TEST(ColumnTitles, TitleRowsMapAndDataRowsDoNot) {
    const int N = IMPORT_NO_FIELD;
    const struct {
        std::vector<CString> cells;
        std::vector<int> fields; // empty: not titles
    } cases[] = {
        {Cells({"氏名", " ふりがな\t", "番地 2", "ﾌｧｯｸｽ", "国", "ﾒｰﾙ", "ﾒﾓ"}),
         {0, 4, 11, 21, 19, N, 29}},
        {Cells({"Last Name", "First Name", "Zip", "Phone 6", "", "Other"}), {2, 1, 18, 27, N, 28}},
        // Titles of the programs' exports outside their layouts' order.
        {Cells({"メールアドレス", "姓", "Address 1 - City", "ニックネーム"}), {28, 2, 16, N}},
        {Cells({"山田 太郎", "やまだ", "営業部", "備考"}), {}},
        {Cells({"氏名", "電話", "山田", "03-1", "x", "y"}), {}},
        {Cells({"[無視]", "[無視]", "ﾒﾓ"}), {}},
        {Cells({"", ""}), {}},
    };
    for (const auto& c : cases) {
        const std::optional<ColumnTitleMap> map = MapColumnTitles(c.cells);
        ASSERT_EQ(map.has_value(), !c.fields.empty()) << cp932::ToUtf8Lossy(c.cells[0].view());
        if (map) {
            EXPECT_EQ(map->fields, c.fields);
            EXPECT_EQ(map->layoutName, "");
        }
    }
}

// Each bundled layout of a program's export has a sample file of that
// program: its title row names the layout and maps the columns exactly as
// the bundled KVI file does.
TEST(ColumnTitles, SampleFilesMapToTheirBundledLayouts) {
    const struct {
        const char* csv;
        const char* kvi;
    } cases[] = {
        {"webmail_ja.csv", "WEBMAIL_JA.KVI"},
        {"webmail_en.csv", "WEBMAIL_EN.KVI"},
        {"mailer_ja.csv", "MAILER_JA.KVI"},
    };
    ASSERT_EQ(TitledImportLayouts().size(), std::size(cases));
    for (const auto& c : cases) {
        CCsvImportFile csv;
        ASSERT_FALSE(
            csv.Read(KOLVANE_SOURCE_DIR "/tests/transfer/data/"s + c.csv, CsvEncoding::Auto))
            << c.csv;
        CImportLayout kvi;
        ASSERT_FALSE(kvi.Load((KOLVANE_SOURCE_DIR "/res/layouts/"s + c.kvi).c_str())) << c.kvi;
        const std::optional<ColumnTitleMap> map = MapColumnTitles(std::vector<CString>(
            csv.m_records.at(0).fields.begin(), csv.m_records.at(0).fields.end()));
        ASSERT_TRUE(map) << c.csv;
        EXPECT_EQ(map->layoutName, kvi.GetName()) << c.csv;
        EXPECT_EQ(map->fields, kvi.GetColumns()) << c.csv;
    }
}
