#include "platform/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(SettingsStore, QtStoreKeepsValuesAcrossInstancesAsReadableUnicode) {
    const fs::path dir = fs::temp_directory_path() / ("kolvane-qs-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string ini = (dir / "ｺﾙｳﾞｧﾈ.ini").string();
    {
        CQtSettingsStore store(ini);
        EXPECT_TRUE(store.WriteProfileInt("PageLayout", "PageMarginTop", -500));
        EXPECT_TRUE(store.WriteProfileString("Most Recent File", "File", "/tmp/\x95\x5C.kvd"));
        // A text that is no number reads as the default integer.
        EXPECT_TRUE(store.WriteProfileString("Settings", "AutoSave", "yes"));
        EXPECT_EQ(store.GetProfileInt("Settings", "AutoSave", 1), 1);
        EXPECT_TRUE(store.WriteProfileString("Settings", "Gone", "x"));
        EXPECT_TRUE(store.RemoveKey("Settings", "Gone"));
        EXPECT_TRUE(store.Sync());
    }
    CQtSettingsStore again(ini);
    EXPECT_EQ(again.GetProfileInt("PageLayout", "PageMarginTop", 0), -500);
    EXPECT_EQ(again.GetProfileString("Most Recent File", "File"), CString("/tmp/\x95\x5C.kvd"));
    EXPECT_EQ(again.GetProfileString("Settings", "Gone", "none"), CString("none"));
    std::ifstream in(ini);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("表"), std::string::npos) << text;
    fs::remove_all(dir);
}
