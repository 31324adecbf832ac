#include "print/PageLayout.h"

#include <gtest/gtest.h>

namespace {

CPageLayout Grid(int columns, int rows) {
    CPageLayout layout;
    layout.m_nColumns = columns;
    layout.m_nRows = rows;
    return layout;
}

// A4 upright, 2 x 6 cells of 86.4 x 42.3 mm, text 4 mm in from the sides and
// 3 mm from top and bottom.
CPageLayout A4Twelve() {
    CPageLayout layout = Grid(2, 6);
    layout.m_lenPageWidth = Length::fromMm(210.0f);
    layout.m_lenPageHeight = Length::fromMm(297.0f);
    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(21.6f);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(18.6f);
    layout.m_lenCellMarginTop = layout.m_lenCellMarginBottom = Length::fromMm(3.0f);
    layout.m_lenCellMarginLeft = layout.m_lenCellMarginRight = Length::fromMm(4.0f);
    return layout;
}

} // namespace

// Cells run down the columns: cell 6 tops the second column.
TEST(PageLayoutGeometry, TextRectanglesOfTheCells) {
    const CPageLayout layout = A4Twelve();
    const std::pair<int, RectMm> cells[] = {
        {0, {22.6, 24.6, 101.0, 60.9}},     {1, {22.6, 66.9, 101.0, 103.2}},
        {5, {22.6, 236.1, 101.0, 272.4}},   {6, {109.0, 24.6, 187.4, 60.9}},
        {11, {109.0, 236.1, 187.4, 272.4}},
    };
    for (const auto& [cell, exact] : cells) {
        const RectMm f = layout.GetCellTextRectF(cell);
        EXPECT_NEAR(f.left, exact.left, 2e-5) << cell;
        EXPECT_NEAR(f.top, exact.top, 2e-5) << cell;
        EXPECT_NEAR(f.right, exact.right, 2e-5) << cell;
        EXPECT_NEAR(f.bottom, exact.bottom, 2e-5) << cell;
    }
}

TEST(PageLayoutGeometry, LandscapeSwapsOnlyTheRolesOfWidthAndHeight) {
    CPageLayout layout = Grid(2, 5);
    layout.m_nOrientation = 1;
    layout.m_lenPageWidth = Length::fromMm(210.0f);
    layout.m_lenPageHeight = Length::fromMm(297.0f);
    EXPECT_EQ(layout.GetPrintWidth().mm(), 297.0f);
    EXPECT_EQ(layout.GetPrintHeight().mm(), 210.0f);

    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(10.0f);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(10.0f);
    layout.m_lenCellMarginTop = layout.m_lenCellMarginBottom = Length::fromMm(2.5f);
    layout.m_lenCellMarginLeft = layout.m_lenCellMarginRight = Length::fromMm(5.0f);
    EXPECT_EQ(layout.GetCellTextRectF(9), (RectMm{153.5, 164.5, 282.0, 197.5}));
}

TEST(PageLayoutGeometry, NoColumnsOrRowsDivideNothing) {
    for (auto [columns, rows] : {std::pair{0, 3}, {3, 0}, {-2, -3}, {0, 0}}) {
        const CPageLayout layout = Grid(columns, rows);
        EXPECT_EQ(layout.GetCellCount(), 0);
        EXPECT_FALSE(layout.IsValid());
        EXPECT_FALSE(layout.HasRoomForText());
        EXPECT_EQ(layout.GetCellTextRectF(5), RectMm{});
    }
}

TEST(PageLayoutGeometry, RoomForText) {
    CPageLayout cramped = A4Twelve(), tall = A4Twelve(), reaching = A4Twelve();
    cramped.m_lenCellMarginLeft = cramped.m_lenCellMarginRight = Length::fromMm(44.0f);
    tall.m_lenPageMarginTop = Length::fromMm(290.0f);
    reaching.m_lenCellMarginTop = Length::fromMm(-3.0f); // text may reach beyond the cell
    EXPECT_TRUE(A4Twelve().HasRoomForText());
    EXPECT_FALSE(cramped.HasRoomForText());
    EXPECT_FALSE(tall.HasRoomForText());
    EXPECT_TRUE(reaching.HasRoomForText());
}
