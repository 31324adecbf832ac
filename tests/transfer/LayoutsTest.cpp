// Import and export layouts: their files, the bundled ones, the cards a record
// makes and the CSV lines a card makes.

#include "platform/MemorySettingsStore.h"
#include "transfer/ExportLayout.h"
#include "transfer/ImportLayout.h"
#include "zklib/ZkCsv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const char* const kIgnore = "[\x96\xB3\x8E\x8B]";
const std::string kBundled = KOLVANE_SOURCE_DIR "/res/layouts/ALL_FIELDS.";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TransferLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kolvane-transfer-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
    }
    void TearDown() override { fs::remove_all(m_root); }
    std::string Path(const char* name) const { return (m_root / name).string(); }

    fs::path m_root;
};

CContactMethodTable DefaultMethods() {
    CContactMethodTable methods;
    methods.SetDefaults();
    return methods;
}

} // namespace

// The whole file: version 1, the name 住所 in its stored form, the column count
// and the map.
TEST_F(TransferLayoutTest, ImportLayoutFileBytes) {
    CImportLayout layout;
    layout.SetName("\x8F\x5A\x8F\x8A");
    layout.SetColumnCount(3);
    layout.SetColumnField(0, 0);
    layout.SetColumnField(2, 18);
    ASSERT_FALSE(layout.Save(Path("a.KVI").c_str()));
    const std::string expected("\x01\0\0\0\x05\0\0\0\x8F\x5A\x8F\x8A\0\x03\0\0\0"
                               "\0\0\0\0\xFF\xFF\xFF\xFF\x12\0\0\0",
                               29);
    EXPECT_EQ(ReadBytes(Path("a.KVI")), expected);
}

// Counts the bytes cannot hold are refused and leave the layout as it was;
// numbers that are no field of the kind read as -1.
TEST_F(TransferLayoutTest, DamagedLayoutFiles) {
    const std::string head("\x01\0\0\0\x02\0\0\0N\0", 10);
    const struct {
        bool import;
        std::string body;
        std::vector<int> fields; // empty: refused
    } cases[] = {
        {true, std::string("\x03\0\0\0\x01\0\0\0\x01\0\0\0", 12), {}},
        {true, std::string("\xFF\xFF\xFF\x7F\x01\0\0\0", 8), {}},
        {true, std::string("\xFF\xFF\xFF\xFF", 4), {}},
        {false, std::string("\x00\0\0\x40", 4), {}},
        {true,
         std::string("\x04\0\0\0\x1E\0\0\0\xFE\xFF\xFF\xFF\x1D\0\0\0\0\0\0\x80", 20),
         {-1, -1, 29, -1}},
        {false, std::string("\x03\0\0\0\x10\0\0\0\x0F\0\0\0\xFF\xFF\xFF\xFF", 16), {-1, 15, -1}},
    };
    for (const auto& c : cases) {
        std::ofstream(Path("d"), std::ios::binary | std::ios::trunc) << head + c.body;
        CImportLayout kvi;
        CExportLayout kve;
        kvi.SetName("old");
        kve.SetName("old");
        const auto error = c.import ? kvi.Load(Path("d").c_str()) : kve.Load(Path("d").c_str());
        EXPECT_EQ(error.has_value(), c.fields.empty()) << c.body.size();
        if (error)
            EXPECT_EQ(error->m_cause, CFileException::endOfFile);
        EXPECT_EQ((c.import ? kvi.GetName() : kve.GetName()), error ? "old" : "N");
        EXPECT_EQ(c.import ? kvi.GetColumns() : kve.GetFields(), c.fields);
    }
}

// A card exported with the bundled export layout and read back with the
// bundled import layout keeps every text.
TEST(BundledLayouts, LoadAndCarryACardThere) {
    CExportLayout kve;
    CImportLayout kvi;
    ASSERT_FALSE(kve.Load((kBundled + "KVE").c_str()));
    ASSERT_FALSE(kvi.Load((kBundled + "KVI").c_str()));
    EXPECT_EQ(kve.GetName(), "\x91\x53\x8D\x80\x96\xDA");
    EXPECT_EQ(kvi.GetName(), "\x91\x53\x8D\x80\x96\xDA");
    EXPECT_EQ(kve.GetFields(),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(kvi.GetColumns(),
              (std::vector<int>{0, 4, 7, 8, 18, 9, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
    CAddrCard card;
    card.m_strName = "N \"q\"";
    card.m_strFurigana = "R";
    card.m_strTitle = "T";
    card.m_strCompany = "C, Ltd.";
    card.m_strZip = "Z";
    card.m_strAddress = "A1\r\nA2";
    for (const char* text : {"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"})
        card.m_contacts.Add(3, text);
    card.m_strOther = "O";
    card.m_strNotes = "M";
    kve.SetConvCR(0);
    const CString line = kve.MakeLine(card);
    size_t pos = 0;
    CString record;
    std::vector<CString> texts;
    ZkCSV_ReadLine(line.view(), pos, record);
    ZkCSV_ParseLine(record, texts);
    const auto read = kvi.MakeCard(texts, DefaultMethods());
    EXPECT_EQ(kve.MakeLine(*read), line);
}

// Titles follow the notation; a command outside the menu and a column past the
// count mean no field; a column past a loaded map's count extends it.
TEST(ImportLayout, ColumnTitlesAndCommands) {
    const struct {
        UINT command;
        int field;
        const char* english;
        const char* japanese;
    } cases[] = {
        {32840, -1, kIgnore, kIgnore},
        {32841 + 3, 3, "Middle Initial", kIgnore},
        {32841 + 18, 18, "Zip", "\x97\x58\x95\xD6\x94\xD4\x8D\x86"},
        {32841 + 30, -1, kIgnore, kIgnore},
    };
    for (const auto& c : cases) {
        CImportLayout layout;
        layout.SetColumnCount(1);
        layout.SetColumnFieldByCommand(3, c.command);
        EXPECT_EQ(layout.GetColumns(), (std::vector<int>{-1, -1, -1, c.field}));
        EXPECT_EQ(layout.GetColumnTitle(3), c.japanese);
        layout.SetNotation(NOTATION_ENGLISH);
        EXPECT_EQ(layout.GetColumnTitle(3), c.english);
        EXPECT_EQ(layout.GetColumnTitle(4), kIgnore);
    }
}

TEST(ImportLayout, MakeCard) {
    const struct {
        bool english;
        std::vector<int> map;
        std::vector<CString> texts;
        const char* reading;
        const char* name;
        const char* address;
        const char* zip;
        const char* contacts;     // method id and text of each
        const char* rest = "|||"; // title, company, other, notes
        bool renamed = false;     // phone and fax methods renamed
    } cases[] = {
        {false,
         {1, 2, 5, 6},
         {" Taro", "Yamada", "taro", "yamada"},
         "yamada taro",
         "Yamada  Taro",
         "",
         "",
         ""},
        {false, {4, 6, 0, 1}, {" yomi ", "x", "Full", "First"}, "yomi", "Full", "", "", ""},
        {false, {0, 1, 5}, {"", "First", "taro"}, "taro", "First", "", "", ""},
        {true, {1, 3, 2, 4}, {"John", "Q", "Public", "yomi"}, "", "John Q Public", "", "", ""},
        {true,
         {10, 16, 17, 18, 19},
         {"1 Main St", "Springfield", "IL", "62701", "USA"},
         "",
         "",
         "1 Main St\r\nSpringfield, IL 62701\r\nUSA",
         "",
         ""},
        {true, {12, 17, 18}, {"Unit 2", "IL", "62701"}, "", "", "Unit 2, IL 62701", "", ""},
        {false,
         {17, 16, 10, 11, 18, 19},
         {"Tokyo", "Chiyoda", "1-1", "Bldg", " 100 ", "JP"},
         "",
         "",
         "TokyoChiyoda1-1\r\nBldg",
         "100",
         ""},
        {false, {9, 10}, {" Full\r\n", "1-1"}, "", "", "Full", "", ""},
        {false, {20, 21, 22, 27}, {"p", "f", "p1", "p6"}, "", "", "", "", "1:p 2:f 1:p1 1:p6 "},
        {true, {22, 20, 21}, {"p1", "p", "f"}, "", "", "", "", "1:p 2:f 1:p1 "},
        {true, {22, 21}, {"p1", "f"}, "", "", "", "", "-1:f -1:p1 ", "|||", true},
        {false, {20, 21}, {"p", "f"}, "", "", "", "", "1:p -1:f ", "|||", true},
        {false,
         {7, 8, 28, 29, 0, 0},
         {" T ", "C", "O", "N", "a", "b"},
         "",
         "b",
         "",
         "",
         "",
         " T |C|O|N"},
        {false, {0, 8}, {"a"}, "", "a", "", "", ""},
    };
    const CContactMethodTable defaults = DefaultMethods();
    CContactMethodTable renamed = defaults;
    renamed.Modify(1, "\x93\x64\x98\x62", "Tel");
    renamed.Modify(2, "Fax", "\xCC\xA7\xAF\xB8\xBD");
    for (const auto& c : cases) {
        CImportLayout layout;
        layout.SetNotation(c.english ? NOTATION_ENGLISH : NOTATION_JAPANESE);
        for (size_t i = 0; i < c.map.size(); ++i)
            layout.SetColumnField(static_cast<int>(i), c.map[i]);
        const auto card = layout.MakeCard(c.texts, c.renamed ? renamed : defaults);
        std::string contacts;
        for (const auto& contact : card->m_contacts.Entries())
            contacts += std::to_string(contact.nMethodId) + ":" + contact.strText.str() + " ";
        const std::string rest = card->m_strTitle.str() + "|" + card->m_strCompany.str() + "|" +
                                 card->m_strOther.str() + "|" + card->m_strNotes.str();
        SCOPED_TRACE(c.texts[0].str());
        EXPECT_EQ(card->m_nNotation, c.english ? NOTATION_ENGLISH : NOTATION_JAPANESE);
        EXPECT_EQ(card->m_strFurigana, c.reading);
        EXPECT_EQ(card->m_strName, c.name);
        EXPECT_EQ(card->m_strAddress, c.address);
        EXPECT_EQ(card->m_strZip, c.zip);
        EXPECT_EQ(contacts, c.contacts);
        EXPECT_EQ(rest, c.rest);
    }
}

// The bytes written for one card: quotes doubled, a line break inside a value
// kept as CR LF or made one blank, CR LF after the record.
TEST(ExportLayout, MakeLine) {
    CAddrCard card;
    card.m_strName = "a\"b";
    card.m_strAddress = "1\r\n2";
    card.m_strNotes = "x\ny";
    card.m_contacts.Add(1, "c");
    const struct {
        std::vector<int> fields;
        int convCR;
        const char* bytes;
    } cases[] = {
        {{0, 5}, 0, "\x22\x61\x22\x22\x62\x22\x2C\x22\x31\x0D\x0A\x32\x22\x0D\x0A"},
        {{0, 5}, 1, "\x22\x61\x22\x22\x62\x22\x2C\x22\x31\x20\x32\x22\x0D\x0A"},
        {{15, 6, 7, 16, -1}, 0, "\"x\r\ny\",\"c\",\"\"\r\n"},
        {{15, 0}, 1, "\"x y\",\"a\"\"b\"\r\n"},
        {{}, 1, "\r\n"},
    };
    for (const auto& c : cases) {
        CExportLayout layout;
        layout.SetFieldCount(static_cast<int>(c.fields.size()));
        for (size_t i = 0; i < c.fields.size(); ++i)
            layout.SetField(static_cast<int>(i), c.fields[i]);
        layout.SetConvCR(c.convCR);
        EXPECT_EQ(layout.MakeLine(card), c.bytes);
    }
}

TEST(ExportLayout, SettingsAndTitles) {
    CMemorySettingsStore store;
    store.WriteProfileString("Export", "LayoutName", "L");
    store.WriteProfileInt("Export", "ConvCR", 0);
    store.WriteProfileString("Export", "Fields", "0,x, 5,99");
    CExportLayout layout;
    layout.LoadSettings(store, "Export");
    EXPECT_EQ(layout.GetName(), "L");
    EXPECT_EQ(layout.GetConvCR(), 0);
    EXPECT_EQ(layout.GetFields(), (std::vector<int>{0, 0, 5, -1}));
    EXPECT_EQ(layout.GetFieldTitle(2), "\x8F\x5A\x8F\x8A\tAddress");
    EXPECT_EQ(layout.GetFieldTitle(3), "");
    layout.SaveSettings(store, "Copy");
    EXPECT_EQ(store.GetProfileString("Copy", "Fields"), "0,0,5,-1");
    store.WriteProfileString("Export", "Fields", "");
    layout.LoadSettings(store, "Export");
    EXPECT_EQ(layout.GetFieldCount(), 4);
}
