#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

std::string Sjis(const std::string& utf8) {
    CString out;
    EXPECT_TRUE(cp932::FromUtf8(utf8, out)) << utf8;
    return out.str();
}

std::string Utf8(const std::string& sjis) {
    std::string out;
    EXPECT_TRUE(cp932::ToUtf8(sjis, out)) << sjis;
    return out;
}

} // namespace

TEST(CodePage, CharactersOfEveryRowConvertBothWays) {
    const std::pair<const char*, const char*> cases[] = {
        {"ｱｲｳﾞ", "\xB1\xB2\xB3\xDE"},
        {"電話", "\x93\x64\x98\x62"},
        {"表ソ能", "\x95\x5C\x83\x5C\x94\x5C"},
        {"①㈱", "\x87\x40\x87\x8A"}, // NEC row 13
        {"﨑髙", "\xFA\xB1\xFB\xFC"} /* IBM extension */,
        {"～", "\x81\x60"}};
    for (const auto& [utf8, sjis] : cases) {
        EXPECT_EQ(Sjis(utf8), sjis) << utf8;
        EXPECT_EQ(Utf8(sjis), utf8) << utf8;
    }
}

TEST(CodePage, EveryMappedCodeRoundTrips) {
    int mapped = 0;
    for (int code = 1; code < 0x10000; ++code) {
        const int lead = code >> 8;
        const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        if (lead != 0 && (!isLead || (code & 0xFF) < 0x40 || (code & 0xFF) > 0xFC))
            continue;
        std::string bytes = lead ? std::string{char(lead), char(code)} : std::string{char(code)};
        std::string utf8, again;
        CString back;
        if (!cp932::ToUtf8(bytes, utf8))
            continue;
        ++mapped;
        ASSERT_TRUE(cp932::FromUtf8(utf8, back) && cp932::ToUtf8(back.view(), again)) << code;
        EXPECT_EQ(again, utf8) << std::hex << code;
    }
    // 127 ASCII, 63 half-width katakana and the double-byte codes (user-defined area included).
    EXPECT_GT(mapped, 7000 + 1880);
}

TEST(CodePage, DuplicateCodesConvertBackToTheCodeWindowsWrites) {
    const std::pair<const char*, const char*> cases[] = {
        {"\xEE\xF9", "\x81\xCA"}, // ￢ NEC-selected IBM -> row 2
        {"\xFA\x54", "\x81\xCA"}, // ￢ IBM -> row 2
        {"\x87\x90", "\x81\xE0"}, // ≒ NEC row 13 -> row 2
        {"\xFA\x5B", "\x81\xE6"}, // ∵ IBM -> row 2
        {"\xFA\x4A", "\x87\x54"}, // Ⅰ IBM -> NEC row 13
        {"\xFA\x58", "\x87\x8A"}, // ㈱ IBM -> NEC row 13
        {"\xEE\xEF", "\xFA\x40"}, // ⅰ NEC-selected IBM -> IBM
        {"\xED\x40", "\xFA\x5C"}, // 纊 NEC-selected IBM -> IBM
    };
    for (const auto& [code, written] : cases)
        EXPECT_EQ(Sjis(Utf8(code)), written) << Utf8(code);
}

TEST(CodePage, BadCharactersAreReportedWithTheirPlace) {
    CString out("keep");
    cp932::Error error;
    EXPECT_FALSE(cp932::FromUtf8("山田😀太郎", out, &error));
    EXPECT_EQ(out, CString("keep"));
    EXPECT_EQ(error.index, 2u);
    EXPECT_EQ(error.characterUtf8, "😀");
    EXPECT_FALSE(cp932::FromUtf8("\xC3", out, &error)); // cut UTF-8
    EXPECT_FALSE(cp932::FromUtf16(u"a\U0001F600", out, &error));
    EXPECT_EQ(error.index, 1u);

    std::string utf8;
    EXPECT_FALSE(cp932::ToUtf8("ab\x81\x20", utf8, &error)); // lead byte + space
    EXPECT_EQ(error.index, 2u);
    EXPECT_EQ(error.characterUtf8, "\\x81\\x20");
    EXPECT_EQ(cp932::ToUtf8Lossy("a\x80\x62\x82\xA0x\x82"), "a\xEF\xBF\xBD\x62あx\xEF\xBF\xBD");
}
