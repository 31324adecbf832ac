// The layout base with a kind of its own: the file of one layout, the errors of
// its reader as values, the layout sets and where the layout folders lie.

#include "layouts/LayoutIo.h"
#include "layouts/LayoutRoot.h"
#include "layouts/LayoutSet.h"
#include "platform/CodePage.h"
#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string BadValue(const std::string& path) {
    return "bad value in " + path;
}

// A kind whose body is one value; a negative value is refused.
class CTestLayout : public CLayout {
public:
    explicit CTestLayout(const char* name = "", LONG value = 0) : m_nValue(value) { SetName(name); }
    DWORD GetVersion() const override { return 2; }
    const char* GetExtension() const override { return "KVT"; }
    const char* GetFolderName() const override { return "IMPORTS"; }
    LONG m_nValue;

protected:
    std::optional<CFileError> ReadBody(CFile* file) override {
        const LONG value = layoutio::ReadLong(file);
        if (value < 0)
            return CFileError::FromText(BadValue, file->GetFilePath(), MB_ICONSTOP);
        m_nValue = value;
        return std::nullopt;
    }
    void WriteBody(CFile* file) const override { layoutio::WriteLong(file, m_nValue); }
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> Names(const CLayoutSet& set) {
    std::vector<std::string> names;
    for (const auto& entry : set.Entries())
        names.push_back(entry.name.str());
    return names;
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kolvane-layouts-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        SetLayoutRoot(m_root.c_str());
    }
    void TearDown() override {
        SetLayoutRoot(nullptr);
        fs::remove_all(m_root);
    }
    std::string Path(const char* name) const { return (m_root / name).string(); }

    fs::path m_root;
    RecordingUserInteraction m_ui; // nothing may be shown
};

// Version 2, the name "Ab", the value 7.
const std::string kFile("\x02\0\0\0\x03\0\0\0Ab\0\x07\0\0\0", 15);

} // namespace

TEST_F(LayoutTest, FileBytesAndReadErrorsAsValues) {
    ASSERT_FALSE(CTestLayout("Ab", 7).Save(Path("a.kvt").c_str()));
    EXPECT_EQ(ReadBytes(Path("a.kvt")), kFile);
    CTestLayout read;
    ASSERT_FALSE(read.Load(Path("a.kvt").c_str()));
    EXPECT_EQ(read.GetName(), CString("Ab"));
    EXPECT_EQ(read.m_nValue, 7);

    const std::string newer = "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
                              "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n";
    struct Case {
        const char* file;
        std::string bytes; // none: the file is missing
        int cause;
        UINT messageId;
        UINT type;
        std::string text;      // followed by the path
        bool nameRead = false; // ReadName succeeds
    };
    const Case cases[] = {
        {"missing", "", CFileException::fileNotFound, 0, MB_ICONSTOP, "ﾌｧｲﾙ %1 が見つかりません。"},
        {"newer", std::string("\x03\0\0\0", 4) + kFile.substr(4), CFileException::none, 151,
         MB_ICONSTOP, newer + "%1"},
        {"cut name", kFile.substr(0, 9), CFileException::endOfFile, 0, MB_OK | MB_ICONEXCLAMATION,
         "ﾌｧｲﾙ %1 は途中で終わっています。壊れている可能性があります。"},
        {"long name", kFile.substr(0, 4) + std::string("\xFF\xFF\0\0", 4) + kFile.substr(8),
         CFileException::endOfFile, 0, MB_OK | MB_ICONEXCLAMATION,
         "ﾌｧｲﾙ %1 は途中で終わっています。壊れている可能性があります。"},
        {"cut body", kFile.substr(0, 13), CFileException::endOfFile, 0, MB_ICONSTOP,
         "ﾌｧｲﾙ %1 は途中で終わっています。壊れている可能性があります。", true},
        {"bad body", kFile.substr(0, 11) + std::string("\xFF\xFF\xFF\xFF", 4), CFileException::none,
         0, MB_ICONSTOP, "bad value in %1", true},
    };
    for (const Case& c : cases) {
        const std::string path = Path(c.file);
        if (!c.bytes.empty())
            WriteBytes(path, c.bytes);
        std::string text = c.text;
        text.replace(text.find("%1"), 2, path);
        CTestLayout kept("keep", 1);
        const std::optional<CFileError> error = kept.Load(path.c_str());
        ASSERT_TRUE(error) << c.file;
        EXPECT_EQ(error->m_cause, c.cause) << c.file;
        EXPECT_EQ(error->m_nMessageId, c.messageId) << c.file;
        EXPECT_EQ(error->m_nType, c.type) << c.file;
        EXPECT_EQ(error->m_strPath, path);
        EXPECT_EQ(error->GetText(), text);
        EXPECT_EQ(kept.GetName(), CString("keep"));
        EXPECT_EQ(kept.m_nValue, 1);
        CString name("x");
        EXPECT_EQ(kept.ReadName(path.c_str(), name).has_value(), !c.nameRead) << c.file;
        EXPECT_EQ(name, CString(c.nameRead ? "Ab" : ""));
    }
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(LayoutTest, SetsListAddEditAndRemoveWithTheFolder) {
    CLayoutSet set;
    EXPECT_TRUE(set.Build(CTestLayout()).empty());
    EXPECT_FALSE(fs::exists(m_root / "IMPORTS")) << "listing makes no folder";
    int at = -1;
    ASSERT_FALSE(set.Add(CTestLayout("m"), &at));
    EXPECT_EQ(at, 0);
    ASSERT_FALSE(set.Add(CTestLayout("z"), &at));
    ASSERT_FALSE(set.Add(CTestLayout("A"), &at));
    EXPECT_EQ(at, 0);
    EXPECT_EQ(set.GetAt(0).path, CString(Path("IMPORTS/USER002.KVT").c_str()));
    // Other files of the extension in any case; a broken one is listed as "".
    fs::copy_file(Path("IMPORTS/USER001.KVT"), Path("IMPORTS/by hand.kvt"));
    WriteBytes(Path("IMPORTS/broken.Kvt"), std::string("\x01\0\0", 3));
    WriteBytes(Path("IMPORTS/other.KVL"), kFile);
    std::vector<CFileError> errors = set.Build(CTestLayout());
    EXPECT_EQ(Names(set), (std::vector<std::string>{"", "A", "m", "z", "z"}));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].m_strPath, Path("IMPORTS/broken.Kvt"));
    set.Build(CTestLayout(), [](const char* path) { return CString(path).Find("USER") >= 0; });
    EXPECT_EQ(Names(set), (std::vector<std::string>{"A", "m", "z"}));

    // Duplicates are exact bytes other than the edited entry; finding ignores case.
    EXPECT_TRUE(set.IsDuplicate("m"));
    EXPECT_FALSE(set.IsDuplicate("m", 1));
    EXPECT_FALSE(set.IsDuplicate("M"));
    EXPECT_EQ(set.FindNoCase("a"), 0);
    CString copy;
    ASSERT_TRUE(cp932::FromUtf8("A のｺﾋﾟｰ", copy));
    EXPECT_EQ(CLayoutSet::MakeCopyName("A"), copy);

    // An edited name is placed anew, with the same file.
    ASSERT_FALSE(set.Update(0, CTestLayout("zz", 3), &at));
    EXPECT_EQ(at, 2);
    CTestLayout read;
    ASSERT_FALSE(read.Load(Path("IMPORTS/USER002.KVT").c_str()));
    EXPECT_EQ(read.m_nValue, 3);
    EXPECT_EQ(cp932::ToUtf8Lossy(set.RemoveQuestion(1).view()),
              "ﾚｲｱｳﾄ \"z\" を削除します。\n削除してもいいですか?");
    ASSERT_FALSE(set.Remove(1));
    EXPECT_FALSE(fs::exists(Path("IMPORTS/USER001.KVT")));
    // A file someone else removed goes from the list too; freed numbers are used again.
    fs::remove(Path("IMPORTS/USER000.KVT"));
    ASSERT_FALSE(set.Remove(0));
    EXPECT_EQ(Names(set), (std::vector<std::string>{"zz"}));
    ASSERT_FALSE(set.Add(CTestLayout("n"), &at));
    EXPECT_EQ(set.GetAt(at).path, CString(Path("IMPORTS/USER000.KVT").c_str()));
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(LayoutTest, FailedSetOperationsComeBackAndLeaveTheListAlone) {
    CLayoutSet set;
    set.Build(CTestLayout());
    ASSERT_FALSE(set.Add(CTestLayout("kept")));
    char name[32];
    for (int n = 1; n <= 998; ++n) {
        std::snprintf(name, sizeof name, "IMPORTS/USER%03d.KVT", n);
        WriteBytes(Path(name), "x");
    }
    std::optional<CFileError> error = set.Add(CTestLayout("new"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->GetText(),
              "ﾌｫﾙﾀﾞ " + Path("IMPORTS") +
                  " には新しいﾚｲｱｳﾄのﾌｧｲﾙ名 (USER000 から USER998) が残っていません。\n"
                  "使わないﾚｲｱｳﾄを削除してから保存してください。");
    EXPECT_EQ(error->m_nType, UINT(MB_ICONSTOP));
    EXPECT_EQ(ReadBytes(Path("IMPORTS/USER998.KVT")), "x");

    // The entry's file became a folder: the save fails and the name stays.
    fs::remove(Path("IMPORTS/USER000.KVT"));
    fs::create_directory(Path("IMPORTS/USER000.KVT"));
    error = set.Update(0, CTestLayout("renamed"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->m_strPath, Path("IMPORTS/USER000.KVT"));
    EXPECT_EQ(Names(set), (std::vector<std::string>{"kept"}));

    WriteBytes(Path("file"), "a file, not a folder");
    SetLayoutRoot(Path("file").c_str());
    error = CLayoutSet().Add(CTestLayout("x"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->GetText(),
              "ﾚｲｱｳﾄを保存するﾌｫﾙﾀﾞ " + Path("file/IMPORTS") + " を作成できません。");
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(LayoutTest, RootsAndSeededFolders) {
    const fs::path program = m_root / "bin", user = m_root / "data";
    fs::create_directories(program);
    EXPECT_EQ(FindBundledLayoutRoot(program.c_str()), CString(program.c_str()));
    fs::create_directories(m_root / "share/kolvane/LAYOUTS");
    EXPECT_EQ(FindBundledLayoutRoot(program.c_str()), CString(Path("share/kolvane").c_str()));
    fs::create_directories(program / "LAYOUTS");
    WriteBytes(program / "LAYOUTS/A4.KVL", "a4");
    EXPECT_EQ(FindBundledLayoutRoot(program.c_str()), CString(program.c_str()));

    // A writable program folder is the root; else the user's, seeded once.
    EXPECT_EQ(ChooseLayoutRoot(program.c_str(), user.c_str()), CString(program.c_str()));
    EXPECT_FALSE(fs::exists(user));
    EXPECT_TRUE(SeedLayoutFolder(user.c_str(), "LAYOUTS", program.c_str()));
    EXPECT_EQ(ReadBytes(user / "LAYOUTS/A4.KVL"), "a4");
    fs::remove(user / "LAYOUTS/A4.KVL");
    // A copy cut short before is not taken for the folder.
    fs::create_directories(user / "COPIES.seeding");
    WriteBytes(user / "COPIES.seeding/stale", "old");
    const std::string missing = Path("no-such-folder");
    EXPECT_EQ(ChooseLayoutRoot(missing.c_str(), user.c_str()), CString(user.c_str()));
    EXPECT_FALSE(fs::exists(user / "LAYOUTS/A4.KVL")) << "a deleted layout stays deleted";
    for (const char* folder : kLayoutFolderNames)
        EXPECT_TRUE(fs::is_empty(user / folder)) << folder;
    EXPECT_FALSE(fs::exists(user / "COPIES.seeding"));
}
