#include "model/CardFilter.h"
#include "ModelTestUtil.h"
#include "model/CardRules.h"
#include "model/CardSets.h"

#include <random>

namespace {

std::vector<std::string> Names(const std::vector<CAddrCard*>& cards) {
    std::vector<std::string> names;
    for (const CAddrCard* c : cards)
        names.push_back(c->m_strName.str());
    return names;
}

void Fill(CAddrBook& book) {
    book.AddCard(NewCard(0, "やまだ", "Yamada", "Kita"));
    book.AddCard(NewCard(1, "", "smith", "Acme"));
    book.AddCard(NewCard(0, "がっこう", "Gakko", "Acme"));
    book.AddCard(NewCard(0, "さんだ", "Yamada", "Minami"));
    book.AddCard(NewCard(-1, "", "None", ""));
    book.AddCard(NewCard(1, "", "Adams", "kita"));
}

} // namespace

TEST(CardFilter, FiltersAndTheRuleOfPrecedence) {
    CAddrBook book;
    Fill(book);
    CCardFilter filter;
    // Japanese cards sort by reading, the others by name.
    EXPECT_EQ(Names(filter.List(book)),
              (std::vector<std::string>{"Adams", "None", "smith", "Gakko", "Yamada", "Yamada"}));
    EXPECT_EQ(filter.List(book)[4], book.GetAt(3)); // さんだ before やまだ

    filter.SetFilter(FILTER_JAPANESE);
    EXPECT_EQ(Names(filter.List(book)), (std::vector<std::string>{"Gakko", "Yamada", "Yamada"}));
    filter.SetFilter(FILTER_ENGLISH);
    EXPECT_EQ(Names(filter.List(book)), (std::vector<std::string>{"Adams", "smith"}));
    filter.SetFilter(FILTER_KANA_A + 7); // や
    EXPECT_EQ(filter.GetIndexChars(), Sjis("やゆよ"));
    EXPECT_EQ(filter.List(book), (std::vector<CAddrCard*>{book.GetAt(0)}));

    // A search text overrides the index filter ...
    filter.SetSearchText("KITA");
    EXPECT_EQ(Names(filter.List(book)), (std::vector<std::string>{"Adams", "Yamada"}));
    filter.SetMatchCase(TRUE);
    EXPECT_TRUE(filter.List(book).empty());
    filter.SetMatchCase(FALSE);
    // ... and the duplicates filter overrides the search, keeping the index characters.
    filter.SetFilter(FILTER_DUPLICATES);
    EXPECT_EQ(filter.GetIndexChars(), Sjis("やゆよ"));
    EXPECT_EQ(filter.List(book), (std::vector<CAddrCard*>{book.GetAt(3), book.GetAt(0)}));
    EXPECT_TRUE(filter.Passes(*book.GetAt(1))); // rows added under it are not tested
    filter.SetSortKey(-1);
    EXPECT_EQ(filter.List(book), (std::vector<CAddrCard*>{book.GetAt(0), book.GetAt(3)}));

    filter.SetSearchText("");
    filter.SetFilter(FILTER_SEARCH);
    EXPECT_TRUE(filter.GetIndexChars().IsEmpty());
    EXPECT_FALSE(filter.Passes(*book.GetAt(0)));
    filter.SetFilter(FILTER_ALL);
    filter.SetSearchText("zzz");
    EXPECT_TRUE(filter.List(book).empty());
}

TEST(CardFilter, TypingMoreGivesTheSameListAsAFreshSearch) {
    std::mt19937 rng(5);
    const char* words[] = {"ab", "Ab", "abc", "b", "\x83\x61", "a\x83", "ca", "AB "};
    CAddrBook book;
    for (int i = 0; i < 400; ++i) {
        auto* card = new CAddrCard;
        card->m_nNotation = i % 3 - 1;
        for (CZkString* text : {&card->m_strName, &card->m_strCompany, &card->m_strNotes})
            for (int w = 0; w < 3; ++w)
                *text += words[std::uniform_int_distribution<size_t>(0, 7)(rng)];
        book.AddCard(card);
    }
    CCardFilter typing;
    for (int round = 0; round < 60; ++round) {
        typing.SetMatchCase(round % 4 == 0);
        std::string text;
        for (int step = 0; step < 5; ++step) {
            text += "abcAB\x83\x61 "[std::uniform_int_distribution<int>(0, 7)(rng)];
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
    CCardFilter filter;
    filter.SetSearchText("zz");
    filter.List(book);
    book.GetAt(0)->m_strName = "zzz";
    filter.Invalidate();
    filter.SetSearchText("zzz");
    EXPECT_EQ(filter.List(book), (std::vector<CAddrCard*>{book.GetAt(0)}));
}

TEST(CardSets, RangesHandedToExport) {
    CAddrBook book;
    Fill(book);
    CCardFilter filter;
    filter.SetFilter(FILTER_JAPANESE);
    const std::vector<CAddrCard*> rows = filter.List(book);
    const std::vector<bool> selected = {true, false, true};
    EXPECT_EQ(Names(CardsOfRange(CARDS_ALL, book, rows, selected)),
              (std::vector<std::string>{"Yamada", "smith", "Gakko", "Yamada", "None", "Adams"}));
    EXPECT_EQ(CardsOfRange(CARDS_LISTED, book, rows, selected), rows);
    EXPECT_EQ(CardsOfRange(CARDS_SELECTED, book, rows, selected),
              (std::vector<CAddrCard*>{rows[0], rows[2]}));
}
