#include "model/CardFilter.h"
#include "ModelTestUtil.h"
#include "model/CardRules.h"

#include <random>

// The main window's tests show the filters, the search and their precedence
// through the list; here the cases its sample book lacks.
TEST(CardFilter, MatchCaseDuplicatesAndAnEmptySearch) {
    CAddrBook book;
    book.AddCard(NewCard(0, "やまだ", "Yamada", "Kita"));
    book.AddCard(NewCard(1, "", "Adams", "kita"));
    book.AddCard(NewCard(0, "さんだ", "Yamada", "Minami"));
    CCardFilter filter;
    filter.SetFilter(FILTER_KANA_A + 7); // や
    filter.SetSearchText("KITA");
    EXPECT_EQ(filter.List(book), (std::vector<CAddrCard*>{book.GetAt(1), book.GetAt(0)}));
    filter.SetMatchCase(TRUE);
    EXPECT_TRUE(filter.List(book).empty());
    // The duplicates filter keeps the index characters and sorts by the key.
    filter.SetFilter(FILTER_DUPLICATES);
    EXPECT_EQ(filter.GetIndexChars(), Sjis("やゆよ"));
    EXPECT_EQ(filter.List(book), (std::vector<CAddrCard*>{book.GetAt(2), book.GetAt(0)}));
    filter.SetSortKey(-1);
    EXPECT_EQ(filter.List(book), (std::vector<CAddrCard*>{book.GetAt(0), book.GetAt(2)}));

    filter.SetSearchText("");
    filter.SetFilter(FILTER_SEARCH);
    EXPECT_TRUE(filter.GetIndexChars().IsEmpty());
    EXPECT_FALSE(filter.Passes(*book.GetAt(0)));
}

// Each keystroke narrows the previous matches; the result must not differ
// from searching the whole book.
TEST(CardFilter, TypingMoreGivesTheSameListAsAFreshSearch) {
    std::mt19937 rng(5);
    auto pick = [&rng](int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng); };
    const char* words[] = {"ab", "Ab", "abc", "b", "\x83\x61", "a\x83", "ca", "AB "};
    CAddrBook book;
    for (int i = 0; i < 400; ++i) {
        book.AddCard(NewCard(i % 3 - 1, "", ""));
        for (int w = 0; w < 3; ++w)
            book.GetAt(i)->m_strName += words[pick(8)];
    }
    CCardFilter typing;
    for (int round = 0; round < 60; ++round) {
        typing.SetMatchCase(round % 4 == 0);
        std::string text;
        for (int step = 0; step < 5; ++step) {
            text += "abcAB\x83\x61 "[pick(8)];
            typing.SetSearchText(text.c_str());
            CCardFilter fresh;
            fresh.SetMatchCase(round % 4 == 0);
            fresh.SetSearchText(text.c_str());
            ASSERT_EQ(typing.List(book), fresh.List(book)) << round << " " << text;
        }
        if (round % 10 == 9)
            book.RemoveCard(book.GetAt(round)); // the previous matches may not be reused
    }
    // An edited card is seen again once the filter forgets its previous matches.
    typing.SetSearchText("zz");
    typing.List(book);
    book.GetAt(0)->m_strName = "zzz";
    typing.Invalidate();
    typing.SetSearchText("zzz");
    EXPECT_EQ(typing.List(book), (std::vector<CAddrCard*>{book.GetAt(0)}));
}
