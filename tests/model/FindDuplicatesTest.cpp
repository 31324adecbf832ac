#include "ModelTestUtil.h"
#include "model/AddrBook.h"

#include <algorithm>
#include <random>

namespace {

// The rule itself: every pair in book order, each card appended once when
// first found.
std::vector<CAddrCard*> PairwiseDuplicates(const CAddrBook& book) {
    std::vector<CAddrCard*> result;
    const auto cards = book.Cards();
    auto append = [&result](CAddrCard* c) {
        if (std::find(result.begin(), result.end(), c) == result.end())
            result.push_back(c);
    };
    for (size_t a = 0; a < cards.size(); ++a)
        for (size_t b = a + 1; b < cards.size(); ++b) {
            const CString& na = cards[a]->m_strName;
            const CString& nb = cards[b]->m_strName;
            if (!na.IsEmpty() && !nb.IsEmpty() && MbsCompare(na, nb) == 0) {
                append(cards[a].get());
                append(cards[b].get());
            }
        }
    return result;
}

std::vector<std::string> Names(const std::vector<CAddrCard*>& cards) {
    std::vector<std::string> names;
    for (const CAddrCard* c : cards)
        names.push_back(c->m_strName.str() + "#" + c->m_strCompany.str());
    return names;
}

} // namespace

TEST(FindDuplicates, GroupsInOrderOfTheirFirstCard) {
    CAddrBook book;
    const char* cards[][2] = {{"B", "1"}, {"A", "2"}, {"C", "3"}, {"A", "4"}, {"", "5"},
                              {"B", "6"}, {"", "7"},  {"A", "8"}, {"D", "9"}};
    for (const auto& c : cards)
        book.AddCard(NewCard(1, "", c[0], c[1]));
    // An English and a Japanese card of the same name are duplicates.
    book.GetAt(5)->m_nNotation = NOTATION_JAPANESE;
    std::vector<CAddrCard*> result{book.GetAt(8)};
    book.FindDuplicates(result);
    EXPECT_EQ(Names(result), (std::vector<std::string>{"B#1", "B#6", "A#2", "A#4", "A#8"}));
}

TEST(FindDuplicates, OnlyByteForByteEqualNamesCount) {
    CAddrBook book;
    for (const char* name : {"山田太郎", "山田太郎 ", "ｙａｍａｄａ", "yamada", "Yamada", "ﾔﾏﾀﾞ",
                             "ヤマダ", "", "", "山田太郎", "山田太郎"})
        book.AddCard(NewCard(0, "", name));
    std::vector<CAddrCard*> result;
    book.FindDuplicates(result);
    EXPECT_EQ(result, (std::vector<CAddrCard*>{book.GetAt(0), book.GetAt(9), book.GetAt(10)}));

    CAddrBook unique;
    unique.AddCard(NewCard(0, "", "a"));
    unique.AddCard(NewCard(0, "", "b"));
    unique.FindDuplicates(result);
    EXPECT_TRUE(result.empty());
    CAddrBook empty;
    empty.FindDuplicates(result);
    EXPECT_TRUE(result.empty());
}

TEST(FindDuplicates, SameResultAsThePairwiseRuleOnRandomBooks) {
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        CAddrBook book;
        const int count = std::uniform_int_distribution<int>(0, 120)(rng);
        const int distinct = std::uniform_int_distribution<int>(1, 60)(rng);
        for (int i = 0; i < count; ++i) {
            const int n = std::uniform_int_distribution<int>(0, distinct)(rng);
            // Name 0 is the empty name; others share a prefix, and some differ
            // only in a trail byte or by a trailing space.
            std::string name;
            if (n > 0)
                name = "\x8E\x52" + std::to_string(n / 3) + (n % 3 == 1 ? " " : "") +
                       (n % 3 == 2 ? "\x83\x5C" : "");
            book.AddCard(NewCard(i % 2, "", "", ""));
            book.GetAt(i)->m_strName = name.c_str();
        }
        std::vector<CAddrCard*> result;
        book.FindDuplicates(result);
        ASSERT_EQ(result, PairwiseDuplicates(book)) << round;
    }
}
