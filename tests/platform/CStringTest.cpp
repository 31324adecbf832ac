#include "platform/CString.h"

#include <gtest/gtest.h>

#include <cstring>

// Shift_JIS bytes written out: 表 = 95 5C, ソ = 83 5C, 能 = 94 5C, あ = 82 A0,
// ア = 83 41, half-width ｱ = B1, 漢 = 8A BF.

TEST(CString, TrailByteIsNeverTakenForASingleByteCharacter) {
    const CString s("\x95\x5C\x83\x5C\x94\x5C"); // 表ソ能
    EXPECT_EQ(s.GetLength(), 6);
    EXPECT_EQ(s.Find('\\'), -1);
    EXPECT_EQ(s.Find("\\"), -1);
    EXPECT_EQ(s.FindOneOf("\\/"), -1);
    EXPECT_EQ(s.ReverseFind('\\'), -1);

    const CString path("C:\\\x95\x5C\\x"); // C:\表\x
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 5);
    EXPECT_EQ(path.ReverseFind('\\'), 5);
    EXPECT_EQ(path.FindOneOf("\\"), 2);

    // "A" is the trail byte of ア (83 41): only the real A matches.
    const CString kana("\x83\x41"
                       "A");
    EXPECT_EQ(kana.Find('A'), 2);
    EXPECT_EQ(kana.Find("A"), 2);
    // A double-byte needle is found whole.
    EXPECT_EQ(CString("ab\x95\x5C").Find("\x95\x5C"), 2);
    EXPECT_EQ(CString("ab\x95\x5C").FindOneOf("x\x95\x5C"), 2);
    EXPECT_EQ(CString("abc").Find("c", 4), -1);
}

TEST(CString, UpperCaseTouchesAsciiOnly) {
    CString s("ab\x83\x61z\x82\xA0"); // a b (83 61 = ャ) z あ
    s.MakeUpper();
    EXPECT_EQ(s, CString("AB\x83\x61Z\x82\xA0"));
    s.MakeLower();
    EXPECT_EQ(s, CString("ab\x83\x61z\x82\xA0"));
}

TEST(CString, ReverseKeepsDoubleByteCharactersTogether) {
    CString s("a\x95\x5C"
              "b\xB1\x83\x5C");
    s.MakeReverse();
    EXPECT_EQ(s, CString("\x83\x5C\xB1"
                         "b\x95\x5C"
                         "a"));
    CString cut("a\x95"); // a lead byte at the end stays one byte
    cut.MakeReverse();
    EXPECT_EQ(cut, CString("\x95"
                           "a"));
}

TEST(CString, CompareInCharacterCodeOrder) {
    const CString ascii("Z");
    const CString halfKana("\xB1");       // ｱ
    const CString doubleByte("\x82\xA0"); // あ
    EXPECT_LT(ascii, halfKana);
    EXPECT_LT(halfKana, doubleByte);
    // Plain byte order would put あ (82) before ｱ (B1).
    EXPECT_GT(std::memcmp(halfKana.GetString(), doubleByte.GetString(), 1), 0);
    EXPECT_LT(CString("\xB1").Compare("\x82\xA0"), 0);
    EXPECT_LT(CString("\xDF").Compare("\x81\x40"), 0);
    EXPECT_LT(CString("ab").Compare("abc"), 0);
    EXPECT_EQ(CString("abc").Compare("abc"), 0);
    EXPECT_GT(CString("\x88\x9F").Compare("\x82\xA0"), 0); // 亜 after あ
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
}

TEST(CString, MidLeftRightClampAndFormat) {
    const CString s("abcdef");
    EXPECT_EQ(s.Mid(2), CString("cdef"));
    EXPECT_EQ(s.Mid(2, 2), CString("cd"));
    EXPECT_EQ(s.Mid(10), CString(""));
    EXPECT_EQ(s.Mid(-3, 2), CString("ab"));
    EXPECT_EQ(s.Left(3), CString("abc"));
    EXPECT_EQ(s.Left(99), s);
    EXPECT_EQ(s.Right(2), CString("ef"));
    EXPECT_EQ(s.Right(-1), CString(""));

    CString f;
    f.Format("%d / %d", 3, 10);
    EXPECT_EQ(f, CString("3 / 10"));
    f.Format("%s.%s.%d", "book.kvd", "bak", 2);
    EXPECT_EQ(f, CString("book.kvd.bak.2"));
}

TEST(CString, EditingOperations) {
    CString s("  a\x95\x5C b  ");
    s.Trim();
    EXPECT_EQ(s, CString("a\x95\x5C b"));
    CString r("a,b,,c");
    EXPECT_EQ(r.Replace(",", ";"), 3);
    EXPECT_EQ(r, CString("a;b;;c"));
    CString t("\x95\x5C\\x");
    EXPECT_EQ(t.Remove('\\'), 1);
    EXPECT_EQ(t, CString("\x95\x5Cx"));
    CString cat = CString("ab") + "cd" + 'e';
    EXPECT_EQ(cat, CString("abcde"));
    EXPECT_STREQ(static_cast<const char*>(cat), "abcde");
    EXPECT_EQ(CString("abc", 2), CString("ab"));
    EXPECT_EQ(CString('x', 3), CString("xxx"));
}
