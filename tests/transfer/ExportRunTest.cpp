// The export run: the file's bytes, and a failed write that keeps the old file.

#include "transfer/CsvExportRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class ExportRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("kolvane-export-" + std::to_string(getpid()));
        fs::create_directories(m_dir);
        // Name, address and the second contact.
        m_layout.SetFieldCount(3);
        m_layout.SetField(0, 0);
        m_layout.SetField(1, 5);
        m_layout.SetField(2, 7);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    CExportLayout m_layout;
};

} // namespace

TEST_F(ExportRunTest, WritesEveryCardsLineInBinary) {
    CAddrCard first, second;
    first.m_strName = "\x8ER\x93\x63 \"A\""; // 山田 "A"
    first.m_strAddress = "1\r\n2\n3";
    first.m_contacts.Add(1, "03");
    first.m_contacts.Add(5, "a,b");
    second.m_strName = "B";
    const CAddrCard* const cards[] = {&first, &second};
    const struct {
        int convCR;
        std::string bytes;
    } cases[] = {
        {0, "\"\x8ER\x93\x63 \"\"A\"\"\",\"1\r\n2\r\n3\",\"a,b\"\r\n\"B\",\"\",\"\"\r\n"},
        {1, "\"\x8ER\x93\x63 \"\"A\"\"\",\"1 2 3\",\"a,b\"\r\n\"B\",\"\",\"\"\r\n"},
    };
    const fs::path path = m_dir / "out.csv";
    for (const auto& c : cases) {
        std::ofstream(path) << "an older and longer file\n";
        m_layout.SetConvCR(c.convCR);
        int written = -1;
        EXPECT_FALSE(ExportCards(path.c_str(), cards, m_layout, written));
        EXPECT_EQ(written, 2);
        EXPECT_EQ(Contents(path), c.bytes) << c.convCR;
    }
    // No cards: an empty file.
    int written = -1;
    EXPECT_FALSE(ExportCards(path.c_str(), {}, m_layout, written));
    EXPECT_EQ(written, 0);
    EXPECT_EQ(fs::file_size(path), 0u);

    // Lines beyond one block of writing come out whole and in order.
    std::vector<CAddrCard> many(30000);
    std::vector<const CAddrCard*> pointers;
    for (size_t i = 0; i < many.size(); ++i) {
        many[i].m_strName = (std::string(40, 'x') + std::to_string(100000 + i)).c_str();
        pointers.push_back(&many[i]);
    }
    ASSERT_FALSE(ExportCards(path.c_str(), pointers, m_layout, written));
    EXPECT_EQ(written, 30000);
    const std::string all = Contents(path);
    ASSERT_EQ(all.size(), 30000u * 56);
    const std::string x(40, 'x');
    EXPECT_EQ(all.substr(0, 56), std::string("\"") + x + "100000\",\"\",\"\"\r\n");
    EXPECT_EQ(all.substr(all.size() - 56), std::string("\"") + x + "129999\",\"\",\"\"\r\n");
}

TEST_F(ExportRunTest, AFailedWriteKeepsTheOldFileAndCountsNothing) {
    const fs::path path = m_dir / "out.csv";
    std::ofstream(path) << "old";
    std::vector<CAddrCard> many(500);
    std::vector<const CAddrCard*> pointers;
    for (CAddrCard& card : many) {
        card.m_strName = std::string(100, 'n').c_str();
        pointers.push_back(&card);
    }
    // A full disk: files beyond the limit cannot be written while it holds.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{8192, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    int written = -1;
    const auto full = ExportCards(path.c_str(), pointers, m_layout, written);
    setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->GetText(),
              std::string("ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ ") + path.string() + " に書き込めません。");
    EXPECT_EQ(written, 0);
    EXPECT_EQ(Contents(path), "old");

    // A folder that is missing, and a folder in the target's place.
    const fs::path folder = m_dir / "folder";
    fs::create_directory(folder);
    for (const fs::path& target : {m_dir / "none" / "out.csv", folder}) {
        written = -1;
        const auto error = ExportCards(target.c_str(), pointers, m_layout, written);
        ASSERT_TRUE(error) << target;
        EXPECT_EQ(written, 0);
        EXPECT_NE(error->GetText().find(target.string()), std::string::npos) << error->GetText();
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
}
