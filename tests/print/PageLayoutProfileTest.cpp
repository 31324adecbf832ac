// The current page layout in the settings, in hundredths of a millimetre (the
// keys the program writes are checked by the GUI printing test).

#include "PrintTestSupport.h"

#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

class PageLayoutProfile : public ::testing::Test {
protected:
    PageLayoutProfile() { AfxSetProfile(&store); }
    ~PageLayoutProfile() override { AfxSetProfile(nullptr); }

    CMemorySettingsStore store;
};

} // namespace

TEST_F(PageLayoutProfile, ValuesSurviveEveryRunExactly) {
    CPageLayout layout;
    layout.SetName(Sjis("宛名 12面"));
    layout.m_lenPageMarginLeft = Length::fromMm(-5.0f);
    layout.m_lenCellMarginBottom = Length::fromMm(3.25f);
    ASSERT_TRUE(layout.SaveToProfile());
    EXPECT_EQ(store.GetProfileInt("PageLayout", "PageMarginLeft", 0), -500);
    // However often the program starts and closes, 12.7 stays 12.7.
    for (int run = 0; run < 5; ++run) {
        CPageLayout read;
        read.LoadFromProfile();
        ASSERT_TRUE(read.SaveToProfile());
    }
    CPageLayout read;
    read.LoadFromProfile();
    EXPECT_EQ(read.GetName(), Sjis("宛名 12面"));
    EXPECT_EQ(read.m_lenPageMarginTop.mm(), 12.7f);
    EXPECT_EQ(read.m_lenPageMarginLeft.mm(), -5.0f);
    EXPECT_EQ(read.m_lenCellMarginBottom.mm(), 3.25f);
    EXPECT_EQ(store.GetProfileInt("PageLayout", "PageMarginTop", 0), 1270);
}

TEST_F(PageLayoutProfile, AnyValueOutOfRangeGivesTheWholeDefaults) {
    const std::pair<const char*, int> bad[] = {{"Columns", 0},
                                               {"Columns", 101},
                                               {"Rows", -1},
                                               {"Orientation", 2},
                                               {"PageWidth", 200001},
                                               {"PageMarginTop", -200001},
                                               {"CellMarginRight", 2147483647},
                                               {"PageHeight", -2147483647 - 1}};
    for (auto [key, value] : bad) {
        store.WriteProfileString("PageLayout", "LayoutName", "mine");
        store.WriteProfileInt("PageLayout", "Columns", 2);
        store.WriteProfileInt("PageLayout", "PageMarginLeft", 500);
        store.WriteProfileInt("PageLayout", key, value);
        CPageLayout layout;
        layout.LoadFromProfile();
        EXPECT_EQ(layout.GetName(), CString("")) << key;
        EXPECT_EQ(layout.m_nColumns, 1) << key;
        EXPECT_EQ(layout.m_lenPageMarginLeft.mm(), 12.7f) << key;
        store.RemoveKey("PageLayout", key);
    }
    // The edges are taken; a missing key gives its own default only.
    store.WriteProfileInt("PageLayout", "Columns", 100);
    store.WriteProfileInt("PageLayout", "CellMarginTop", -200000);
    CPageLayout layout;
    layout.m_nRows = 7;
    layout.LoadFromProfile();
    EXPECT_EQ(layout.m_nRows, 1);
    EXPECT_EQ(layout.m_nColumns, 100);
    EXPECT_EQ(layout.m_lenCellMarginTop.mm(), -2000.0f);
    EXPECT_EQ(layout.GetName(), CString("mine"));
}
