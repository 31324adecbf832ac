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
#include <unistd.h>

using namespace std::string_literals;

namespace {

const char* const kIgnore = "[\x96\xB3\x8E\x8B]";
const char* const kAllFields = "\x91\x53\x8D\x80\x96\xDA"; // 全項目
const std::string kPath = std::filesystem::temp_directory_path().string() + "/kolvane-transfer-" +
                          std::to_string(getpid());

CContactMethodTable DefaultMethods() {
    CContactMethodTable methods;
    methods.SetDefaults();
    return methods;
}

} // namespace

// A KVI file is version 1, the name in its stored form, the column count and
// the map. Counts the bytes cannot hold are refused and leave the layout as it
// was; numbers that are no field of the kind read as -1.
TEST(TransferLayouts, FilesWholeAndDamaged) {
    CImportLayout layout;
    layout.SetName("\x8F\x5A\x8F\x8A");
    layout.SetColumnCount(3);
    layout.SetColumnField(0, 0);
    layout.SetColumnField(2, 18);
    ASSERT_FALSE(layout.Save(kPath.c_str()));
    std::ifstream in(kPath, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "\x01\0\0\0\x05\0\0\0\x8F\x5A\x8F\x8A\0\x03\0\0\0"
              "\0\0\0\0\xFF\xFF\xFF\xFF\x12\0\0\0"s);
    const struct {
        bool import;
        std::string body;
        std::vector<int> fields; // empty: refused
    } cases[] = {
        {true, "\xFF\xFF\xFF\x7F\x01\0\0\0"s, {}},
        {true, "\xFF\xFF\xFF\xFF"s, {}},
        {false, "\x00\0\0\x40"s, {}},
        {true, "\x04\0\0\0\x1E\0\0\0\xFE\xFF\xFF\xFF\x1D\0\0\0\0\0\0\x80"s, {-1, -1, 29, -1}},
        {false, "\x03\0\0\0\x10\0\0\0\x0F\0\0\0\xFF\xFF\xFF\xFF"s, {-1, 15, -1}},
    };
    for (const auto& c : cases) {
        std::ofstream(kPath, std::ios::binary) << "\x01\0\0\0\x02\0\0\0N\0"s + c.body;
        CImportLayout kvi;
        CExportLayout kve;
        kvi.SetName("old");
        kve.SetName("old");
        const auto error = c.import ? kvi.Load(kPath.c_str()) : kve.Load(kPath.c_str());
        EXPECT_EQ(error ? error->m_cause : 0, c.fields.empty() ? CFileException::endOfFile : 0);
        EXPECT_EQ((c.import ? kvi.GetName() : kve.GetName()), error ? "old" : "N");
        EXPECT_EQ(c.import ? kvi.GetColumns() : kve.GetFields(), c.fields);
    }
    std::remove(kPath.c_str());
}

// A card exported with the bundled export layout and read back with the
// bundled import layout keeps every text.
TEST(TransferLayouts, BundledLayoutsCarryACardThere) {
    const std::string bundled = KOLVANE_SOURCE_DIR "/res/layouts/ALL_FIELDS.";
    CExportLayout kve;
    CImportLayout kvi;
    ASSERT_FALSE(kve.Load((bundled + "KVE").c_str()));
    ASSERT_FALSE(kvi.Load((bundled + "KVI").c_str()));
    EXPECT_EQ(kve.GetName(), kAllFields);
    EXPECT_EQ(kvi.GetName(), kAllFields);
    EXPECT_EQ(kve.GetFields(),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    CAddrCard card;
    card.m_strName = "N \"q\"";
    card.m_strFurigana = card.m_strTitle = card.m_strZip = card.m_strOther = card.m_strNotes = "x";
    card.m_strCompany = "C, Ltd.";
    card.m_strAddress = "A1\r\nA2";
    for (const char* text : {"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"})
        card.m_contacts.Add(3, text);
    kve.SetConvCR(0);
    const CString line = kve.MakeLine(card);
    size_t pos = 0;
    CString record;
    std::vector<CString> texts;
    ZkCSV_ReadLine(line.view(), pos, record);
    ZkCSV_ParseLine(record, texts);
    std::vector<std::string_view> views;
    for (const CString& text : texts)
        views.push_back(text.view());
    EXPECT_EQ(kve.MakeLine(*kvi.MakeCard(views, DefaultMethods())), line);
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
        std::vector<std::string_view> texts;
        // reading|name|title|company|address|zip|other|notes|contacts (method:text)
        const char* card;
        bool renamed = false; // the phone and fax methods renamed
    } cases[] = {
        {false, {1, 2, 5, 6}, {" T", "Y", "t", "y"}, "y t|Y  T|||||||"},
        {false, {4, 6, 0, 1}, {" yomi ", "x", "Full", "First"}, "yomi|Full|||||||"},
        {false, {0, 1, 5}, {"", "First", "taro"}, "taro|First|||||||"},
        {true, {1, 3, 2, 4}, {"John", "Q", "Public", "yomi"}, "|John Q Public|||||||"},
        {true, {10, 16, 17, 18, 19}, {"S", "C", "IL", "6", "U"}, "||||S\r\nC, IL 6\r\nU||||"},
        {true, {12, 17, 18}, {"Unit 2", "IL", "62"}, "||||Unit 2, IL 62||||"},
        {false, {17, 16, 10, 11, 18, 19}, {"T", "C", "1", "B", " 1 ", "J"}, "||||TC1\r\nB|1|||"},
        {false, {9, 10}, {" Full\r\n", "1-1"}, "||||Full||||"},
        {false, {7, 8, 28, 29, 0, 0}, {" T ", "C", "O", "N", "a", "b"}, "|b| T |C|||O|N|"},
        {false, {0, 8}, {"a"}, "|a|||||||"},
        // A text ends at a zero byte, in its first, middle or last eight bytes.
        {false,
         {0, 29, 28},
         {std::string_view("Yamada Taro \0xy", 15), std::string_view("Yamada\0x", 8),
          std::string_view("abcdefgh\0", 9)},
         "|Yamada Taro|||||abcdefgh|Yamada|"},
        {false, {20, 21, 22, 27}, {"p", "f", "p1", "p6"}, "||||||||1:p 2:f 1:p1 1:p6 "},
        {true, {22, 20, 21}, {"p1", "p", "f"}, "||||||||1:p 2:f 1:p1 "},
        {true, {22, 21}, {"p1", "f"}, "||||||||-1:f -1:p1 ", true},
        {false, {20, 21}, {"p", "f"}, "||||||||1:p -1:f ", true},
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
        std::string made;
        for (const CString* text :
             {&card->m_strFurigana, &card->m_strName, &card->m_strTitle, &card->m_strCompany,
              &card->m_strAddress, &card->m_strZip, &card->m_strOther, &card->m_strNotes})
            made += text->str() + "|";
        for (const auto& contact : card->m_contacts.Entries())
            made += std::to_string(contact.nMethodId) + ":" + contact.strText.str() + " ";
        EXPECT_EQ(made, c.card);
        EXPECT_EQ(card->m_nNotation, c.english ? NOTATION_ENGLISH : NOTATION_JAPANESE);
    }
}

// The bytes written for one card: quotes doubled, a line break inside a value
// kept as CR LF or made one blank, CR LF after the record. The fields come from
// the settings and go back there.
TEST(ExportLayout, LinesWithTheFieldsOfTheSettings) {
    CAddrCard card;
    card.m_strName = "a\"b";
    card.m_strAddress = "1\r\n2";
    card.m_strNotes = "x\ny";
    card.m_contacts.Add(1, "c");
    const struct {
        const char* fields;
        int convCR;
        const char* bytes;
        const char* saved;
    } cases[] = {
        {"0,5", 0, "\x22\x61\x22\x22\x62\x22\x2C\x22\x31\x0D\x0A\x32\x22\x0D\x0A", "0,5"},
        {"0,5", 1, "\x22\x61\x22\x22\x62\x22\x2C\x22\x31\x20\x32\x22\x0D\x0A", "0,5"},
        {"15,6,7,16,-1", 0, "\"x\r\ny\",\"c\",\"\"\r\n", "15,6,7,-1,-1"},
        {"15,x, 0", 1, "\"x y\",\"a\"\"b\",\"a\"\"b\"\r\n", "15,0,0"},
        {"", 1, "\r\n", ""},
    };
    for (const auto& c : cases) {
        CMemorySettingsStore store;
        store.WriteProfileString("Export", "LayoutName", "L");
        store.WriteProfileInt("Export", "ConvCR", c.convCR);
        store.WriteProfileString("Export", "Fields", c.fields);
        CExportLayout layout;
        layout.LoadSettings(store, "Export");
        EXPECT_EQ(layout.MakeLine(card), c.bytes);
        layout.SaveSettings(store, "Copy");
        EXPECT_EQ(store.GetProfileString("Copy", "LayoutName"), "L");
        EXPECT_EQ(store.GetProfileInt("Copy", "ConvCR", -1), c.convCR);
        EXPECT_EQ(store.GetProfileString("Copy", "Fields"), c.saved);
    }
}
