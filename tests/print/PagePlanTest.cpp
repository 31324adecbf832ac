#include "print/PagePlan.h"

#include <gtest/gtest.h>

namespace {

std::vector<const CAddrCard*> Pointers(const std::vector<CAddrCard>& cards) {
    std::vector<const CAddrCard*> out;
    for (const CAddrCard& card : cards)
        out.push_back(&card);
    return out;
}

std::vector<int> Numbers(std::span<const CAddrCard* const> page,
                         const std::vector<CAddrCard>& cards) {
    std::vector<int> out;
    for (const CAddrCard* card : page)
        out.push_back(static_cast<int>(card - cards.data()) + 1);
    return out;
}

} // namespace

TEST(PagePlan, SevenCardsOnTwoByThree) {
    const std::vector<CAddrCard> cards(7);
    // 2 columns x 3 rows: cells 0 to 2 down the left column, 3 to 5 down the right.
    const CPagePlan plan(Pointers(cards), 6);
    ASSERT_EQ(plan.GetPageCount(), 2);
    EXPECT_EQ(Numbers(plan.GetPageCards(0), cards), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Numbers(plan.GetPageCards(1), cards), (std::vector<int>{7}));
    EXPECT_TRUE(plan.GetPageCards(2).empty());
    EXPECT_TRUE(plan.GetPageCards(-1).empty());
}

TEST(PagePlan, PagesCountTheCardsThatPrint) {
    const std::vector<CAddrCard> cards(10);
    // Four selected rows of ten, three cells a page: two pages, the second with one label.
    std::vector<const CAddrCard*> selected = {&cards[1], &cards[4], &cards[5], &cards[8]};
    const CPagePlan plan(selected, 3);
    ASSERT_EQ(plan.GetPageCount(), 2);
    EXPECT_EQ(Numbers(plan.GetPageCards(0), cards), (std::vector<int>{2, 5, 6}));
    EXPECT_EQ(Numbers(plan.GetPageCards(1), cards), (std::vector<int>{9}));

    EXPECT_EQ(CPagePlan({}, 6).GetPageCount(), 0);
    EXPECT_EQ(CPagePlan(Pointers(cards), 0).GetPageCount(), 0);
    EXPECT_EQ(CPagePlan(Pointers(cards), -4).GetPageCount(), 0);
    EXPECT_EQ(CPagePlan(Pointers(cards), 1).GetPageCount(), 10);
    EXPECT_EQ(CPagePlan(Pointers(cards), 10).GetPageCount(), 1);
    EXPECT_EQ(CPagePlan(Pointers(cards), 10000).GetPageCards(0).size(), 10u);
}
