#include "zklib/ZkRotateBackup.h"
#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class RotateBackup : public ::testing::Test {
protected:
    RotateBackup() {
        dir = fs::temp_directory_path() / ("kolvane-rot-" + std::to_string(::getpid())) /
              "Café 住所録";
        fs::remove_all(dir.parent_path());
        fs::create_directories(dir);
        path = (dir / "book.kvd").string();
    }
    ~RotateBackup() override { fs::remove_all(dir.parent_path()); }

    // A new file renamed into place, as the program's saves replace a file.
    void Put(const std::string& name, const std::string& text) {
        std::ofstream(dir / "new", std::ios::binary) << text;
        fs::rename(dir / "new", dir / name);
    }
    std::string Get(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        if (!in)
            return "(none)";
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    fs::path dir;
    std::string path;
    RecordingUserInteraction ui;
};

} // namespace

TEST_F(RotateBackup, GenerationsShiftAndTheOldestGoes) {
    CZkRotateBackup backup;                   // 5 generations, "bak"
    EXPECT_TRUE(backup.Backup(path.c_str())); // nothing to move yet

    for (int save = 1; save <= 8; ++save) {
        Put("book.kvd", "v" + std::to_string(save));
        ASSERT_TRUE(backup.Backup(path.c_str()));
        // The book keeps its name throughout; the newest backup is the same file.
        EXPECT_EQ(Get("book.kvd"), "v" + std::to_string(save));
        EXPECT_TRUE(fs::equivalent(dir / "book.kvd", dir / "book.kvd.bak"));
    }
    EXPECT_EQ(Get("book.kvd.bak"), "v8");
    EXPECT_EQ(Get("book.kvd.bak.5"), "v3");
    EXPECT_EQ(Get("book.kvd.bak.6"), "(none)");
    EXPECT_EQ(ui.Problems(), "");
}

TEST_F(RotateBackup, SmallGenerationCountsAndGaps) {
    Put("book.kvd", "p");
    Put("book.kvd.bak", "old");
    ASSERT_TRUE(CZkRotateBackup(0, "bak").Backup(path.c_str()));
    EXPECT_EQ(Get("book.kvd.bak"), "p");
    EXPECT_EQ(Get("book.kvd.bak.1"), "(none)");

    // A gap stops the shift: bak.2 stays where it is.
    Put("book.kvd", "p2");
    Put("book.kvd.bak.2", "far");
    ASSERT_TRUE(CZkRotateBackup(5, "bak").Backup(path.c_str()));
    EXPECT_EQ(Get("book.kvd.bak"), "p2");
    EXPECT_EQ(Get("book.kvd.bak.1"), "p");
    EXPECT_EQ(Get("book.kvd.bak.2"), "far");

    Put("book.kvd", "q");
    ASSERT_TRUE(CZkRotateBackup(5, ".old").Backup(path.c_str()));
    EXPECT_EQ(Get("book.kvd.old"), "q");
    EXPECT_EQ(CZkRotateBackup(5, ".").GetExtension(), CString("bak"));
    EXPECT_FALSE(CZkRotateBackup().Backup(""));
    EXPECT_EQ(ui.Problems(), "");
}

TEST_F(RotateBackup, UndeletableOldestGenerationStopsWithAMessage) {
    Put("book.kvd", "p");
    Put("book.kvd.bak", "b");
    fs::create_directories(dir / "book.kvd.bak.1" / "inside"); // cannot be removed as a file
    ui.ExpectMessage("ﾌｧｲﾙを削除できません: " + path + ".bak.1");
    EXPECT_FALSE(CZkRotateBackup(1, "bak").Backup(path.c_str()));
    EXPECT_EQ(Get("book.kvd"), "p");
    EXPECT_EQ(Get("book.kvd.bak"), "b");
    EXPECT_EQ(ui.Problems(), "");
    EXPECT_EQ(ui.messages.at(0).type, UINT(MB_ICONSTOP));
}
