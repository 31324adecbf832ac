#include "model/CardRules.h"
#include "ModelTestUtil.h"
#include "model/ListFilters.h"
#include "zklib/ZkString.h"

#include <memory>
#include <random>

namespace {

// Faces of the index buttons (A to Z, あ to わ, 数) that list the card.
std::string IndexButtons(const CAddrCard& card) {
    std::string faces;
    for (int id = FILTER_LETTER_A; id <= FILTER_DIGITS; ++id)
        if (MatchesIndex(card, IndexChars(id)))
            faces += FilterFace(id);
    return faces;
}

std::string IndexButtons(int notation, const char* reading, const char* name) {
    std::unique_ptr<CAddrCard> card(NewCard(notation, reading, name));
    return IndexButtons(*card);
}

bool Found(const char* hay, const char* needle, BOOL matchCase) {
    return CTextSearch(needle, matchCase).FoundIn(CString(hay));
}

// Random Shift_JIS-like text from bytes that tempt a byte-wise search:
// letters, lead bytes, trail bytes that look like ASCII, half-width katakana.
std::string RandomText(std::mt19937& rng, int maxLength) {
    static const char pieces[][3] = {
        "a",        "A",    "z",    "Z", "\\", "\x83\x61", "\x83\x41", "\x95\x5C",
        "\x82\xA0", "\xB1", "\xDF", " ", "1",  "\x83",     "\xE0\x40", "\xFC\xFC"};
    std::string text;
    const int length = std::uniform_int_distribution<int>(0, maxLength)(rng);
    for (int i = 0; i < length; ++i)
        text += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(rng)];
    return text;
}

} // namespace

TEST(CardRules, IndexButtonsOfACard) {
    EXPECT_EQ(IndexButtons(0, "がっこう", "学校"), "");
    EXPECT_EQ(IndexButtons(0, "かっぱ", "河童"), "か");
    EXPECT_EQ(IndexButtons(1, "", "smith"), "S");
    EXPECT_EQ(IndexButtons(1, "かとう", "Smith"), "S");
    EXPECT_EQ(IndexButtons(0, "", "Abe"), "");        // a Japanese card is filed by its reading
    EXPECT_EQ(IndexButtons(-1, "あべ", "Abe"), "あ"); // and so is a card of no notation
    EXPECT_EQ(IndexButtons(0, "  \tabe", "Abe"), "A");
    EXPECT_EQ(IndexButtons(0, "わたなべ", ""), "わ");
    for (const char* reading : {"をがた", "ゐ", "ゑ", "んば", "ゃ", "ぱんだ", "ざおう", "カトウ",
                                "ｶﾄｳ", "１２３", "Ａbe", "\xE3\x80\x80あ" /* full-width space */})
        EXPECT_EQ(IndexButtons(0, reading, ""), "") << reading;
    EXPECT_EQ(IndexButtons(0, "7ban", ""), "数");
    EXPECT_EQ(IndexButtons(1, "", "Ｓmith"), "");
    EXPECT_EQ(IndexButtons(1, "", "   "), "");

    // A double-byte first character never matches a single-byte set member
    // through its trail byte (表 is 95 5C).
    std::unique_ptr<CAddrCard> card(NewCard(0, "表", ""));
    EXPECT_FALSE(MatchesIndex(*card, "\\"));
    EXPECT_TRUE(MatchesIndex(*card, Sjis("あ表")));
    EXPECT_FALSE(MatchesIndex(*card, nullptr));
}

TEST(CardRules, SearchFoldsAsciiLettersOnlyAndRespectsCharacters) {
    EXPECT_TRUE(Found("John Smith", "SMITH", FALSE));
    EXPECT_FALSE(Found("John Smith", "SMITH", TRUE));
    EXPECT_TRUE(Found("John Smith", "Smith", TRUE));
    EXPECT_TRUE(Found("abc", "", TRUE));
    EXPECT_FALSE(Found("", "a", FALSE));
    // A trail byte is never taken for a single-byte character.
    EXPECT_FALSE(Found(Sjis("表示"), "\\", FALSE));
    EXPECT_TRUE(Found(Sjis("C:\\表\\"), "\\", FALSE));
    EXPECT_FALSE(Found(Sjis("ア"), "A", FALSE)); // 83 41
    EXPECT_FALSE(Found(Sjis("ヂ"), "a", TRUE));  // 83 61
    EXPECT_FALSE(Found(Sjis("ヂ"), "A", FALSE));
    EXPECT_TRUE(Found(Sjis("ヂ"), Sjis("ヂ"), FALSE));
    EXPECT_TRUE(Found(Sjis("ｱヂa"), Sjis("ヂA"), FALSE));
    EXPECT_FALSE(Found(Sjis("ＡＢＣ"), Sjis("ａｂｃ"), FALSE)); // full-width letters stay

    // The same answers as the platform's Find and the library's FindNoCase.
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        const CZkString hay(RandomText(rng, 12).c_str());
        const std::string needle = RandomText(rng, 3);
        EXPECT_EQ(CTextSearch(needle.c_str(), FALSE).FoundIn(hay),
                  hay.FindNoCase(needle.c_str()) >= 0)
            << i;
        EXPECT_EQ(CTextSearch(needle.c_str(), TRUE).FoundIn(hay), hay.Find(needle.c_str()) >= 0)
            << i;
    }
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
    card.m_contacts.Add(1, "03-1111");
    card.m_contacts.Add(5, Sjis("探す@example.jp"));
    EXPECT_TRUE(MatchesSearch(card, search));
    EXPECT_FALSE(MatchesSearch(card, CTextSearch(Sjis("電話"), FALSE)));
}

TEST(CardRules, SortOrderIsCharacterCodeOrder) {
    std::vector<std::unique_ptr<CAddrCard>> owned;
    auto add = [&](int notation, const char* reading, const char* name, const char* company) {
        owned.emplace_back(NewCard(notation, reading, name, company));
        return owned.back().get();
    };
    CAddrCard* kanji = add(0, "", "阿部", "b");
    CAddrCard* katakana = add(0, "アイ", "相", "B");
    CAddrCard* hiragana = add(0, "あい", "藍", "ｱ");
    CAddrCard* halfWidth = add(0, "ｱｲ", "愛", "あ");
    CAddrCard* lower = add(1, "ああ", "abe", "a");
    CAddrCard* upper = add(1, "", "Zed", "A");

    std::vector<CAddrCard*> cards;
    for (const auto& c : owned)
        cards.push_back(c.get());
    SortCards(cards, 1);
    EXPECT_EQ(cards, (std::vector<CAddrCard*>{upper, lower, halfWidth, hiragana, katakana, kanji}));
    SortCards(cards, -1);
    EXPECT_EQ(cards, (std::vector<CAddrCard*>{kanji, katakana, hiragana, halfWidth, lower, upper}));
    // Key 2 is the company, key 3 the first contact's text (empty without one).
    kanji->m_contacts.Add(1, "b");
    hiragana->m_contacts.Add(1, Sjis("ｱ"));
    upper->m_contacts.Add(1, "B");
    const std::pair<int, std::vector<CAddrCard*>> byKey[] = {
        {2, {upper, katakana, lower, kanji, hiragana, halfWidth}},
        {3, {katakana, lower, halfWidth, upper, kanji, hiragana}},
    };
    for (const auto& [key, expected] : byKey) {
        SortCards(cards, key);
        EXPECT_EQ(cards, expected) << key;
    }
    EXPECT_GT(CompareCards(*upper, *katakana, 3), 0);
    EXPECT_LT(CompareCards(*upper, *halfWidth, 1), 0);
    EXPECT_GT(CompareCards(*upper, *halfWidth, -1), 0);
    EXPECT_EQ(CompareCards(*kanji, *kanji, 2), 0);
}

// Equal keys keep their order in both directions, as a stable sort by the
// platform's comparison keeps them.
TEST(CardRules, SortAgreesWithThePlatformComparisonOnRandomTexts) {
    std::mt19937 rng(11);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::unique_ptr<CAddrCard>> owned;
        std::vector<CAddrCard*> cards;
        for (int i = 0; i < 200; ++i) {
            owned.push_back(std::make_unique<CAddrCard>());
            owned.back()->m_nNotation = NOTATION_ENGLISH;
            owned.back()->m_strName = RandomText(rng, 10 + round % 3).c_str();
            cards.push_back(owned.back().get());
        }
        for (int key : {1, -1}) {
            std::vector<CAddrCard*> expected = cards;
            std::stable_sort(expected.begin(), expected.end(), [key](CAddrCard* a, CAddrCard* b) {
                const int r = MbsCompare(a->m_strName, b->m_strName);
                return key < 0 ? r > 0 : r < 0;
            });
            std::vector<CAddrCard*> sorted = cards;
            SortCards(sorted, key);
            ASSERT_EQ(sorted, expected) << round;
        }
    }
}

TEST(CardRules, ColumnTexts) {
    std::unique_ptr<CAddrCard> card(NewCard(0, "やまだ", "山田", "㈱山田"));
    EXPECT_EQ(ColumnText(*card, COLUMN_NAME), Sjis("山田"));
    EXPECT_EQ(ColumnText(*card, COLUMN_COMPANY), Sjis("㈱山田"));
    EXPECT_EQ(ColumnText(*card, COLUMN_CONTACT), CString(""));
    card->m_contacts.Add(0, "first");
    card->m_contacts.Add(1, "second");
    EXPECT_EQ(ColumnText(*card, COLUMN_CONTACT), CString("first"));
    EXPECT_EQ(SortKeyOfColumn(COLUMN_CONTACT), 3);
}
