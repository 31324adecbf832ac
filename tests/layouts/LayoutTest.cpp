// The layout base with a kind of its own: the file of one layout, the errors of
// its reader as values, the layout sets and where the layout folders lie.

#include "layouts/LayoutIo.h"
#include "layouts/LayoutRoot.h"
#include "layouts/LayoutSet.h"
#include "platform/FileStep.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace fs = std::filesystem;

namespace {

// A kind whose body is one value.
class CTestLayout : public CLayout {
public:
    explicit CTestLayout(const char* name = "", LONG value = 0) : m_nValue(value) { SetName(name); }
    DWORD GetVersion() const override { return 2; }
    const char* GetExtension() const override { return "KVT"; }
    const char* GetFolderName() const override { return "IMPORTS"; }
    LONG m_nValue;

protected:
    std::optional<CFileError> ReadBody(CFile* file) override {
        m_nValue = layoutio::ReadLong(file);
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

std::string Names(const CLayoutSet& set) {
    std::string names;
    for (const auto& entry : set.Entries())
        names += "[" + entry.name.str() + "]";
    return names;
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kolvane-layouts-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        SetLayoutRoot((m_root = pattern).c_str());
    }
    void TearDown() override {
        SetLayoutRoot(nullptr);
        fs::remove_all(m_root);
    }
    std::string Path(const char* name) const { return (m_root / name).string(); }

    fs::path m_root;
};

// Version 2, the name "Ab", the value 7.
const std::string kFile("\x02\0\0\0\x03\0\0\0Ab\0\x07\0\0\0", 15);
// Another program's file that appears under the chosen name while a layout is written.
std::string g_theirs;

} // namespace

// The page layout's tests read the other damaged files.
TEST_F(LayoutTest, FileBytesAndSetsListAddEditAndRemoveWithTheFolder) {
    ASSERT_FALSE(CTestLayout("Ab", 7).Save(Path("a.kvt").c_str()));
    EXPECT_EQ(ReadBytes(Path("a.kvt")), kFile);
    CTestLayout read("keep", 1);
    ASSERT_FALSE(read.Load(Path("a.kvt").c_str()));
    EXPECT_EQ(read.GetName(), CString("Ab"));
    EXPECT_EQ(read.m_nValue, 7);
    WriteBytes(Path("long"),
               kFile.substr(0, 4) + "\xFF\xFF" + std::string(2, '\0') + kFile.substr(8));
    const std::optional<CFileError> error = read.Load(Path("long").c_str());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->m_nType, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(error->GetText(),
              "ﾌｧｲﾙ " + Path("long") + " は途中で終わっています。壊れている可能性があります。");
    // A set lists the files of the kind by the names stored in them.
    CLayoutSet set;
    EXPECT_TRUE(set.Build(CTestLayout()).empty());
    EXPECT_FALSE(fs::exists(m_root / "IMPORTS")) << "listing makes no folder";
    int at = -1;
    for (const char* name : {"m", "z", "A"})
        ASSERT_FALSE(set.Add(CTestLayout(name), &at));
    EXPECT_EQ(at, 0);
    EXPECT_EQ(set.GetAt(0).path, CString(Path("IMPORTS/USER002.KVT").c_str()));
    // Other files of the extension in any case; a broken one is listed as "".
    fs::copy_file(Path("IMPORTS/USER001.KVT"), Path("IMPORTS/by hand.kvt"));
    WriteBytes(Path("IMPORTS/broken.Kvt"), std::string("\x01\0\0", 3));
    WriteBytes(Path("IMPORTS/other.KVL"), kFile);
    std::vector<CFileError> errors = set.Build(CTestLayout());
    EXPECT_EQ(Names(set), "[][A][m][z][z]");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].m_strPath, Path("IMPORTS/broken.Kvt"));
    set.Build(CTestLayout(), [](const char* path) { return CString(path).Find("USER") >= 0; });
    EXPECT_EQ(Names(set), "[A][m][z]");
    EXPECT_EQ(set.FindNoCase("a"), 0);
    // An edited name is placed anew, with the same file.
    ASSERT_FALSE(set.Update(0, CTestLayout("zz", 3), &at));
    EXPECT_EQ(at, 2);
    ASSERT_FALSE(read.Load(Path("IMPORTS/USER002.KVT").c_str()));
    EXPECT_EQ(read.m_nValue, 3);
    // A file someone else removed goes from the list too.
    fs::remove(Path("IMPORTS/USER000.KVT"));
    ASSERT_FALSE(set.Remove(0));
    EXPECT_EQ(Names(set), "[z][zz]");
}

TEST_F(LayoutTest, NewFilesReplaceNothingAndFailuresLeaveTheListAlone) {
    CLayoutSet set;
    g_theirs = Path("IMPORTS/USER000.KVT");
    SetFileStepHook([] {
        if (!g_theirs.empty())
            WriteBytes(std::exchange(g_theirs, ""), "theirs");
    });
    ASSERT_FALSE(set.Add(CTestLayout("kept")));
    SetFileStepHook(nullptr);
    EXPECT_EQ(ReadBytes(Path("IMPORTS/USER000.KVT")), "theirs");
    EXPECT_EQ(set.GetAt(0).path, CString(Path("IMPORTS/USER001.KVT").c_str()));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_root / "IMPORTS"), {}), 2);
    char name[32];
    for (int n = 2; n <= 998; ++n) {
        std::snprintf(name, sizeof name, "IMPORTS/USER%03d.KVT", n);
        WriteBytes(Path(name), "x");
    }
    std::optional<CFileError> error = set.Add(CTestLayout("new"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->GetText(),
              "ﾌｫﾙﾀﾞ " + Path("IMPORTS") +
                  " には新しいﾚｲｱｳﾄのﾌｧｲﾙ名 (USER000 から USER998) が残っていません。\n"
                  "使わないﾚｲｱｳﾄを削除してから保存してください。");
    EXPECT_EQ(Names(set), "[kept]");
    WriteBytes(Path("file"), "a file, not a folder");
    SetLayoutRoot(Path("file").c_str());
    error = CLayoutSet().Add(CTestLayout("x"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->GetText(),
              "ﾚｲｱｳﾄを保存するﾌｫﾙﾀﾞ " + Path("file/IMPORTS") + " を作成できません。");
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
    EXPECT_EQ(ChooseLayoutRoot(Path("none").c_str(), user.c_str()), CString(user.c_str()));
    EXPECT_FALSE(fs::exists(user / "LAYOUTS/A4.KVL")) << "a deleted layout stays deleted";
    for (const char* folder : kLayoutFolderNames)
        EXPECT_TRUE(fs::is_empty(user / folder)) << folder;
    EXPECT_FALSE(fs::exists(user / "COPIES.seeding"));
}
