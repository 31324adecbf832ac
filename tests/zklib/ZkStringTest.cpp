// The model's tests show the stored form of texts byte for byte.

#include "zklib/ZkString.h"
#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

TEST(ZkString, ReadsTextWithAndWithoutItsZeroByte) {
    CMemFile m(std::string("\x03\0\0\0ab\0\x02\0\0\0ab\0\0\0\0", 17));
    CZkString a, b, c("keep");
    ASSERT_TRUE(a.Read(&m) && b.Read(&m) && c.Read(&m)); // the last count is 0
    EXPECT_EQ(a + b + c, CString("abab"));
}

TEST(ZkString, ReadOfDamagedDataFailsWithoutTouchingTheValue) {
    RecordingUserInteraction ui;
    const std::string cases[] = {
        std::string("\x04\0", 2),                   // ends inside the prefix
        std::string("\x04\0\0\0ab", 6),             // ends inside the text
        std::string("\xFF\xFF\xFF\xFF\x61\x62", 6), // huge count
        std::string("\x00\x00\x00\x80", 4),         // 2 GiB count, nothing follows
    };
    for (const auto& bytes : cases) {
        ui.ExpectMessage("ﾌｧｲﾙ book.kvd は途中で終わっています。壊れている可能性があります。");
        CMemFile m(bytes, "book.kvd");
        CZkString s("keep");
        EXPECT_FALSE(s.Read(&m));
        EXPECT_EQ(s, CString("keep"));
    }
    EXPECT_EQ(ui.Problems(), "");
}

TEST(ZkString, SearchesSkipTrailBytes) {
    EXPECT_EQ(CZkString("xxabcx").FindNoCase("ABC"), 2);
    EXPECT_EQ(CZkString("abcabc").FindNoCase('B', 2), 4);
    EXPECT_EQ(CZkString("abc").FindNoCase("a", 4), -1);
    EXPECT_EQ(CZkString("\x83\x61").FindNoCase("A"), -1); // ャ's trail byte is no a
    EXPECT_EQ(CZkString("\x83\x61\x61").FindNoCase('A'), 2);
    EXPECT_EQ(CZkString("C:\\a\\b.txt").ReverseFindOneOf("\\/"), 4);
    EXPECT_EQ(CZkString("a\\\x95\x5C").ReverseFindOneOf("\\"), 1); // 表 is no back slash
    EXPECT_EQ(CZkString(L"a電話\U0001F600").str(), "a\x93\x64\x98\x62\x81\x45");
}
