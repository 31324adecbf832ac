// Copy layouts (their files, settings and the text of a card) and the bytes of
// the card clipboard.

#include "platform/MemorySettingsStore.h"
#include "transfer/CardClipboard.h"
#include "transfer/CopyLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace std::string_literals;

namespace {

const std::string kPath = std::filesystem::temp_directory_path().string() + "/kolvane-copy-" +
                          std::to_string(getpid()) + ".KVC";

const char* const kYamada = "\x8E\x52\x93\x63"; // 山田

// One Japanese card 山田 with a contact (1, "03"), as a block of one card.
// Count, version, notation, reading, name, six empty texts, the contacts.
const std::string kOneCard = "\x01\0\0\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\x05\0\0\0\x8E\x52\x93\x63\0"
                             "\x01\0\0\0\0\x01\0\0\0\0\x01\0\0\0\0\x01\0\0\0\0\x01\0\0\0\0"
                             "\x01\0\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\0\0\x03\0\0\0"
                             "03\0"s;

} // namespace

// The KVC file of a Japanese layout: head, flag, the default fields. Any
// nonzero flag reads as Japanese; a newer file or none at all gives -1 and why.
TEST(CopyLayout, FileFlagAndText) {
    CCopyLayout layout;
    layout.SetJapaneseFlag(1);
    layout.SetDefaultFields();
    layout.SetName("\x93\xFA\x96\x7B"); // 日本
    ASSERT_FALSE(layout.Save(kPath.c_str()));
    EXPECT_EQ(ReadWholeFile(kPath.c_str()).Data(),
              "\x01\0\0\0\x05\0\0\0\x93\xFA\x96\x7B\0\x01\0\0\0\x05\0\0\0"
              "\x04\0\0\0\x05\0\0\0\x03\0\0\0\x02\0\0\0\0\0\0\0"s);
    const struct {
        std::string bytes;
        int flag;
        int cause; // of the error; -1: message 151
    } cases[] = {
        {"\x01\0\0\0\x01\0\0\0\0\x02\0\0\0\0\0\0\0"s, 1, 0},
        {"\x01\0\0\0\x01\0\0\0\0\0\0\0\0\0\0\0\0"s, 0, 0},
        {"\x02\0\0\0\x01\0\0\0\0\x01\0\0\0"s, -1, -1},
        {"\x01\0\0\0\x01\0\0\0\0\x01\0"s, -1, CFileException::endOfFile},
    };
    for (const auto& c : cases) {
        std::ofstream(kPath, std::ios::binary) << c.bytes;
        std::optional<CFileError> error;
        EXPECT_EQ(CCopyLayout::ReadJapaneseFlag(kPath, &error), c.flag);
        EXPECT_EQ(error ? (error->m_nMessageId == 151 ? -1 : error->m_cause) : 0, c.cause);
    }
    std::remove(kPath.c_str());
    EXPECT_EQ(CCopyLayout::ReadJapaneseFlag(kPath), -1);

    // Empty values are left out, blanks trimmed, nothing around the text; the
    // settings give the fields, or the defaults of the language.
    CAddrCard card;
    card.m_strZip = "100-0001";
    card.m_strAddress = "\x93\x8C\x8B\x9E\x93\x73"; // 東京都
    card.m_strCompany = " ";
    card.m_strName = kYamada;
    card.m_strNotes = "\t N \r\n";
    const struct {
        bool japanese;
        const char* fields; // in the settings
        const char* zip;
        const char* text;
    } texts[] = {
        {true, nullptr, "100-0001", "100-0001\r\n\x93\x8C\x8B\x9E\x93\x73\r\n\r\n\x8E\x52\x93\x63"},
        {true, nullptr, "", "\x93\x8C\x8B\x9E\x93\x73\r\n\r\n\x8E\x52\x93\x63"},
        {false, nullptr, "1", "\x8E\x52\x93\x63\r\n\r\n\x93\x8C\x8B\x9E\x93\x73"},
        {false, "15", "1", "N"},
        {true, "2,99,4", "", ""},
    };
    for (const auto& c : texts) {
        CMemorySettingsStore store;
        const char* section = c.japanese ? "CopierJa" : "CopierEn";
        if (c.fields)
            store.WriteProfileString(section, "Fields", c.fields);
        card.m_strZip = c.zip;
        CCopyLayout layout;
        layout.LoadCopySettings(store, c.japanese);
        EXPECT_EQ(layout.MakeCopyText(card), c.text);
    }
}

// The block is the count and the records as the book stores them; the reader
// refuses whatever does not hold its whole count of records and keeps nothing.
TEST(CardClipboard, BlocksWholeAndDamaged) {
    CAddrCard card;
    card.m_nNotation = NOTATION_JAPANESE;
    card.m_strName = kYamada;
    card.m_contacts.Add(1, "03");
    const CAddrCard* cards[] = {&card};
    ASSERT_EQ(WriteCardBlock(cards), kOneCard);
    const struct {
        std::string bytes;
        size_t count; // read; -1: refused
        int cause = CFileException::endOfFile;
    } cases[] = {
        {"", size_t(-1)},
        {"\x01\0\0\0"s, size_t(-1)},
        {"\xFF\xFF\xFF\xFF"s + kOneCard.substr(4), size_t(-1)},
        {kOneCard.substr(0, 17) + "\xFF\0\0\0"s + kOneCard.substr(21), size_t(-1)},
        {kOneCard.substr(0, 74), size_t(-1)},
        {kOneCard.substr(0, 4) + "\x02"s + kOneCard.substr(5), size_t(-1), CFileException::none},
        {kOneCard + std::string(4096 - kOneCard.size(), '\0'), 1},
        {"\0\0\0\0"s, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::unique_ptr<CAddrCard>> read;
        read.push_back(std::make_unique<CAddrCard>());
        const auto error = ReadCardBlock(c.bytes, read);
        EXPECT_EQ(error ? size_t(-1) : read.size(), c.count) << c.bytes.size();
        if (error && c.cause == CFileException::none) {
            EXPECT_NE(error->GetText().find("\nｸﾘｯﾌﾟﾎﾞｰﾄﾞ"), std::string::npos);
        } else if (error) {
            EXPECT_EQ(error->m_cause, c.cause);
        }
    }

    // A method table whose count is more than it holds gives nothing.
    CContactMethodTable methods, kept;
    methods.SetDefaults();
    std::string table = WriteMethodBlock(methods);
    EXPECT_FALSE(ReadMethodBlock(table + "\0\0"s, kept));
    table[4] = '\x09';
    EXPECT_TRUE(ReadMethodBlock(table, kept));
    EXPECT_EQ(kept.GetCount(), 8);
}

// Pasted entries take the target's id of the same names; a method the target
// lacks joins it under an id no method and no card of the book uses; ids the
// source does not know (all of them without a method block) stay.
TEST(CardClipboard, MapMethodIds) {
    CContactMethodTable source;
    source.Append({5, "\x93\x64\x98\x62", "Phone"}); // 電話
    source.Append({1, "X", "Y"});
    CAddrBook book;
    book.m_methods.Append({1, "\x93\x64\x98\x62", "Phone"});
    book.AddCard(new CAddrCard);
    book.GetAt(0)->m_contacts.Add(0, "");
    book.GetAt(0)->m_contacts.Add(2, "");
    std::vector<std::unique_ptr<CAddrCard>> pasted(1);
    pasted[0] = std::make_unique<CAddrCard>();
    for (const int id : {5, 1, 7})
        pasted[0]->m_contacts.Add(id, "");
    const auto ids = [&pasted] {
        std::string text;
        for (const auto& entry : pasted[0]->m_contacts.Entries())
            text += std::to_string(entry.nMethodId);
        return text;
    };
    EXPECT_FALSE(MapMethodIds(pasted, CContactMethodTable(), book.m_methods, book));
    EXPECT_EQ(ids(), "517");
    EXPECT_TRUE(MapMethodIds(pasted, source, book.m_methods, book));
    EXPECT_EQ(ids(), "137");
    CString japanese, english;
    EXPECT_EQ(book.m_methods.Get(3, japanese, english), 0);
    EXPECT_EQ(japanese + english, "XY");
}
