#include "print/PagePlan.h"

#include <gtest/gtest.h>

TEST(PagePlan, PagesHoldTheCardsThatPrintInOrder) {
    const std::vector<CAddrCard> cards(10);
    const auto numbers = [&](std::span<const CAddrCard* const> page) {
        std::vector<int> out;
        for (const CAddrCard* card : page)
            out.push_back(static_cast<int>(card - cards.data()));
        return out;
    };
    // Four selected cards of ten, three cells a page: two pages, the second with one label.
    const CPagePlan plan({&cards[1], &cards[4], &cards[5], &cards[8]}, 3);
    ASSERT_EQ(plan.GetPageCount(), 2);
    EXPECT_EQ(numbers(plan.GetPageCards(0)), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(numbers(plan.GetPageCards(1)), (std::vector<int>{8}));
    EXPECT_TRUE(plan.GetPageCards(2).empty());
    EXPECT_TRUE(plan.GetPageCards(-1).empty());

    std::vector<const CAddrCard*> all;
    for (const CAddrCard& card : cards)
        all.push_back(&card);
    const std::pair<int, int> cellsAndPages[] = {{0, 0}, {-4, 0}, {1, 10}, {6, 2}, {10000, 1}};
    for (const auto& [cells, pages] : cellsAndPages)
        EXPECT_EQ(CPagePlan(all, cells).GetPageCount(), pages) << cells;
    EXPECT_EQ(CPagePlan({}, 6).GetPageCount(), 0);
}
