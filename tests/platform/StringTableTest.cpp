#include "platform/StringTable.h"

#include <gtest/gtest.h>

TEST(StringTable, LoadsEscapesAndRefusesBadData) {
    CStringTable t;
    std::string error;
    ASSERT_TRUE(t.Load("# comment\n\n10\tｺﾙｳﾞｧﾈ\n11\ta\\nb\\tc\\\\\n12\tend \n", &error)) << error;
    EXPECT_EQ(t.Get(10).str(), "\xBA\xD9\xB3\xDE\xA7\xC8");
    EXPECT_EQ(t.Get(11).str(), "a\nb\tc\\");
    EXPECT_EQ(t.GetUtf8(12), "end ");
    const std::pair<const char*, const char*> bad[] = {
        {"1 no tab\n", "line 1: no tab after the id"},
        {"1\ta\n1\tb\n", "line 2: id given twice"},
        {"1\t😀\n", "line 1: text that code page 932 cannot hold"}};
    for (const auto& [data, why] : bad) {
        EXPECT_FALSE(CStringTable().Load(data, &error)) << data;
        EXPECT_EQ(error, why);
    }
}
