#include "PrintTestSupport.h"

#include "platform/MemorySettingsStore.h"
#include "print/PageLayout.h"

#include <gtest/gtest.h>

namespace {

class PageLayoutProfile : public ::testing::Test {
protected:
    PageLayoutProfile() { AfxSetProfile(&store); }
    ~PageLayoutProfile() override { AfxSetProfile(nullptr); }

    int Int(const char* key) { return store.GetProfileInt("PageLayout", key, 12345); }

    CMemorySettingsStore store;
};

void ExpectDefaults(const CPageLayout& layout) {
    EXPECT_EQ(layout.GetName(), CString(""));
    EXPECT_EQ(layout.m_nOrientation, 0);
    EXPECT_EQ(layout.m_lenPageWidth.mm(), 215.9f);
    EXPECT_EQ(layout.m_lenPageMarginLeft.mm(), 12.7f);
    EXPECT_EQ(layout.m_nColumns, 1);
    EXPECT_EQ(layout.m_nRows, 1);
}

} // namespace

TEST_F(PageLayoutProfile, WritesHundredthsAndReadsThemBackExactly) {
    CPageLayout layout;
    layout.SetName(Sjis("宛名 12面"));
    layout.m_nOrientation = 1;
    layout.m_lenPageMarginLeft = Length::fromMm(-5.0f);
    layout.m_nColumns = 2;
    layout.m_nRows = 6;
    layout.m_lenCellMarginBottom = Length::fromMm(3.25f);
    ASSERT_TRUE(layout.SaveToProfile());

    EXPECT_EQ(store.GetProfileString("PageLayout", "LayoutName"), Sjis("宛名 12面"));
    const std::pair<const char*, int> saved[] = {{"Orientation", 1},
                                                 {"PageWidth", 21590},
                                                 {"PageHeight", 27940},
                                                 {"PageMarginTop", 1270},
                                                 {"PageMarginBottom", 1270},
                                                 {"PageMarginLeft", -500},
                                                 {"PageMarginRight", 1270},
                                                 {"Columns", 2},
                                                 {"Rows", 6},
                                                 {"CellMarginTop", 0},
                                                 {"CellMarginBottom", 325},
                                                 {"CellMarginLeft", 0},
                                                 {"CellMarginRight", 0}};
    for (const auto& [key, value] : saved)
        EXPECT_EQ(Int(key), value) << key;

    // However often the program starts and closes, 12.7 stays 12.7 and -5 stays -5.
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
    EXPECT_EQ(Int("PageMarginTop"), 1270);
}

TEST_F(PageLayoutProfile, AnyValueOutOfRangeGivesTheWholeDefaults) {
    const std::pair<const char*, int> bad[] = {
        {"Columns", 0},
        {"Columns", 101},
        {"Rows", -1},
        {"Orientation", 2},
        {"PageWidth", 200001},
        {"PageMarginTop", -200001},
        {"CellMarginRight", 2147483647},
        {"PageHeight", -2147483647 - 1},
    };
    for (auto [key, value] : bad) {
        store.WriteProfileString("PageLayout", "LayoutName", "mine");
        store.WriteProfileInt("PageLayout", "Columns", 2);
        store.WriteProfileInt("PageLayout", "Rows", 4);
        store.WriteProfileInt("PageLayout", "PageMarginLeft", 500);
        store.WriteProfileInt("PageLayout", key, value);
        CPageLayout layout;
        layout.LoadFromProfile();
        SCOPED_TRACE(key);
        ExpectDefaults(layout);
        store.RemoveKey("PageLayout", key);
    }
    // The edges are taken; a missing key gives its own default only.
    store.RemoveKey("PageLayout", "Rows");
    store.WriteProfileInt("PageLayout", "Columns", 100);
    store.WriteProfileInt("PageLayout", "PageWidth", 200000);
    store.WriteProfileInt("PageLayout", "CellMarginTop", -200000);
    CPageLayout layout;
    layout.m_nRows = 7;
    layout.LoadFromProfile();
    EXPECT_EQ(layout.m_nRows, 1);
    EXPECT_EQ(layout.m_lenPageMarginLeft.mm(), 5.0f);
    EXPECT_EQ(layout.m_nColumns, 100);
    EXPECT_EQ(layout.m_lenPageWidth.mm(), 2000.0f);
    EXPECT_EQ(layout.m_lenCellMarginTop.mm(), -2000.0f);
    EXPECT_EQ(layout.GetName(), CString("mine"));
}
