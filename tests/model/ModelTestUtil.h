#pragma once
// Shift_JIS text from UTF-8 literals and cards made in one line.

#include "model/AddrCard.h"
#include "platform/CodePage.h"
#include "zklib/ZkString.h"

#include <gtest/gtest.h>

inline CZkString Sjis(const char* utf8) {
    CString out;
    EXPECT_TRUE(cp932::FromUtf8(utf8, out)) << utf8;
    return CZkString(out);
}

inline CAddrCard* NewCard(int notation, const char* furigana, const char* name,
                          const char* company = "") {
    auto* card = new CAddrCard;
    card->m_nNotation = notation;
    card->m_strFurigana = Sjis(furigana);
    card->m_strName = Sjis(name);
    card->m_strCompany = Sjis(company);
    return card;
}
