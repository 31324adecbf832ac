#pragma once
// Helpers of the model tests: Shift_JIS text from UTF-8 literals, bytes from
// hex text, cards made in one line and errors as text.

#include "model/AddrCard.h"
#include "platform/CodePage.h"
#include "zklib/ZkString.h"

#include <cctype>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

inline CZkString Sjis(const char* utf8) {
    CString out;
    EXPECT_TRUE(cp932::FromUtf8(utf8, out)) << utf8;
    return CZkString(out);
}

// "46 44 56 4B" to its bytes; white space between bytes is ignored.
inline std::string Hex(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        out += static_cast<char>(std::strtol(text.substr(i, 2).c_str(), nullptr, 16));
        i += 2;
    }
    return out;
}

// The text of an error, "" for none.
inline std::string ErrorText(const std::optional<CFileError>& error) {
    return error ? error->GetText() : std::string();
}

template <class Record> std::string StoredForm(Record& record) {
    CMemFile file;
    EXPECT_EQ(ErrorText(record.Write(&file)), "");
    return file.Data();
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

inline const char* const kNewerVersionMessage =
    "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
    "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n";

inline std::string EndOfFileMessage(const std::string& path) {
    return "ﾌｧｲﾙ " + path + " は途中で終わっています。壊れている可能性があります。";
}
