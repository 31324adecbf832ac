#include "ModelTestUtil.h"
#include "model/AddrBook.h"

#include <algorithm>
#include <random>

// The rule itself: every pair in book order with equal non-empty names, each
// card appended once when first found.
TEST(FindDuplicates, SameResultAsThePairwiseRuleOnRandomBooks) {
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        CAddrBook book;
        const int count = std::uniform_int_distribution<int>(0, 120)(rng);
        const int distinct = std::uniform_int_distribution<int>(1, 60)(rng);
        // Name 0 is the empty name; others share a prefix, and some differ only
        // in letter case, a trail byte or a trailing space. Notations alternate:
        // an English and a Japanese card of one name are duplicates.
        for (int i = 0; i < count; ++i) {
            const int n = std::uniform_int_distribution<int>(0, distinct)(rng);
            const char* const ends[] = {"", " ", "\x83\x5C", "a", "A"};
            const std::string name = n ? "\x8E\x52" + std::to_string(n / 5) + ends[n % 5] : "";
            book.AddCard(NewCard(i % 2, "", ""));
            book.GetAt(i)->m_strName = name.c_str();
        }
        std::vector<CAddrCard*> expected;
        const auto cards = book.Cards();
        for (size_t a = 0; a < cards.size(); ++a)
            for (size_t b = a + 1; b < cards.size(); ++b)
                if (!cards[a]->m_strName.IsEmpty() &&
                    MbsCompare(cards[a]->m_strName, cards[b]->m_strName) == 0)
                    for (CAddrCard* c : {cards[a].get(), cards[b].get()})
                        if (std::find(expected.begin(), expected.end(), c) == expected.end())
                            expected.push_back(c);
        std::vector<CAddrCard*> result{nullptr}; // what the list held before goes
        book.FindDuplicates(result);
        ASSERT_EQ(result, expected) << round;
    }
}
