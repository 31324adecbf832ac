#include "platform/CString.h"

#include <gtest/gtest.h>

// Shift_JIS written out: 表 = 95 5C, ソ = 83 5C, 能 = 94 5C, ア = 83 41, ャ = 83 61,
// あ = 82 A0, 亜 = 88 9F, half-width ｱ = B1; \x41 = A, \x61 = a, \x62 = b.

TEST(CString, SearchesAndEditsNeverTakeATrailByteForACharacter) {
    const CString s("\x95\x5C\x83\x5C\x94\x5C"); // 表ソ能
    EXPECT_EQ(s.Find('\\') + s.Find("\\") + s.FindOneOf("\\/") + s.ReverseFind('\\'), -4);
    const CString path("C:\\\x95\x5C\\x"); // C:\表\x
    EXPECT_EQ(path.Find('\\', 3), 5);
    EXPECT_EQ(path.ReverseFind('\\'), 5);
    EXPECT_EQ(CString("\x83\x41\x41").Find("A"), 2); // アA
    EXPECT_EQ(CString("ab\x95\x5C").FindOneOf("x\x95\x5C"), 2);
    EXPECT_EQ(CString("abcdef").Find("f", 7), -1);
    EXPECT_EQ(CString("abcdef").Mid(-3, 2) + CString("abcdef").Mid(10), CString("ab"));

    CString u("ab\x83\x61z");
    EXPECT_EQ(u.MakeUpper(), CString("AB\x83\x61Z"));
    CString r("a\x95\x5C\x62\xB1\x83\x5C"); // a表bｱソ
    EXPECT_EQ(r.MakeReverse(), CString("\x83\x5C\xB1\x62\x95\x5C\x61"));
    CString cut("a\x95"); // a lead byte at the end stays one byte
    EXPECT_EQ(cut.MakeReverse(), CString("\x95\x61"));
}

TEST(CString, ComparesInCharacterCodeOrder) {
    // Half-width katakana come before double-byte characters although their byte is larger.
    const std::pair<const char*, const char*> ascending[] = {{"Z", "\xB1"},
                                                             {"\xB1", "\x82\xA0"},
                                                             {"\xDF", "\x81\x40"},
                                                             {"ab", "abc"},
                                                             {"\x82\xA0", "\x88\x9F"}};
    for (const auto& [low, high] : ascending) {
        SCOPED_TRACE(std::string(low) + " < " + high);
        EXPECT_LT(CString(low).Compare(high), 0);
        EXPECT_GT(CString(high).Compare(low), 0);
    }
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
}
