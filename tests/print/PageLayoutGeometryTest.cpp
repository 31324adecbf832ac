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

TEST(PageLayoutGeometry, DefaultsAndTheExampleCell) {
    const CPageLayout layout = Grid(2, 5);
    EXPECT_EQ(layout.GetUsableWidth().mm(), 190.5f);
    EXPECT_EQ(layout.GetCellWidth().mm(), 95.25f);
    EXPECT_NEAR(layout.GetCellHeight().mm(), 50.8, 1e-5);
    EXPECT_EQ(layout.GetCellCount(), 10);
    EXPECT_EQ(layout.GetCellRect(6), CRect(107, 63, 203, 114));
    // Truncated toward zero, cell by cell down the columns.
    const CRect expected[] = {
        {12, 12, 107, 63},    {12, 63, 107, 114},   {12, 114, 107, 165}, {12, 165, 107, 215},
        {12, 215, 107, 266},  {107, 12, 203, 63},   {107, 63, 203, 114}, {107, 114, 203, 165},
        {107, 165, 203, 215}, {107, 215, 203, 266},
    };
    for (int cell = 0; cell < 10; ++cell) {
        EXPECT_EQ(layout.GetCellRect(cell), expected[cell]) << cell;
        EXPECT_EQ(layout.GetCellTextRect(cell), expected[cell]) << cell;
    }
}

TEST(PageLayoutGeometry, CellsRunDownTheColumns) {
    const CPageLayout layout = Grid(2, 3);
    // Cell 3 is the top of the second column, not the start of a second row.
    EXPECT_EQ(layout.GetCellRect(3).top, layout.GetCellRect(0).top);
    EXPECT_GT(layout.GetCellRect(3).left, layout.GetCellRect(2).left);
    EXPECT_EQ(layout.GetCellRect(1).left, layout.GetCellRect(0).left);
    EXPECT_GT(layout.GetCellRect(1).top, layout.GetCellRect(0).top);

    // One cell spans the page inside the page margins.
    const CPageLayout one = Grid(1, 1);
    const RectMm r = one.GetCellRectF(0);
    EXPECT_NEAR(r.left, 12.7, 1e-5);
    EXPECT_NEAR(r.top, 12.7, 1e-5);
    EXPECT_NEAR(r.right, 215.9 - 12.7, 1e-4);
    EXPECT_NEAR(r.bottom, 279.4 - 12.7, 1e-4);
}

TEST(PageLayoutGeometry, TextRectanglesWholeAndFractional) {
    const CPageLayout layout = A4Twelve();
    struct Row {
        int cell;
        CRect outer, text;
        RectMm exact;
    };
    const Row rows[] = {
        {0, {18, 21, 104, 63}, {22, 24, 100, 60}, {22.6, 24.6, 101.0, 60.9}},
        {1, {18, 63, 104, 106}, {22, 66, 100, 103}, {22.6, 66.9, 101.0, 103.2}},
        {5, {18, 233, 104, 275}, {22, 236, 100, 272}, {22.6, 236.1, 101.0, 272.4}},
        {6, {104, 21, 191, 63}, {108, 24, 187, 60}, {109.0, 24.6, 187.4, 60.9}},
        {11, {104, 233, 191, 275}, {108, 236, 187, 272}, {109.0, 236.1, 187.4, 272.4}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(layout.GetCellRect(row.cell), row.outer) << row.cell;
        EXPECT_EQ(layout.GetCellTextRect(row.cell), row.text) << row.cell;
        const RectMm f = layout.GetCellTextRectF(row.cell);
        // Whole millimetres lose up to one; the fractional rectangle keeps it.
        EXPECT_NEAR(f.left, row.exact.left, 2e-5) << row.cell;
        EXPECT_NEAR(f.top, row.exact.top, 2e-5) << row.cell;
        EXPECT_NEAR(f.right, row.exact.right, 2e-5) << row.cell;
        EXPECT_NEAR(f.bottom, row.exact.bottom, 2e-5) << row.cell;
    }
}

TEST(PageLayoutGeometry, LandscapeSwapsOnlyTheRolesOfWidthAndHeight) {
    CPageLayout layout = Grid(2, 5);
    layout.m_nOrientation = 1;
    layout.m_lenPageWidth = Length::fromMm(210.0f);
    layout.m_lenPageHeight = Length::fromMm(297.0f);
    EXPECT_EQ(layout.GetPrintWidth().mm(), 297.0f);
    EXPECT_EQ(layout.GetPrintHeight().mm(), 210.0f);
    EXPECT_EQ(layout.m_lenPageWidth.mm(), 210.0f);

    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(10.0f);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(10.0f);
    layout.m_lenCellMarginTop = layout.m_lenCellMarginBottom = Length::fromMm(2.5f);
    layout.m_lenCellMarginLeft = layout.m_lenCellMarginRight = Length::fromMm(5.0f);
    EXPECT_EQ(layout.GetCellRect(9), CRect(148, 162, 287, 200));
    EXPECT_EQ(layout.GetCellTextRect(9), CRect(153, 164, 282, 197));
    EXPECT_EQ(layout.GetCellTextRectF(9), (RectMm{153.5, 164.5, 282.0, 197.5}));

    layout.SetPrintWidth(Length::fromMm(300.0f));
    EXPECT_EQ(layout.m_lenPageHeight.mm(), 300.0f);
    layout.SetPrintHeight(Length::fromMm(200.0f));
    EXPECT_EQ(layout.m_lenPageWidth.mm(), 200.0f);
    layout.m_nOrientation = 0;
    layout.SetPrintWidth(Length::fromMm(100.0f));
    EXPECT_EQ(layout.m_lenPageWidth.mm(), 100.0f);
}

TEST(PageLayoutGeometry, NoColumnsOrRowsDivideNothing) {
    for (auto [columns, rows] : {std::pair{0, 3}, {3, 0}, {-2, -3}, {0, 0}}) {
        const CPageLayout layout = Grid(columns, rows);
        EXPECT_EQ(layout.GetCellCount(), 0);
        EXPECT_FALSE(layout.IsValid());
        EXPECT_FALSE(layout.HasRoomForText());
        EXPECT_EQ(layout.GetCellRect(0), CRect());
        EXPECT_EQ(layout.GetCellTextRectF(5), RectMm{});
    }
    EXPECT_EQ(Grid(0, 3).GetCellWidth().mm(), 0.0f);
    EXPECT_EQ(Grid(3, 0).GetCellHeight().mm(), 0.0f);
}

TEST(PageLayoutGeometry, RoomForText) {
    CPageLayout layout = A4Twelve();
    EXPECT_TRUE(layout.HasRoomForText());
    layout.m_lenCellMarginLeft = layout.m_lenCellMarginRight = Length::fromMm(44.0f);
    EXPECT_FALSE(layout.HasRoomForText());
    layout = A4Twelve();
    layout.m_lenPageMarginTop = Length::fromMm(290.0f);
    EXPECT_FALSE(layout.HasRoomForText());
    layout = A4Twelve();
    layout.m_lenCellMarginTop = Length::fromMm(-3.0f); // text may reach beyond the cell
    EXPECT_TRUE(layout.HasRoomForText());
}
