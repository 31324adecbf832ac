// The document's tests save through the backup settings; here gaps and the oldest.

#include "zklib/ZkRotateBackup.h"
#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(RotateBackup, GenerationsShiftUpToAGapAndTheOldestGoes) {
    const fs::path dir =
        fs::temp_directory_path() / ("kolvane-rot-" + std::to_string(::getpid())) / "Café 住所録";
    fs::remove_all(dir.parent_path());
    fs::create_directories(dir);
    const std::string path = (dir / "book.kvd").string();
    // A new file renamed into place, as the program's saves replace a file.
    auto put = [&](const char* name, const std::string& text) {
        std::ofstream(dir / "new", std::ios::binary) << text;
        fs::rename(dir / "new", dir / name);
    };
    auto get = [&](const char* name) {
        std::ifstream in(dir / name, std::ios::binary);
        return in ? std::string((std::istreambuf_iterator<char>(in)), {}) : "(none)";
    };
    RecordingUserInteraction ui;
    CZkRotateBackup backup;                   // 5 generations, "bak"
    EXPECT_TRUE(backup.Backup(path.c_str())); // nothing to move yet
    for (int save = 1; save <= 8; ++save) {
        const std::string text = 'v' + std::to_string(save);
        put("book.kvd", text);
        ASSERT_TRUE(backup.Backup(path.c_str()));
        // The book keeps its name throughout; the newest backup is the same file.
        EXPECT_EQ(get("book.kvd"), text);
        EXPECT_TRUE(fs::equivalent(dir / "book.kvd", dir / "book.kvd.bak"));
    }
    EXPECT_EQ(get("book.kvd.bak.5") + get("book.kvd.bak.6"), "v3(none)");

    // A gap stops the shift: bak.3 stays where it is.
    fs::remove(dir / "book.kvd.bak.2");
    put("book.kvd", "p");
    ASSERT_TRUE(backup.Backup(path.c_str()));
    EXPECT_EQ(get("book.kvd.bak.1") + get("book.kvd.bak.2") + get("book.kvd.bak.3"), "v8v7v5");

    // An oldest generation that cannot be removed stops the backup, and the
    // book stays as it was.
    fs::create_directories(dir / "book.kvd.old.1" / "inside");
    put("book.kvd.old", "b");
    ui.ExpectMessage("ﾌｧｲﾙを削除できません: " + path + ".old.1");
    EXPECT_FALSE(CZkRotateBackup(1, ".old").Backup(path.c_str()));
    EXPECT_EQ(get("book.kvd") + get("book.kvd.old"), "pb");
    EXPECT_EQ(ui.Problems(), "");
    EXPECT_EQ(ui.messages.at(0).type, UINT(MB_ICONSTOP));
    fs::remove_all(dir.parent_path());
}
