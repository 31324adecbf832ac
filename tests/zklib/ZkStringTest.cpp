#include "zklib/ZkString.h"
#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

namespace {

std::string Stored(const CZkString& s) {
    CMemFile m;
    EXPECT_TRUE(const_cast<CZkString&>(s).Write(&m));
    return m.Data();
}

} // namespace

TEST(ZkString, StoredFormIsCountTextAndZero) {
    EXPECT_EQ(Stored(CZkString()), std::string("\x01\0\0\0\0", 5));
    EXPECT_EQ(Stored(CZkString("abc")), std::string("\x04\0\0\0abc\0", 8));
    EXPECT_EQ(Stored(CZkString("\x93\x64\x98\x62")),
              std::string("\x05\0\0\0\x93\x64\x98\x62\0", 9));

    CMemFile m;
    CZkString a("\x95\x5C\x83\x5C"), empty;
    ASSERT_TRUE(a.Write(&m));
    ASSERT_TRUE(empty.Write(&m));
    EXPECT_EQ(m.GetLength(), 4u + 5 + 5);
    m.SeekToBegin();
    CZkString r1("x"), r2("y");
    ASSERT_TRUE(r1.Read(&m));
    ASSERT_TRUE(r2.Read(&m));
    EXPECT_EQ(r1, a);
    EXPECT_EQ(r2, CString(""));
}

TEST(ZkString, ReadsTextWithAndWithoutItsZeroByte) {
    CMemFile m(std::string("\x03\0\0\0"
                           "ab\0"
                           "\x02\0\0\0"
                           "ab"
                           "\0\0\0\0",
                           17));
    CZkString a, b, c("keep");
    ASSERT_TRUE(a.Read(&m));
    ASSERT_TRUE(b.Read(&m));
    ASSERT_TRUE(c.Read(&m)); // n = 0
    EXPECT_EQ(a, CString("ab"));
    EXPECT_EQ(b, CString("ab"));
    EXPECT_EQ(c, CString(""));
}

TEST(ZkString, ReadOfDamagedDataFailsWithoutTouchingTheValue) {
    RecordingUserInteraction ui;
    const std::string msg = "ﾌｧｲﾙ book.kvd は途中で終わっています。壊れている可能性があります。";
    const std::string cases[] = {
        std::string("\x04\0", 2),       // ends inside the prefix
        std::string("\x04\0\0\0ab", 6), // ends inside the text
        std::string("\xFF\xFF\xFF\xFF"
                    "abc",
                    7),                     // huge count
        std::string("\x00\x00\x00\x80", 4), // 2 GiB count, nothing follows
    };
    for (const auto& bytes : cases) {
        ui.ExpectMessage(msg);
        CMemFile m(bytes, "book.kvd");
        CZkString s("keep");
        EXPECT_FALSE(s.Read(&m));
        EXPECT_EQ(s, CString("keep"));
    }
    EXPECT_EQ(ui.Problems(), "");
}

TEST(ZkString, FindNoCase) {
    EXPECT_EQ(CZkString("xxabcx").FindNoCase("ABC"), 2);
    EXPECT_EQ(CZkString("abcabc").FindNoCase('b', 4), 4);
    EXPECT_EQ(CZkString("abcabc").FindNoCase('B', 2), 4);
    EXPECT_EQ(CZkString("abc").FindNoCase("d"), -1);
    EXPECT_EQ(CZkString("abc").FindNoCase("a", 4), -1);
    // The trail byte of ャ (83 61) is not the letter a.
    EXPECT_EQ(CZkString("\x83\x61").FindNoCase("A"), -1);
    EXPECT_EQ(CZkString("\x83\x61"
                        "a")
                  .FindNoCase('A'),
              2);
}

TEST(ZkString, ReverseFindOneOf) {
    EXPECT_EQ(CZkString("C:\\a\\b.txt").ReverseFindOneOf("\\/"), 4);
    EXPECT_EQ(CZkString("abc").ReverseFindOneOf("\\/"), -1);
    EXPECT_EQ(CZkString("a\\\x95\x5C").ReverseFindOneOf("\\"), 1); // 表 is no back slash
    EXPECT_EQ(CZkString("a\x95\x5C"
                        "b")
                  .ReverseFindOneOf("\x95\x5C"),
              2); // trail byte position
}

TEST(ZkString, WideConstructorConverts) {
    EXPECT_EQ(CZkString(L"電話").str(), "\x93\x64\x98\x62");
    EXPECT_EQ(CZkString(L"a\U0001F600b").str(), "a\x81\x45"
                                                "b");
}

TEST(ZkString, AssignsFromEveryStringKind) {
    CZkString s;
    const CString platform("\x95\x5C");
    s = platform;
    EXPECT_EQ(s.str(), "\x95\x5C");
    s = "abc";
    EXPECT_EQ(s.str(), "abc");
    s = CZkString("x");
    EXPECT_EQ(s.str(), "x");
}
