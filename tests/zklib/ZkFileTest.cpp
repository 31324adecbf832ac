#include "zklib/ZkFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(ZkFile, PathsAreJoinedAndSplit) {
    EXPECT_EQ(ZkFile_MakePath("/data/", "x.txt"), CString("/data/x.txt"));
    EXPECT_EQ(ZkFile_MakePath("", "x.txt"), CString("x.txt"));
    EXPECT_EQ(ZkFile_MakePath("/tmp/表", "x"), CString("/tmp/表/x")); // UTF-8 path
    EXPECT_EQ(ZkFile_SplitDirName("/tmp/Café 住所録/book.kvd"), CString("/tmp/Café 住所録/"));
    EXPECT_EQ(ZkFile_SplitDirName(nullptr), CString(""));
    EXPECT_EQ(ZkFile_SplitFileName("/tmp/a/book.kvd"), CString("book.kvd"));
    EXPECT_EQ(ZkFile_SplitFileExt("/tmp/a.d/book"), CString(""));
    EXPECT_EQ(ZkFile_RemoveFileExt("/tmp/a.d/book.kvd.bak"), CString("/tmp/a.d/book.kvd"));
    EXPECT_TRUE(ZkFile_HasExt("x.KVL"));
    EXPECT_FALSE(ZkFile_HasExt("/a.b/x"));
}

TEST(ZkFile, RenameNeverReplacesAFile) {
    const fs::path dir =
        fs::temp_directory_path() / ("kolvane-zkfile-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    int error = -1;
    ASSERT_TRUE(ZkFile_CreateDir(dir.c_str(), error));
    EXPECT_FALSE(ZkFile_CreateDir(dir.c_str(), error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_TRUE(ZkFile_IsValidPath(dir.c_str()));

    const std::string a = (dir / "住所録.kvd").string(), b = (dir / "b.kvd").string();
    std::ofstream(a) << "12345";
    std::ofstream(b) << "x";
    EXPECT_FALSE(ZkFile_IsValidPath(a.c_str()));
    EXPECT_EQ(ZkFile_GetFileSize(a.c_str()), 5);
    EXPECT_FALSE(ZkFile_Rename(a.c_str(), b.c_str()));
    EXPECT_EQ(ZkFile_GetFileSize(b.c_str()), 1);
    EXPECT_TRUE(ZkFile_Remove(b.c_str()));
    EXPECT_TRUE(ZkFile_Rename(a.c_str(), b.c_str()));
    EXPECT_FALSE(ZkFile_DoesExist(a.c_str()));
    EXPECT_FALSE(ZkFile_Remove(dir.c_str())); // a folder is not a file
    EXPECT_EQ(ZkFile_GetModuleDirName() + ZkFile_SplitFileName(ZkFile_GetModuleFileName()),
              CString(fs::read_symlink("/proc/self/exe").c_str()));
    fs::remove_all(dir);
}

TEST(ZkFile, TemporaryFileNamesAreNeverShared) {
    const CString first = ZkFile_GetTempFileName(), second = ZkFile_GetTempFileName();
    ASSERT_FALSE(first.IsEmpty());
    EXPECT_NE(first, second);
    EXPECT_EQ(ZkFile_SplitDirName(first), ZkFile_GetTempPath());
    // Each name is taken by an empty file at once, so no other caller can have it.
    EXPECT_EQ(ZkFile_GetFileSize(first), 0);
    EXPECT_EQ(ZkFile_GetFileSize(second), 0);
    EXPECT_TRUE(ZkFile_Remove(first));
    EXPECT_TRUE(ZkFile_Remove(second));
}
