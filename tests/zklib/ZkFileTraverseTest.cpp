#include "zklib/ZkFileTraverse.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Tree {
    fs::path root = fs::temp_directory_path() / ("kolvane-traverse-" + std::to_string(::getpid())) /
                    "Café 住所録";
    Tree() {
        fs::remove_all(root.parent_path());
        fs::create_directories(root / "sub");
    }
    ~Tree() {
        std::error_code ec;
        for (auto& e : fs::recursive_directory_iterator(root.parent_path(), ec))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root.parent_path(), ec);
    }
    std::string Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(root / name, std::ios::binary) << bytes;
        return (root / name).string();
    }
};

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Recorder : public CZkFileTraverse {
public:
    std::vector<std::string> paths;

protected:
    BOOL ProcessFile(const char* path) override {
        paths.emplace_back(path);
        return TRUE;
    }
};

} // namespace

TEST(ZkText, ReplacesWholeCharactersOnly) {
    struct Case {
        const char *text, *oldWord, *newWord;
        BOOL word, matchCase;
        const char* expected;
        int count;
    } cases[] = {
        {"concatenate cat catalog", "cat", "dog", TRUE, FALSE, "concatenate dog catalog", 1},
        {"concatenate cat catalog", "cat", "dog", FALSE, FALSE, "condogenate dog dogalog", 3},
        {"CAT Cat cat", "cat", "dog", FALSE, FALSE, "dog dog dog", 3},
        {"CAT Cat cat", "cat", "dog", FALSE, TRUE, "CAT Cat dog", 1},
        // ア is 83 41, ャ 83 61, ＆ 81 95 and 表 95 5C.
        {"\203AA", "A", "B", FALSE, TRUE, "\203AB", 1},
        {"\201\225\\\225\\", "\225\\", "X", FALSE, TRUE, "\201\225\\X", 1},
        {"\203a", "\203A", "X", FALSE, FALSE, "\203a", 0},
        {"\203Acat_cat", "cat", "dog", TRUE, TRUE, "\203Acat_cat", 0},
        {"\203Acat", "cat", "dog", TRUE, TRUE, "\203Adog", 1}, // a trail byte is no letter
        {"abc", "", "x", FALSE, FALSE, "abc", 0},
    };
    for (const Case& c : cases) {
        CString result;
        EXPECT_EQ(ZkText_ReplaceWords(c.text, result, c.oldWord, c.newWord, c.word, c.matchCase),
                  c.count)
            << c.text;
        EXPECT_EQ(result, CString(c.expected)) << c.text;
    }
}

TEST(ZkFileTraverse, WalksEachFileAndRealFolderOnceAndSkipsUnreadableFolders) {
    Tree t;
    const std::string r = t.root.string();
    t.Put("表.txt", "a");
    t.Put("README", "b");
    t.Put("sub/b.CSV", "c");
    fs::create_directory_symlink("..", t.root / "sub" / "up");
    fs::create_symlink("表.txt", t.root / "link.txt");

    Recorder rec;
    rec.SetFileTypes("*.txt;*.csv;*.TXT");
    EXPECT_EQ(rec.Traverse(r.c_str()), 1);
    EXPECT_EQ(rec.paths, std::vector<std::string>{r + "/表.txt"});
    rec.SetSubFolders(TRUE);
    for (const std::string& folder : {r, r + "/"}) {
        rec.paths.clear();
        EXPECT_EQ(rec.Traverse(folder.c_str()), 2);
        EXPECT_EQ(rec.paths, (std::vector<std::string>{r + "/表.txt", r + "/sub/b.CSV"}));
    }
    // Followed, the loop back to the root ends there and the linked file is
    // the same file as 表.txt.
    rec.SetFollowLinks(TRUE);
    rec.SetFileTypes("*.*");
    rec.paths.clear();
    EXPECT_EQ(rec.Traverse(r.c_str()), 3);
    EXPECT_EQ(rec.paths,
              (std::vector<std::string>{r + "/README", r + "/link.txt", r + "/sub/b.CSV"}));

    if (::geteuid() != 0) {
        fs::create_directory(t.root / "closed");
        fs::permissions(t.root / "closed", fs::perms::none);
        rec.SetFollowLinks(FALSE);
        EXPECT_EQ(rec.Traverse(r.c_str()), 3);
        ASSERT_EQ(rec.GetSkippedFolders().size(), 1u);
        EXPECT_EQ(rec.GetSkippedFolders()[0], CString((r + "/closed").c_str()));
    }
}

TEST(ZkFileCopy, RewritesInPlaceKeepingLineEndsAndLeavesOtherFilesAlone) {
    Tree t;
    const std::string text = t.Put("a.txt", "Cat\r\n\x83\x41"
                                            "cat\nCAT dog");
    const std::string binary = t.Put("b.txt", std::string("cat\0cat", 7));
    const std::string none = t.Put("sub/c.txt", "dog\n");
    fs::permissions(text, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    struct stat before {};
    ::stat(none.c_str(), &before);

    CZkFileReplaceWordsTraverse rep;
    rep.SetSubFolders(TRUE);
    rep.SetOldString("cat");
    rep.SetNewString("\x82\xcb\x82\xb1"); // ねこ
    EXPECT_EQ(rep.Traverse(t.root.c_str()), 3);
    EXPECT_EQ(Bytes(text), "\x82\xcb\x82\xb1\r\n\x83\x41\x82\xcb\x82\xb1\n\x82\xcb\x82\xb1 dog");
    EXPECT_EQ(fs::status(text).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Bytes(binary), std::string("cat\0cat", 7));
    struct stat after {};
    ::stat(none.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(rep.FilesChanged(), 1);
    EXPECT_EQ(rep.Replacements(), 3);

    // An output naming the input is in place; a head takes the file's line end.
    CZkFileAddHead head("# head");
    EXPECT_TRUE(head.Operate(text.c_str(), text.c_str()));
    EXPECT_EQ(Bytes(text),
              "# head\r\n\x82\xcb\x82\xb1\r\n\x83\x41\x82\xcb\x82\xb1\n\x82\xcb\x82\xb1 dog");
    EXPECT_EQ(std::distance(fs::directory_iterator(t.root), fs::directory_iterator()), 3);
}

TEST(ZkFileCopy, ARewriteFailingHalfWayLeavesTheFileAsItWas) {
    Tree t;
    const std::string original(200000, 'a');
    const std::string path = t.Put("big.txt", original);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100000, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        CZkFileReplaceWords op("a", "b", FALSE, TRUE);
        ::_exit(op.Operate(path.c_str()) ? 1 : 0);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(Bytes(path) == original);
    EXPECT_EQ(std::distance(fs::directory_iterator(t.root), fs::directory_iterator()), 2);
}

TEST(ZkFolderSize, AddsSizesFromMetadataAndStopsWhenTold) {
    Tree t;
    t.Put("a", "123");
    const std::string closed = t.Put("sub/b", "12345");
    fs::permissions(closed, fs::perms::none);
    CZkFolderSizeCalculator calc;
    EXPECT_EQ(calc.Traverse(t.root.c_str()), 2);
    EXPECT_EQ(calc.m_nTotalSize, 8u);

    struct StopAtOne : IZkProgress {
        BOOL Step(unsigned long long files, unsigned long long bytes) override {
            return files < 1 && bytes < 100;
        }
    } stop;
    CZkFolderSizeCalculator stopped;
    stopped.m_pProgress = &stop;
    EXPECT_EQ(stopped.Traverse(t.root.c_str()), -1);
    EXPECT_EQ(stopped.m_nFileCount, 1u);

    ::setenv("LC_ALL", "C", 1);
    errno = ENOENT;
    EXPECT_EQ(Zk_GetLastErrorMsg(), CString("No such file or directory"));
    ::unsetenv("LC_ALL");
}
