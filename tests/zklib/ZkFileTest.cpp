#include "zklib/ZkFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(ZkFile, PathsAndARenameThatNeverReplacesAFile) {
    EXPECT_EQ(ZkFile_MakePath("/data/", "x.txt") + ZkFile_MakePath("", "x.txt"),
              CString("/data/x.txtx.txt"));
    EXPECT_EQ(ZkFile_SplitDirName("/tmp/Café 住所録/book.kvd"), CString("/tmp/Café 住所録/"));
    EXPECT_EQ(ZkFile_SplitDirName(nullptr), CString(""));
    EXPECT_EQ(ZkFile_GetModuleDirName(),
              CString((fs::read_symlink("/proc/self/exe").parent_path() / "").c_str()));

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
    EXPECT_FALSE(ZkFile_Rename(a.c_str(), b.c_str()));
    EXPECT_EQ(fs::file_size(b), 1u);
    EXPECT_TRUE(ZkFile_Remove(b.c_str()));
    EXPECT_TRUE(ZkFile_Rename(a.c_str(), b.c_str()));
    EXPECT_FALSE(ZkFile_DoesExist(a.c_str()));
    EXPECT_EQ(fs::file_size(b), 5u);
    EXPECT_FALSE(ZkFile_Remove(dir.c_str())); // a folder is not a file
    fs::remove_all(dir);
}
