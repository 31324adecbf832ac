// Loading and saving whole files on the disk.

#include "model/AddrBookFile.h"
#include "ModelTestUtil.h"
#include "platform/RecordingUserInteraction.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class AddrBookFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kolvane-model-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        m_dir = m_root / "Café 住所録";
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_root); }

    static std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    fs::path m_root;
    fs::path m_dir;
};

} // namespace

TEST_F(AddrBookFileTest, SavedBookLoadsBackByteForByte) {
    const fs::path path = m_dir / "book.kvd";
    CAddrBook book;
    book.m_methods.SetDefaults();
    book.AddCard(NewCard(0, "すずき", "鈴木", "㈱髙﨑"));
    book.GetAt(0)->m_contacts.Add(1, "090");
    ASSERT_TRUE(SaveAddrBook(path.c_str(), book));
    const std::string saved = Contents(path);
    EXPECT_EQ(saved, StoredForm(book));

    CAddrBook back;
    ASSERT_TRUE(LoadAddrBook(path.c_str(), back));
    EXPECT_EQ(StoredForm(back), saved);

    // Saving again replaces the file and leaves no temporary file behind.
    back.AddCard(NewCard(1, "", "Second"));
    ASSERT_TRUE(SaveAddrBook(path.c_str(), back));
    EXPECT_EQ(Contents(path), StoredForm(back));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(AddrBookFileTest, EmptyFileIsAnEmptyBookWithDefaultMethods) {
    const fs::path path = m_dir / "empty.kvd";
    std::ofstream(path).close();
    CAddrBook book;
    ASSERT_TRUE(LoadAddrBook(path.c_str(), book));
    EXPECT_EQ(book.GetCount(), 0);
    EXPECT_EQ(book.m_methods.GetCount(), 8);
}

TEST_F(AddrBookFileTest, ErrorsNameTheFile) {
    RecordingUserInteraction ui;
    const fs::path missing = m_dir / "missing.kvd";
    ui.ExpectMessage("ﾌｧｲﾙ " + missing.string() + " が見つかりません。");
    CAddrBook book;
    EXPECT_FALSE(LoadAddrBook(missing.c_str(), book));
    EXPECT_EQ(ui.messages.back().type, MB_OK | MB_ICONSTOP);

    const fs::path cut = m_dir / "cut.kvd";
    std::ofstream(cut, std::ios::binary) << "FDVK\x01";
    ui.ExpectMessage(EndOfFileMessage(cut.string()));
    EXPECT_FALSE(LoadAddrBook(cut.c_str(), book));

    // A folder in the way of the file: the save fails and the folder stays.
    const fs::path blocked = m_dir / "blocked.kvd";
    fs::create_directory(blocked);
    book.m_methods.SetDefaults();
    ui.AnswerMessage(IDOK);
    EXPECT_FALSE(SaveAddrBook(blocked.c_str(), book));
    EXPECT_NE(ui.messages.back().text.find(blocked.string()), std::string::npos);
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
    EXPECT_EQ(ui.Problems(), "");
}
