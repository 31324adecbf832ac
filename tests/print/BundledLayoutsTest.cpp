#include "PrintTestSupport.h"

#include "platform/RecordingUserInteraction.h"
#include "print/PageLayout.h"

#include <gtest/gtest.h>

namespace {

std::string BundledFolder() {
    return BUNDLED_LAYOUTS_DIR;
}

struct Sheet {
    const char* file;
    const char* name;
    float width, height;
    float top, bottom, left, right;
    int columns, rows;
    float cellTop, cellBottom, cellLeft, cellRight;
};

const Sheet kSheets[] = {
    {"A4_10.KVL", "A4 10面", 210, 297, 21.5f, 21.5f, 18.6f, 18.6f, 2, 5, 5, 4, 6, 5},
    {"A4_12.KVL", "A4 12面", 210, 297, 21.6f, 21.6f, 18.6f, 18.6f, 2, 6, 4, 3, 5, 4},
    {"A4_18.KVL", "A4 18面", 210, 297, 9, 9, 18.6f, 18.6f, 2, 9, 2, 2, 5, 4},
    {"A4_21.KVL", "A4 21面", 210, 297, 0.45f, 0.45f, 0, 0, 3, 7, 4, 3, 5, 4},
    {"A4_24.KVL", "A4 24面", 210, 297, 12.9f, 12.9f, 0, 0, 3, 8, 3, 2, 5, 4},
    {"LETTER_10.KVL", "Letter 10面", 215.9f, 279.4f, 12.7f, 12.7f, 4, 4, 2, 5, 4, 4, 6, 6},
    {"LETTER_30.KVL", "Letter 30面", 215.9f, 279.4f, 12.7f, 12.7f, 4.8f, 4.8f, 3, 10, 1.5f, 1.5f, 3,
     3},
};

} // namespace

TEST(BundledLayouts, HoldTheSheetsTheyAreNamedFor) {
    RecordingUserInteraction ui;
    TempLayoutRoot root;
    for (const Sheet& s : kSheets) {
        SCOPED_TRACE(s.file);
        const std::string path = BundledFolder() + "/" + s.file;
        CPageLayout layout;
        ASSERT_FALSE(layout.Load(path.c_str()));
        EXPECT_EQ(layout.GetName(), Sjis(s.name));
        EXPECT_EQ(layout.m_nOrientation, 0);
        EXPECT_EQ(layout.m_lenPageWidth.mm(), s.width);
        EXPECT_EQ(layout.m_lenPageHeight.mm(), s.height);
        EXPECT_EQ(layout.m_lenPageMarginTop.mm(), s.top);
        EXPECT_EQ(layout.m_lenPageMarginBottom.mm(), s.bottom);
        EXPECT_EQ(layout.m_lenPageMarginLeft.mm(), s.left);
        EXPECT_EQ(layout.m_lenPageMarginRight.mm(), s.right);
        EXPECT_EQ(layout.m_nColumns, s.columns);
        EXPECT_EQ(layout.m_nRows, s.rows);
        EXPECT_EQ(layout.m_lenCellMarginTop.mm(), s.cellTop);
        EXPECT_EQ(layout.m_lenCellMarginBottom.mm(), s.cellBottom);
        EXPECT_EQ(layout.m_lenCellMarginLeft.mm(), s.cellLeft);
        EXPECT_EQ(layout.m_lenCellMarginRight.mm(), s.cellRight);
        EXPECT_TRUE(layout.HasRoomForText());
        // Every cell on the paper.
        const RectMm last = layout.GetCellRectF(layout.GetCellCount() - 1);
        EXPECT_LE(last.right, s.width + 0.01);
        EXPECT_LE(last.bottom, s.height + 0.01);
        // The files are exactly what the program writes.
        const std::string copy = root / "copy.KVL";
        ASSERT_FALSE(layout.Save(copy.c_str()));
        EXPECT_EQ(ReadBytes(copy), ReadBytes(path));
    }
    EXPECT_EQ(ui.Problems(), "");
}
