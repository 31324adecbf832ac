#include "PrintTestSupport.h"

#include "print/LabelText.h"

#include <gtest/gtest.h>

TEST(LabelText, LinesOfJapaneseAndEnglishCards) {
    CAddrCard unsaved = JapaneseCard("佐藤", "", "大阪市");
    unsaved.m_nNotation = NOTATION_NONE;
    const std::pair<CAddrCard, const char*> cases[] = {
        {JapaneseCard("山田 太郎", "100-0001", "  東京都\r\n千代田区 1-1 \r\n", "株式会社 山田商事",
                      "営業部長"),
         "〒 100-0001\n東京都\r\n千代田区 1-1\n株式会社 山田商事\n営業部長\n山田 太郎 様"},
        // Without a name the suffix follows the last line that is not empty.
        {JapaneseCard("", "", "京都市", "ｺﾙｳﾞｧﾈ商会"), "京都市\nｺﾙｳﾞｧﾈ商会 様"},
        // Without an address its line stays, empty.
        {JapaneseCard("鈴木", "060-0000", ""), "〒 060-0000\n\n鈴木 様"},
        {JapaneseCard("", "", ""), " 様"},
        {unsaved, "大阪市\n佐藤 様"},
        // Blanks at the end of the whole text go, wherever they are.
        {JapaneseCard("  ", "", "京都市", "会社"), "京都市\n会社 様"},
        {JapaneseCard("山田\t ", "", "ソ表"), "ソ表\n山田 様"},
        {JapaneseCard("", "", "  \r\n"), " 様"},
        {EnglishCard("John Smith", "1 Main St.\r\nSpringfield", "Acme Inc."),
         "John Smith\nAcme Inc.\n1 Main St.\r\nSpringfield"},
        {EnglishCard("Jane Doe", "  \t2 Elm St. \r\n", "Doe & Co.", "Director"),
         "Jane Doe\nDirector\nDoe & Co.\n2 Elm St."},
        {EnglishCard("", "Tokyo"), "Tokyo"},
        {EnglishCard("Only Name", ""), "Only Name\n"},
    };
    for (const auto& [card, expected] : cases)
        EXPECT_EQ(ComposeLabelText(card), Sjis(expected)) << expected;
}
