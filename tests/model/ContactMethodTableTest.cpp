#include "model/ContactMethodTable.h"
#include "ModelTestUtil.h"
#include "platform/RecordingUserInteraction.h"

namespace {

std::vector<int> Ids(const CContactMethodTable& table) {
    std::vector<int> ids;
    for (int i = 0; i < table.GetCount(); ++i)
        ids.push_back(table.GetIdAt(i));
    return ids;
}

} // namespace

TEST(ContactMethodTable, DefaultsAreEightMethods) {
    CContactMethodTable table;
    table.SetDefaults();
    EXPECT_EQ(Ids(table), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    // The bytes are written out in the empty book's test.
    const std::string stored = StoredForm(table);
    EXPECT_EQ(stored.size(), 199u);

    CString ja, en;
    ASSERT_EQ(table.Get(7, ja, en), 0);
    EXPECT_EQ(ja, Sjis("ﾊﾝﾄﾞﾙ名"));
    EXPECT_EQ(en, CString("Username"));

    CMemFile file(stored, "t");
    CContactMethodTable back;
    ASSERT_TRUE(back.Read(&file));
    EXPECT_EQ(StoredForm(back), stored);
}

TEST(ContactMethodTable, RemovedIdIsReusedAndAppended) {
    CContactMethodTable table;
    table.SetDefaults();
    EXPECT_EQ(table.Remove(4), 0);
    EXPECT_EQ(table.Remove(4), -1);
    EXPECT_EQ(table.NextFreeId(), 4);
    EXPECT_EQ(table.Add("x", "y"), 4);
    EXPECT_EQ(Ids(table), (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 4}));
    EXPECT_EQ(table.Add("z", "z"), 8);
    EXPECT_EQ(table.IndexOf(4), 7);
    EXPECT_EQ(table.IndexOf(42), -1);
}

TEST(ContactMethodTable, LookupsTakeTheFirstMatch) {
    CContactMethodTable table;
    table.SetDefaults();
    const int first = table.Add("Same", "A");
    table.Add("Same", "a");
    EXPECT_EQ(table.FindByJapanese("Same"), first);
    EXPECT_EQ(table.FindByJapanese("same"), -1); // case-sensitive
    EXPECT_EQ(table.FindByEnglish("a"), first + 1);
    EXPECT_EQ(table.FindByJapanese(""), 0);
    EXPECT_EQ(table.FindByJapanese(Sjis("携帯")), 3);

    EXPECT_EQ(table.Modify(first, "New", "Name"), 0);
    EXPECT_EQ(table.Modify(99, "New", "Name"), -1);
    CString ja("keep"), en("keep");
    EXPECT_EQ(table.Get(first, ja, en), 0);
    EXPECT_EQ(ja, CString("New"));
    EXPECT_EQ(table.Get(99, ja, en), -1);
    EXPECT_TRUE(ja.IsEmpty() && en.IsEmpty());

    EXPECT_EQ(table.GetIdAt(-1), -1);
    EXPECT_EQ(table.GetIdAt(table.GetCount()), -1);

    CContactMethodTable copy;
    copy.Add("old", "old");
    copy = table;
    EXPECT_EQ(StoredForm(copy), StoredForm(table));
    table.RemoveAll();
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(table.NextFreeId(), 0);
}

TEST(ContactMethodTable, ReadKeepsDuplicateAndNegativeIdsAsStored) {
    const std::string bytes = Hex("01 00 00 00  03 00 00 00"
                                  "05 00 00 00  02 00 00 00 61 00  02 00 00 00 62 00"
                                  "FF FF FF FF  02 00 00 00 63 00  01 00 00 00 00"
                                  "05 00 00 00  02 00 00 00 64 00  01 00 00 00 00");
    CMemFile file(bytes, "t");
    CContactMethodTable table;
    ASSERT_TRUE(table.Read(&file));
    EXPECT_EQ(Ids(table), (std::vector<int>{5, -1, 5}));
    CString ja, en;
    table.Get(5, ja, en);
    EXPECT_EQ(ja, CString("a"));
    EXPECT_EQ(table.NextFreeId(), 0);
    EXPECT_EQ(StoredForm(table), bytes);
}

TEST(ContactMethodTable, NewerVersionAndShortDataAreRefused) {
    RecordingUserInteraction ui;
    ui.ExpectMessage(std::string(kNewerVersionMessage) + "methods.bin");
    CMemFile newer(Hex("02 00 00 00 00 00 00 00"), "methods.bin");
    CContactMethodTable table;
    EXPECT_FALSE(table.Read(&newer));

    // A count the remaining bytes cannot hold fails before anything is read.
    ui.ExpectMessage(EndOfFileMessage("methods.bin"));
    CMemFile tooMany(Hex("01 00 00 00 02 00 00 00  00 00 00 00 01 00 00 00 00 01 00 00 00 00"),
                     "methods.bin");
    EXPECT_FALSE(table.Read(&tooMany));
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(ui.Problems(), "");
}
