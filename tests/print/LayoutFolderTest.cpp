#include "PrintTestSupport.h"

#include "layouts/LayoutRoot.h"
#include "platform/RecordingUserInteraction.h"
#include "print/PageLayout.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(LayoutFolder, FolderLiesUnderTheRootAndIsMadeOnFirstSave) {
    TempLayoutRoot root;
    const CPageLayout kind;
    EXPECT_EQ(kind.GetFolderPath(), CString((root / "LAYOUTS").c_str()));
    EXPECT_FALSE(Exists(root / "LAYOUTS"));
    EXPECT_EQ(kind.MakeNewFilePath(), CString((root / "LAYOUTS/USER000.KVL").c_str()));
    EXPECT_TRUE(Exists(root / "LAYOUTS"));
}

TEST(LayoutFolder, NewFileNamesFillTheFirstGap) {
    TempLayoutRoot root;
    std::filesystem::create_directory(root / "LAYOUTS");
    WriteBytes(root / "LAYOUTS/USER000.KVL", "x");
    WriteBytes(root / "LAYOUTS/USER002.KVL", "x");
    const CPageLayout kind;
    EXPECT_EQ(kind.MakeNewFilePath(), CString((root / "LAYOUTS/USER001.KVL").c_str()));
    WriteBytes(root / "LAYOUTS/USER001.KVL", "x");
    EXPECT_EQ(kind.MakeNewFilePath(), CString((root / "LAYOUTS/USER003.KVL").c_str()));
}

TEST(LayoutRoot, SeedsAKindFolderOnlyWhenItIsFirstMade) {
    TempLayoutRoot bundled;
    std::filesystem::create_directory(bundled / "LAYOUTS");
    WriteBytes(bundled / "LAYOUTS/A4_12.KVL", "a4");
    WriteBytes(bundled / "LAYOUTS/A4_10.KVL", "a4-10");
    TempLayoutRoot user;
    const std::string userRoot = user / "data/kolvane";

    EXPECT_TRUE(SeedLayoutFolder(userRoot.c_str(), "LAYOUTS", bundled.Path().c_str()));
    EXPECT_EQ(ReadBytes(userRoot + "/LAYOUTS/A4_12.KVL"), "a4");
    EXPECT_EQ(ReadBytes(userRoot + "/LAYOUTS/A4_10.KVL"), "a4-10");
    EXPECT_FALSE(Exists(userRoot + "/LAYOUTS.seeding"));
    // A kind without bundled files gets an empty folder.
    EXPECT_TRUE(SeedLayoutFolder(userRoot.c_str(), "IMPORTS", bundled.Path().c_str()));
    EXPECT_TRUE(std::filesystem::is_empty(userRoot + "/IMPORTS"));

    // A layout the user deleted stays deleted.
    std::filesystem::remove(userRoot + "/LAYOUTS/A4_12.KVL");
    EXPECT_TRUE(SeedLayoutFolder(userRoot.c_str(), "LAYOUTS", bundled.Path().c_str()));
    EXPECT_FALSE(Exists(userRoot + "/LAYOUTS/A4_12.KVL"));

    // A copy cut short before is not taken for the folder.
    std::filesystem::create_directory(userRoot + "/EXPORTS.seeding");
    WriteBytes(userRoot + "/EXPORTS.seeding/stale.KVE", "old");
    std::filesystem::create_directory(bundled / "EXPORTS");
    WriteBytes(bundled / "EXPORTS/mail.KVE", "mail");
    EXPECT_TRUE(SeedLayoutFolder(userRoot.c_str(), "EXPORTS", bundled.Path().c_str()));
    EXPECT_EQ(ReadBytes(userRoot + "/EXPORTS/mail.KVE"), "mail");
    EXPECT_FALSE(Exists(userRoot + "/EXPORTS/stale.KVE"));
}

TEST(LayoutRoot, TheProgramFolderWhenWritableElseTheUserFolder) {
    TempLayoutRoot program;
    TempLayoutRoot user;
    EXPECT_EQ(ChooseLayoutRoot(program.Path().c_str(), user.Path().c_str()),
              CString(program.Path().c_str()));
    EXPECT_TRUE(std::filesystem::is_empty(user.Path()));

    const std::string missing = program / "no-such-folder";
    EXPECT_EQ(ChooseLayoutRoot(missing.c_str(), user.Path().c_str()), CString(user.Path().c_str()));
    for (const char* folder : {"LAYOUTS", "IMPORTS", "EXPORTS", "COPIES"})
        EXPECT_TRUE(std::filesystem::is_directory(user / folder)) << folder;
}

TEST(LayoutRoot, BundledLayoutsBesideTheProgramOrInTheInstalledDataFolder) {
    TempLayoutRoot prefix;
    const std::string bin = prefix / "bin";
    std::filesystem::create_directories(bin);
    // Neither place holds layouts: the program's folder stands.
    EXPECT_EQ(FindBundledLayoutRoot(bin.c_str()), CString(bin.c_str()));
    std::filesystem::create_directories(prefix / "share/kolvane/LAYOUTS");
    EXPECT_EQ(FindBundledLayoutRoot(bin.c_str()), CString((prefix / "share/kolvane").c_str()));
    // Layouts beside the program come first (a build tree).
    std::filesystem::create_directories(prefix / "bin/LAYOUTS");
    EXPECT_EQ(FindBundledLayoutRoot(bin.c_str()), CString(bin.c_str()));
}
