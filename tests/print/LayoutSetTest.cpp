#include "PrintTestSupport.h"

#include "layouts/LayoutRoot.h"
#include "layouts/LayoutSet.h"
#include "platform/RecordingUserInteraction.h"
#include "print/PageLayout.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

CPageLayout Named(const char* name) {
    CPageLayout layout;
    layout.SetName(name);
    return layout;
}

std::vector<std::string> Names(const CLayoutSet& set) {
    std::vector<std::string> names;
    for (const auto& entry : set.Entries())
        names.push_back(entry.name.str());
    return names;
}

using Names_t = std::vector<std::string>;

} // namespace

TEST(LayoutSet, WithoutAFolderTheListIsEmptyAndNothingIsMade) {
    TempLayoutRoot root;
    CLayoutSet set;
    set.Build(CPageLayout());
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_FALSE(Exists(root / "LAYOUTS"));
}

TEST(LayoutSet, ListsEveryFileOfTheExtensionByItsStoredName) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    std::filesystem::create_directory(root / "LAYOUTS");
    ASSERT_TRUE(Named("b").Save((root / "LAYOUTS/USER000.KVL").c_str()));
    ASSERT_TRUE(Named("A").Save((root / "LAYOUTS/sheet.kvl").c_str()));
    ASSERT_TRUE(Named("b").Save((root / "LAYOUTS/copied by hand.Kvl").c_str()));
    ASSERT_TRUE(Named("").Save((root / "LAYOUTS/USER001.KVL").c_str()));
    ASSERT_TRUE(Named("c").Save((root / "LAYOUTS/other.KVE").c_str()));
    WriteBytes(root / "LAYOUTS/broken.KVL", std::string("\x01\0\0", 3));
    std::filesystem::create_directory(root / "LAYOUTS/folder.KVL");
    const std::string broken = root / "LAYOUTS/broken.KVL";
    ui.ExpectMessage("ﾌｧｲﾙ " + broken + " は途中で終わっています。壊れている可能性があります。");

    CLayoutSet set;
    set.Build(CPageLayout());
    // Sorted by name, upper and lower case alike; an unreadable file as "".
    EXPECT_EQ(Names(set), (Names_t{"", "", "A", "b", "b"}));
    EXPECT_EQ(set.GetAt(1).path, CString(broken.c_str()));
    EXPECT_EQ(set.GetAt(2).path, CString((root / "LAYOUTS/sheet.kvl").c_str()));
    EXPECT_EQ(ui.Problems(), "");

    set.Build(CPageLayout(), [](const char* path) { return CString(path).Find("USER") >= 0; });
    EXPECT_EQ(Names(set), (Names_t{"", "b"}));
}

TEST(LayoutSet, DuplicatesAreExactBytesOtherThanTheEditedEntry) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    CLayoutSet set;
    set.Build(CPageLayout());
    ASSERT_EQ(set.Add(Named("ABC")), 0);
    ASSERT_EQ(set.Add(Named("xyz")), 1);
    EXPECT_TRUE(set.IsDuplicate("ABC"));
    EXPECT_FALSE(set.IsDuplicate("ABC", 0));
    EXPECT_TRUE(set.IsDuplicate("ABC", 1));
    EXPECT_FALSE(set.IsDuplicate("abc"));
    EXPECT_EQ(set.FindNoCase("abc"), 0);
    EXPECT_EQ(set.FindNoCase("XYZ"), 1);
    EXPECT_EQ(set.FindNoCase("none"), -1);

    const CString copy = CLayoutSet::MakeCopyName("ABC");
    EXPECT_EQ(copy, Sjis("ABC のｺﾋﾟｰ"));
    ASSERT_GE(set.Add(Named(copy)), 0);
    ui.ExpectMessage("ﾚｲｱｳﾄ名 \"ABC のｺﾋﾟｰ\" は既に使われています。\n"
                     "重複しない名前を入力してください。");
    EXPECT_TRUE(set.CheckDuplicate(copy));
    EXPECT_FALSE(set.CheckDuplicate("ABC", 0));
    EXPECT_EQ(ui.Problems(), "");
    EXPECT_EQ(ui.messages.at(0).type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
}

TEST(LayoutSet, AddEditAndRemoveKeepListAndFolderTogether) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    CLayoutSet set;
    set.Build(CPageLayout());
    EXPECT_EQ(set.Add(Named("m")), 0);
    EXPECT_EQ(set.Add(Named("z")), 1);
    EXPECT_EQ(set.Add(Named("a")), 0);
    EXPECT_EQ(set.GetAt(0).path, CString((root / "LAYOUTS/USER002.KVL").c_str()));

    // A new name is placed anew, with the same file.
    CPageLayout edited = Named("zz");
    edited.m_nColumns = 3;
    EXPECT_EQ(set.Update(0, edited), 2);
    EXPECT_EQ(Names(set), (Names_t{"m", "z", "zz"}));
    CPageLayout read;
    ASSERT_TRUE(read.Load((root / "LAYOUTS/USER002.KVL").c_str()));
    EXPECT_EQ(read.m_nColumns, 3);

    ui.ExpectMessage("ﾚｲｱｳﾄ \"z\" を削除します。\n削除してもいいですか?", IDNO);
    EXPECT_FALSE(set.Remove(1));
    EXPECT_EQ(set.GetCount(), 3);
    EXPECT_TRUE(Exists(root / "LAYOUTS/USER001.KVL"));
    ui.ExpectMessage("ﾚｲｱｳﾄ \"z\" を削除します。\n削除してもいいですか?", IDYES);
    EXPECT_TRUE(set.Remove(1));
    EXPECT_EQ(Names(set), (Names_t{"m", "zz"}));
    EXPECT_FALSE(Exists(root / "LAYOUTS/USER001.KVL"));
    // The freed number is used again.
    EXPECT_EQ(set.Add(Named("n")), 1);
    EXPECT_EQ(set.GetAt(1).path, CString((root / "LAYOUTS/USER001.KVL").c_str()));

    // A file someone else removed goes from the list too.
    std::filesystem::remove(root / "LAYOUTS/USER000.KVL");
    ui.ExpectMessage("ﾚｲｱｳﾄ \"m\" を削除します。\n削除してもいいですか?", IDYES);
    EXPECT_TRUE(set.Remove(0));
    EXPECT_EQ(Names(set), (Names_t{"n", "zz"}));
    EXPECT_EQ(ui.Problems(), "");
    EXPECT_EQ(ui.messages.at(0).type & (MB_ICONMASK | MB_TYPEMASK),
              UINT(MB_ICONQUESTION | MB_YESNO));
}

TEST(LayoutSet, FailedFileOperationsLeaveTheListAlone) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    CLayoutSet set;
    set.Build(CPageLayout());
    ASSERT_EQ(set.Add(Named("kept")), 0);

    // Every name taken: nothing is overwritten and the user is told.
    char name[32];
    for (int n = 1; n <= 998; ++n) {
        std::snprintf(name, sizeof name, "LAYOUTS/USER%03d.KVL", n);
        WriteBytes(root / name, "x");
    }
    ui.ExpectMessage("ﾌｫﾙﾀﾞ " + (root / "LAYOUTS") +
                     " には新しいﾚｲｱｳﾄのﾌｧｲﾙ名 (USER000 から USER998) が残っていません。\n"
                     "使わないﾚｲｱｳﾄを削除してから保存してください。");
    EXPECT_EQ(set.Add(Named("new")), -1);
    EXPECT_EQ(Names(set), (Names_t{"kept"}));
    EXPECT_EQ(ReadBytes(root / "LAYOUTS/USER998.KVL"), "x");

    // The entry's file became a folder: the save fails and the name stays.
    const std::string path = root / "LAYOUTS/USER000.KVL";
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    ui.AnswerMessage(IDOK);
    EXPECT_EQ(set.Update(0, Named("renamed")), -1);
    EXPECT_EQ(Names(set), (Names_t{"kept"}));

    // A folder that cannot be made.
    TempLayoutRoot other;
    WriteBytes(other / "file", "a file, not a folder");
    SetLayoutRoot((other / "file").c_str());
    CLayoutSet none;
    ui.ExpectMessage("ﾚｲｱｳﾄを保存するﾌｫﾙﾀﾞ " + (other / "file/LAYOUTS") + " を作成できません。");
    EXPECT_EQ(none.Add(Named("x")), -1);
    EXPECT_EQ(none.GetCount(), 0);
    EXPECT_EQ(ui.Problems(), "");
}
