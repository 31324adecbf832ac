#include "model/CardRules.h"
#include "ModelTestUtil.h"
#include "model/AddrBook.h"
#include "model/ListFilters.h"

#include <memory>

TEST(CardRules, IndexButtonsOfACard) {
    // Faces of the index buttons (A to Z, あ to わ, 数) that list the card.
    auto faces = [](int notation, const char* reading, const char* name) {
        std::unique_ptr<CAddrCard> card(NewCard(notation, reading, name));
        std::string faces;
        for (int id = FILTER_LETTER_A; id <= FILTER_DIGITS; ++id)
            if (MatchesIndex(*card, IndexChars(id)))
                faces += FilterFace(id);
        return faces;
    };
    EXPECT_EQ(faces(1, "かとう", "smith"), "S");
    EXPECT_EQ(faces(0, "", "Abe"), "");        // a Japanese card is filed by its reading
    EXPECT_EQ(faces(-1, "あべ", "Abe"), "あ"); // and so is a card of no notation
    EXPECT_EQ(faces(0, " \tabe", "") + faces(0, "わたなべ", "") + faces(0, "7ban", ""), "Aわ数");
    for (const char* reading : {"をがた", "ゐ", "ゑ", "んば", "ゃ", "ぱんだ", "カトウ", "ｶﾄｳ",
                                "１２３", "Ａbe", "\xE3\x80\x80あ" /* full-width space */})
        EXPECT_EQ(faces(0, reading, ""), "") << reading;
    EXPECT_EQ(faces(1, "", "Ｓmith") + faces(1, "", "   "), "");

    // A double-byte first character never matches a single-byte set member
    // through its trail byte (表 is 95 5C).
    const std::unique_ptr<CAddrCard> card(NewCard(0, "表", ""));
    EXPECT_TRUE(!MatchesIndex(*card, "\\") && MatchesIndex(*card, Sjis("あ表")));
    EXPECT_FALSE(MatchesIndex(*card, nullptr));
}

TEST(CardRules, SearchFoldsAsciiLettersOnlyAndRespectsCharacters) {
    const struct {
        CString hay, needle;
        BOOL matchCase;
        bool found;
    } cases[] = {
        {"John Smith", "SMITH", FALSE, true},
        {"John Smith", "SMITH", TRUE, false},
        {"John Smith", "Smith", TRUE, true},
        {"abc", "", TRUE, true},
        // A trail byte is never taken for a single-byte character.
        {Sjis("表示"), "\\", FALSE, false},
        {Sjis("C:\\表\\"), "\\", FALSE, true},
        {Sjis("ア"), "A", FALSE, false}, // 83 41
        {Sjis("ヂ"), "a", TRUE, false},  // 83 61
        {Sjis("ヂ"), "A", FALSE, false},
        {Sjis("ヂ"), Sjis("ヂ"), FALSE, true},
        {Sjis("ｱヂa"), Sjis("ヂA"), FALSE, true},
        {Sjis("ＡＢＣ"), Sjis("ａｂｃ"), FALSE, false}, // full-width letters stay
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTextSearch(c.needle, c.matchCase).FoundIn(c.hay), c.found)
            << c.hay.GetString() << " " << c.needle.GetString() << c.matchCase;
}

TEST(CardRules, SearchLooksAtEveryTextButNotMethodNames) {
    const CTextSearch search(Sjis("探す"), FALSE);
    for (auto field : {&CAddrCard::m_strFurigana, &CAddrCard::m_strName, &CAddrCard::m_strTitle,
                       &CAddrCard::m_strCompany, &CAddrCard::m_strZip, &CAddrCard::m_strAddress,
                       &CAddrCard::m_strOther, &CAddrCard::m_strNotes}) {
        CAddrCard card;
        card.m_nNotation = NOTATION_ENGLISH; // reading and postal code count here too
        card.*field = Sjis("ここを探すこと");
        EXPECT_TRUE(MatchesSearch(card, search));
    }
    CAddrCard card;
    card.m_contacts.Add(1, Sjis("探す@example.jp")); // method 1 is 電話
    EXPECT_TRUE(MatchesSearch(card, search));
    EXPECT_FALSE(MatchesSearch(card, CTextSearch(Sjis("電話"), FALSE)));
}

// Character-code order; equal keys keep their order in both directions.
TEST(CardRules, SortOrderIsCharacterCodeOrder) {
    CAddrBook book;
    auto add = [&](int notation, const char* reading, const char* name, const char* company) {
        book.AddCard(NewCard(notation, reading, name, company));
        return book.GetAt(book.GetCount() - 1);
    };
    CAddrCard* kanji = add(0, "", "阿部", "b");
    CAddrCard* katakana = add(0, "アイ", "相", "B");
    CAddrCard* hiragana = add(0, "あい", "藍", "ｱ");
    CAddrCard* halfWidth = add(0, "ｱｲ", "愛", "あ");
    CAddrCard* lower = add(1, "ああ", "abe", "a");
    CAddrCard* upper = add(1, "", "Zed", "A");
    std::vector<CAddrCard*> cards{kanji, katakana, hiragana, halfWidth, lower, upper};
    // Key 2 is the company, key 3 the first contact's text (empty without one).
    kanji->m_contacts.Add(1, "b");
    kanji->m_contacts.Add(1, "a");
    hiragana->m_contacts.Add(1, Sjis("ｱ"));
    upper->m_contacts.Add(1, "B");
    const std::pair<int, std::vector<CAddrCard*>> byKey[] = {
        {1, {upper, lower, halfWidth, hiragana, katakana, kanji}},
        {-1, {kanji, katakana, hiragana, halfWidth, lower, upper}},
        {2, {upper, katakana, lower, kanji, hiragana, halfWidth}},
        {3, {katakana, lower, halfWidth, upper, kanji, hiragana}},
    };
    for (const auto& [key, expected] : byKey) {
        SortCards(cards, key);
        EXPECT_EQ(cards, expected) << key;
    }
    EXPECT_EQ(ColumnText(*kanji, COLUMN_CONTACT), CString("b"));
}
