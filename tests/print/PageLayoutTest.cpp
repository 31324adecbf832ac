// Impossible grids and the pages a print run has. Where the cells lie is read
// from the labels' PDF (LabelPdfTest); lengths beyond the limits are refused in
// PageLayoutFileTest and PageLayoutProfileTest.

#include "PrintTestSupport.h"

#include "print/PagePlan.h"

#include <gtest/gtest.h>

TEST(PageLayout, GridsWithoutCellsOrRoomForText) {
    for (auto [columns, rows] : {std::pair{0, 3}, {3, 0}, {-2, -3}}) {
        CPageLayout layout;
        layout.m_nColumns = columns;
        layout.m_nRows = rows;
        EXPECT_EQ(layout.GetCellCount(), 0);
        EXPECT_FALSE(layout.IsValid());
        EXPECT_FALSE(layout.HasRoomForText());
        EXPECT_EQ(layout.GetCellTextRectF(5), RectMm{});
    }
    const CPageLayout a4 = Sheet(210, 297, 0, 20, 2, 6, 4, 3);
    CPageLayout cramped = a4, tall = a4, reaching = a4;
    cramped.m_lenCellMarginLeft = cramped.m_lenCellMarginRight = Length::fromMm(44.0f);
    tall.m_lenPageMarginTop = Length::fromMm(290.0f);
    reaching.m_lenCellMarginTop = Length::fromMm(-3.0f); // text may reach beyond the cell
    EXPECT_TRUE(a4.HasRoomForText());
    EXPECT_FALSE(cramped.HasRoomForText());
    EXPECT_FALSE(tall.HasRoomForText());
    EXPECT_TRUE(reaching.HasRoomForText());
}

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
    for (auto [cells, pages] : {std::pair{0, 0}, {-4, 0}, {10000, 1}})
        EXPECT_EQ(CPagePlan({&cards[0], &cards[1]}, cells).GetPageCount(), pages) << cells;
}
