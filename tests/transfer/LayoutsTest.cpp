// Import and export layouts: their files, the cards a record makes and the CSV
// lines a card makes.

#include "transfer/ExportLayout.h"
#include "transfer/ImportLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TransferLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kolvane-transfer-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
    }
    void TearDown() override { fs::remove_all(m_root); }
    std::string Path(const char* name) const { return (m_root / name).string(); }

    fs::path m_root;
};

} // namespace

// The whole file: version 1, the name 住所 in its stored form, the column count
// and the map.
TEST_F(TransferLayoutTest, ImportLayoutFileBytes) {
    CImportLayout layout;
    layout.SetName("\x8F\x5A\x8F\x8A");
    layout.SetColumnCount(3);
    layout.SetColumnField(0, 0);
    layout.SetColumnField(2, 18);
    ASSERT_FALSE(layout.Save(Path("a.KVI").c_str()));
    const std::string expected("\x01\0\0\0\x05\0\0\0\x8F\x5A\x8F\x8A\0\x03\0\0\0"
                               "\0\0\0\0\xFF\xFF\xFF\xFF\x12\0\0\0",
                               29);
    EXPECT_EQ(ReadBytes(Path("a.KVI")), expected);
    CImportLayout read;
    ASSERT_FALSE(read.Load(Path("a.KVI").c_str()));
    EXPECT_EQ(read.GetName(), "\x8F\x5A\x8F\x8A");
    ASSERT_EQ(read.GetColumnCount(), 3);
    EXPECT_EQ(read.GetColumnField(2), 18);
}
