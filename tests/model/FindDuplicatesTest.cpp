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

} // namespace

TEST(FindDuplicates, OnlyByteForByteEqualNamesCount) {
    CAddrBook book;
    for (const char* name : {"山田太郎", "山田太郎 ", "ｙａｍａｄａ", "yamada", "Yamada", "ﾔﾏﾀﾞ",
                             "ヤマダ", "", "", "山田太郎", "山田太郎"})
        book.AddCard(NewCard(0, "", name));
    std::vector<CAddrCard*> result{nullptr}; // what the list held before goes
    book.FindDuplicates(result);
    EXPECT_EQ(result, (std::vector<CAddrCard*>{book.GetAt(0), book.GetAt(9), book.GetAt(10)}));
}

TEST(FindDuplicates, SameResultAsThePairwiseRuleOnRandomBooks) {
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        CAddrBook book;
        const int count = std::uniform_int_distribution<int>(0, 120)(rng);
        const int distinct = std::uniform_int_distribution<int>(1, 60)(rng);
        // Notations alternate: an English and a Japanese card of one name are duplicates.
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
