#include "model/ListFilters.h"

#include "platform/CodePage.h"

#include <array>
#include <string>

namespace {

struct Kana {
    const char* face;
    const char* chars;
};

// UTF-8 here; converted to Shift_JIS once.
constexpr Kana kKanaRows[] = {
    {"あ", "あいうえお"}, {"か", "かきくけこ"}, {"さ", "さしすせそ"}, {"た", "たちつてと"},
    {"な", "なにぬねの"}, {"は", "はひふへほ"}, {"ま", "まみむめも"}, {"や", "やゆよ"},
    {"ら", "らりるれろ"}, {"わ", "わ"},
};

constexpr const char* kLetterFaces[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                        "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                        "S", "T", "U", "V", "W", "X", "Y", "Z"};

CString ToSjis(const char* utf8) {
    CString out;
    cp932::FromUtf8(utf8, out);
    return out;
}

} // namespace

bool IsIndexFilter(int filterId) {
    return filterId >= FILTER_LETTER_A && filterId <= FILTER_DIGITS;
}

const CString& IndexChars(int filterId) {
    static const std::array<CString, FILTER_DIGITS - FILTER_LETTER_A + 1> sets = [] {
        std::array<CString, FILTER_DIGITS - FILTER_LETTER_A + 1> s;
        for (int i = 0; i <= FILTER_LETTER_Z - FILTER_LETTER_A; ++i)
            s[static_cast<size_t>(i)] = CString(static_cast<char>('A' + i));
        for (int i = 0; i <= FILTER_KANA_WA - FILTER_KANA_A; ++i)
            s[static_cast<size_t>(FILTER_KANA_A - FILTER_LETTER_A + i)] =
                ToSjis(kKanaRows[i].chars);
        s[FILTER_DIGITS - FILTER_LETTER_A] = CString("0123456789");
        return s;
    }();
    static const CString none;
    return IsIndexFilter(filterId) ? sets[static_cast<size_t>(filterId - FILTER_LETTER_A)] : none;
}

const char* FilterFace(int filterId) {
    if (filterId >= FILTER_LETTER_A && filterId <= FILTER_LETTER_Z)
        return kLetterFaces[filterId - FILTER_LETTER_A];
    if (filterId >= FILTER_KANA_A && filterId <= FILTER_KANA_WA)
        return kKanaRows[filterId - FILTER_KANA_A].face;
    switch (filterId) {
    case FILTER_DIGITS:
        return "数";
    case FILTER_JAPANESE:
        return "日";
    case FILTER_ENGLISH:
        return "英";
    case FILTER_ALL:
        return "全";
    default:
        return "";
    }
}

int FilterOfFace(std::string_view face) {
    for (int id = FILTER_LETTER_A; id <= FILTER_ALL; ++id)
        if (face == FilterFace(id))
            return id;
    return -1;
}
