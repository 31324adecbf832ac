#include "platform/StringTable.h"
#include "res/AppStrings.h"

#include <gtest/gtest.h>

TEST(StringTable, LoadsEscapesAndRefusesBadData) {
    CStringTable t;
    std::string error;
    ASSERT_TRUE(t.Load("# comment\n\n10\tｺﾙｳﾞｧﾈ\n11\ta\\nb\\tc\\\\\n12\tend \n", &error)) << error;
    EXPECT_EQ(t.Get(10).str(), "\xBA\xD9\xB3\xDE\xA7\xC8");
    EXPECT_EQ(t.Get(11).str(), "a\nb\tc\\");
    EXPECT_EQ(t.GetUtf8(12), "end ");
    EXPECT_EQ(t.Get(99), CString(""));
    const std::pair<const char*, const char*> bad[] = {
        {"1 no tab\n", "line 1: no tab after the id"},
        {"1\ta\n1\tb\n", "line 2: id given twice"},
        {"1\t😀\n", "line 1: text that code page 932 cannot hold"},
        {"x\ta\n", "line 1: the id is not a number"},
        {"1\ta\\q\n", "line 1: bad escape"}};
    for (const auto& [data, why] : bad) {
        EXPECT_FALSE(CStringTable().Load(data, &error)) << data;
        EXPECT_EQ(error, why);
    }
}

TEST(StringTable, ProgramTableHoldsItsTexts) {
    EXPECT_EQ(LoadAppStringUtf8(151), "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
                                      "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n");
    EXPECT_EQ(LoadAppString(132).str(), "\x93\x64\x98\x62"); // 電話
}
