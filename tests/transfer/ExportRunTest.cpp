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

// Name, address and the second contact.
CExportLayout Layout(int convCR) {
    CExportLayout layout;
    layout.SetFieldCount(3);
    layout.SetField(0, 0);
    layout.SetField(1, 5);
    layout.SetField(2, 7);
    layout.SetConvCR(convCR);
    return layout;
}

// count cards named with a number after 40 letters x: lines of 56 bytes.
std::vector<CAddrCard> NumberedCards(size_t count) {
    std::vector<CAddrCard> cards(count);
    for (size_t i = 0; i < count; ++i)
        cards[i].m_strName = (std::string(40, 'x') + std::to_string(100000 + i)).c_str();
    return cards;
}

std::vector<const CAddrCard*> Pointers(const std::vector<CAddrCard>& cards) {
    std::vector<const CAddrCard*> out;
    for (const CAddrCard& card : cards)
        out.push_back(&card);
    return out;
}

class ExportRunTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_dir); }
    void TearDown() override { fs::remove_all(m_dir); }

    const fs::path m_dir =
        fs::temp_directory_path() / ("kolvane-export-" + std::to_string(getpid()));
    const fs::path m_path = m_dir / "out.csv";
};

} // namespace

TEST_F(ExportRunTest, WritesEveryCardsLineInBinary) {
    CAddrCard first, second;
    first.m_strName = "\x8ER\x93\x63 \"A\""; // 山田 "A"
    first.m_strAddress = "1\r\n2\n3";
    first.m_contacts.Add(1, "03");
    first.m_contacts.Add(5, "a,b");
    second.m_strName = "B";
    const CAddrCard* const two[] = {&first, &second};
    // Marks only in the last value, and a lone CR that stays.
    CAddrCard third, fourth;
    third.m_strName = "12345678901";
    third.m_contacts.Add(1, "x");
    third.m_contacts.Add(2, "\"q\"\nz");
    fourth.m_strName = "a\rb";
    const CAddrCard* const last[] = {&third, &fourth};
    const std::vector<CAddrCard> many = NumberedCards(30000); // beyond one block of writing
    const std::string x(40, 'x');
    const struct {
        std::span<const CAddrCard* const> cards;
        int convCR;
        std::string bytes;
    } cases[] = {
        {two, 0, "\"\x8ER\x93\x63 \"\"A\"\"\",\"1\r\n2\r\n3\",\"a,b\"\r\n\"B\",\"\",\"\"\r\n"},
        {two, 1, "\"\x8ER\x93\x63 \"\"A\"\"\",\"1 2 3\",\"a,b\"\r\n\"B\",\"\",\"\"\r\n"},
        {last, 0, "\"12345678901\",\"\",\"\"\"q\"\"\r\nz\"\r\n\"a\rb\",\"\",\"\"\r\n"},
        {last, 1, "\"12345678901\",\"\",\"\"\"q\"\" z\"\r\n\"a\rb\",\"\",\"\"\r\n"},
        {{}, 1, ""},
    };
    for (const auto& c : cases) {
        std::ofstream(m_path) << "an older and longer file\n";
        int written = -1;
        EXPECT_FALSE(ExportCards(m_path.c_str(), c.cards, Layout(c.convCR), written));
        EXPECT_EQ(written, static_cast<int>(c.cards.size()));
        EXPECT_EQ(Contents(m_path), c.bytes) << c.convCR;
    }
    // More values than a line keeps at hand.
    CExportLayout wide;
    wide.SetFields(std::vector<int>(33, 0));
    std::string line;
    wide.AppendLine(first, line);
    const std::string quoted = "\"\x8ER\x93\x63 \"\"A\"\"\"";
    std::string expected = quoted;
    for (int i = 1; i < 33; ++i)
        expected += "," + quoted;
    EXPECT_EQ(line, expected + "\r\n");
    int written = -1;
    ASSERT_FALSE(ExportCards(m_path.c_str(), Pointers(many), Layout(1), written));
    EXPECT_EQ(written, 30000);
    const std::string all = Contents(m_path);
    ASSERT_EQ(all.size(), 30000u * 56);
    EXPECT_EQ(all.substr(0, 56), std::string("\"") + x + "100000\",\"\",\"\"\r\n");
    EXPECT_EQ(all.substr(all.size() - 56), std::string("\"") + x + "129999\",\"\",\"\"\r\n");
}

TEST_F(ExportRunTest, AFailedWriteKeepsTheOldFileAndCountsNothing) {
    std::ofstream(m_path) << "old";
    const std::vector<CAddrCard> cards = NumberedCards(500);
    // A full disk: files beyond the limit cannot be written while it holds.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{8192, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    int written = -1;
    const auto full = ExportCards(m_path.c_str(), Pointers(cards), Layout(1), written);
    setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->GetText(), std::string("ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ ") + m_path.string() +
                                   " に書き込めません。");
    EXPECT_EQ(written, 0);
    EXPECT_EQ(Contents(m_path), "old");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}
