// The paper sizes of PAPERS.DEF: records as the layout editor lists them, from
// bytes written here, and the bundled file holding every bundled sheet's paper.

#include "PrintTestSupport.h"

#include "print/PaperDefs.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// "name w h" of each paper, one a line.
std::string Listed(const std::vector<PaperSize>& papers) {
    std::string out;
    char size[64];
    for (const PaperSize& paper : papers) {
        std::snprintf(size, sizeof size, " %g %g\n", paper.width, paper.height);
        out += paper.name.str() + size;
    }
    return out;
}

} // namespace

TEST(PaperDefsTest, RecordsBecomePapersInFileOrder) {
    const std::string longName(300, 'N');
    const std::string kana = "\x83\x5C\x95\x5C"; // ソ表: trail bytes 5C
    const std::pair<std::string, std::string> cases[] = {
        {"//Letter,215.9,279.4\r\nA4,210,297\r\nB5,182\nA5, 148 ,210,x\n\r\n",
         "A4 210 297\nA5 148 210\n"},
        {"\"Env, long\",+120,235\n" + kana + ",100,148\n\"" + kana + "\",1,2",
         "Env, long 120 235\n" + kana + " 100 148\n" + kana + " 1 2\n"},
        {"a,0,297\nb,-1,2\nc,inf,2\nd,nan,2\ne,x,2\nf,2000.5,2\ng,1e999,2\nh,2000,1.5e1mm",
         "h 2000 15\n"},
        {"A //x,1,2\n", "A //x 1 2\n"},
        {longName + ",1,2\n" + std::string(254, 'N') + kana + ",1,2",
         std::string(255, 'N') + " 1 2\n" + std::string(254, 'N') + " 1 2\n"},
    };
    for (const auto& [bytes, papers] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(Listed(ParsePaperDefs(bytes)), papers);
    }
    // A file of that name that is no paper list is read only in part.
    std::string many;
    for (int i = 0; i < 1200; ++i)
        many += "p,1,2\r\n";
    EXPECT_EQ(ParsePaperDefs(many).size(), kMaxPapers);
    const std::string huge = std::string(kMaxPaperDefsBytes, '\n') + "late,1,2\n";
    EXPECT_TRUE(ParsePaperDefs(huge).empty());
}

TEST(PaperDefsTest, TheBundledFileHoldsEveryBundledSheetsPaper) {
    std::vector<PaperSize> papers;
    ASSERT_FALSE(ReadPaperDefs(BUNDLED_LAYOUTS_DIR "/PAPERS.DEF", papers));
    std::string names;
    for (const PaperSize& paper : papers)
        names += paper.name.str() + "|";
    EXPECT_EQ(names,
              Sjis("A4|A3|A5|A6|B4 (JIS)|B5 (JIS)|B6 (JIS)|はがき|往復はがき|長形3号|長形4号|"
                   "角形2号|洋形2号|洋形4号|Letter|Legal|")
                  .str());
    EXPECT_EQ(Listed({papers[4], papers[14]}), "B4 (JIS) 257 364\nLetter 215.9 279.4\n");
    for (const auto& file : std::filesystem::directory_iterator(BUNDLED_LAYOUTS_DIR)) {
        if (file.path().extension() != ".KVL")
            continue;
        SCOPED_TRACE(file.path().string());
        CPageLayout sheet;
        ASSERT_FALSE(sheet.Load(file.path().c_str()));
        bool listed = false;
        for (const PaperSize& paper : papers)
            listed = listed || (std::abs(paper.width - sheet.m_lenPageWidth.mm()) < 0.1f &&
                                std::abs(paper.height - sheet.m_lenPageHeight.mm()) < 0.1f);
        EXPECT_TRUE(listed);
    }
    EXPECT_TRUE(ReadPaperDefs((TempDir() / "PAPERS.DEF").c_str(), papers));
    EXPECT_TRUE(papers.empty());
}
