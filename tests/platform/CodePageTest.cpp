#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

std::string Sjis(const std::string& utf8) {
    CString out;
    cp932::Error error;
    EXPECT_TRUE(cp932::FromUtf8(utf8, out, &error)) << utf8;
    return out.str();
}

std::string Utf8(const std::string& sjis) {
    std::string out;
    EXPECT_TRUE(cp932::ToUtf8(sjis, out)) << sjis;
    return out;
}

} // namespace

TEST(CodePage, CharactersOfEveryRowConvertBothWays) {
    EXPECT_EQ(Sjis("ｱｲｳﾞ"), "\xB1\xB2\xB3\xDE");
    EXPECT_EQ(Sjis("電話"), "\x93\x64\x98\x62");
    EXPECT_EQ(Sjis("表ソ能"), "\x95\x5C\x83\x5C\x94\x5C");
    EXPECT_EQ(Sjis("①"), "\x87\x40"); // NEC row 13
    EXPECT_EQ(Sjis("㈱"), "\x87\x8A");
    EXPECT_EQ(Sjis("﨑"), "\xFA\xB1"); // IBM extension
    EXPECT_EQ(Sjis("髙"), "\xFB\xFC");
    EXPECT_EQ(Sjis("～"), "\x81\x60");
    EXPECT_EQ(Utf8("\x87\x40\x87\x8A\xFA\xB1\xFB\xFC"), "①㈱﨑髙");
    EXPECT_EQ(Utf8("abc"), "abc");
}

TEST(CodePage, EveryMappedCodeRoundTrips) {
    // Every byte code the code page defines decodes, and its Unicode text encodes
    // to a code that decodes to the same text.
    int mapped = 0;
    for (int lead = 0; lead < 256; ++lead) {
        const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        for (int trail = isLead ? 0x40 : -1; trail <= (isLead ? 0xFC : -1); ++trail) {
            std::string code(1, static_cast<char>(lead));
            if (isLead)
                code += static_cast<char>(trail);
            if (code == std::string(1, '\0'))
                continue;
            std::string utf8;
            if (!cp932::ToUtf8(code, utf8))
                continue;
            ++mapped;
            CString back;
            ASSERT_TRUE(cp932::FromUtf8(utf8, back)) << std::hex << lead << " " << trail;
            std::string again;
            ASSERT_TRUE(cp932::ToUtf8(back.view(), again));
            EXPECT_EQ(again, utf8) << std::hex << lead << " " << trail;
        }
    }
    // 127 ASCII, 63 half-width katakana and the double-byte codes (user-defined area included).
    EXPECT_GT(mapped, 7000 + 1880);
}

TEST(CodePage, DuplicateCodesConvertBackToTheCodeWindowsWrites) {
    const auto reencode = [](const std::string& code) { return Sjis(Utf8(code)); };
    EXPECT_EQ(reencode("\xEE\xF9"), "\x81\xCA"); // ￢ NEC-selected IBM -> row 2
    EXPECT_EQ(reencode("\xFA\x54"), "\x81\xCA"); // ￢ IBM -> row 2
    EXPECT_EQ(reencode("\x87\x90"), "\x81\xE0"); // ≒ NEC row 13 -> row 2
    EXPECT_EQ(reencode("\xFA\x5B"), "\x81\xE6"); // ∵ IBM -> row 2
    EXPECT_EQ(reencode("\xFA\x4A"), "\x87\x54"); // Ⅰ IBM -> NEC row 13
    EXPECT_EQ(reencode("\xFA\x58"), "\x87\x8A"); // ㈱ IBM -> NEC row 13
    EXPECT_EQ(reencode("\xEE\xEF"), "\xFA\x40"); // ⅰ NEC-selected IBM -> IBM
    EXPECT_EQ(reencode("\xED\x40"), "\xFA\x5C"); // 纊 NEC-selected IBM -> IBM
}

TEST(CodePage, UnmappableCharacterIsReportedNotReplaced) {
    CString out("keep");
    cp932::Error error;
    EXPECT_FALSE(cp932::FromUtf8("山田😀太郎", out, &error));
    EXPECT_EQ(out, CString("keep"));
    EXPECT_EQ(error.index, 2u);
    EXPECT_EQ(error.character, U'\U0001F600');
    EXPECT_EQ(error.characterUtf8, "😀");

    EXPECT_FALSE(cp932::FromUtf8("Café", out, &error));
    EXPECT_EQ(error.index, 3u);
    EXPECT_EQ(error.characterUtf8, "é");

    EXPECT_FALSE(cp932::FromUtf8(std::string("a\0b", 3), out, &error));
    EXPECT_EQ(error.index, 1u);
    EXPECT_FALSE(cp932::FromUtf8("\xC3", out, &error)); // cut UTF-8

    const std::u16string withEmoji = u"a\U0001F600";
    EXPECT_FALSE(cp932::FromUtf16(withEmoji, out, &error));
    EXPECT_EQ(error.index, 1u);
    CString ok;
    EXPECT_TRUE(cp932::FromUtf16(u"ﾃｽﾄ表", ok));
    EXPECT_EQ(ok.str(), "\xC3\xBD\xC4\x95\x5C");
}

TEST(CodePage, UndecodableBytesAreReportedAndShownAsReplacement) {
    std::string out;
    cp932::Error error;
    EXPECT_FALSE(cp932::ToUtf8("ab\x81\x20", out, &error)); // lead byte + space
    EXPECT_EQ(error.index, 2u);
    EXPECT_EQ(error.characterUtf8, "\\x81\\x20");
    EXPECT_EQ(cp932::ToUtf8Lossy("a\x80"
                                 "b\x82\xA0"),
              "a\xEF\xBF\xBD"
              "bあ");
    EXPECT_EQ(cp932::ToUtf8Lossy("x\x82"), "x\xEF\xBF\xBD");
    std::u16string u;
    EXPECT_TRUE(cp932::ToUtf16("\x82\xA0\xB1", u));
    EXPECT_EQ(u, u"あｱ");
}
