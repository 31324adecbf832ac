#pragma once
// The card list's filters, by the command id of the index button that picks
// them, and the characters each index button lists.

#include "platform/CString.h"

enum : int {
    FILTER_SEARCH = 0, // the search text decides
    FILTER_DUPLICATES = 32777,
    FILTER_LETTER_A = 32786, // A to Z: 32786 to 32811
    FILTER_LETTER_Z = 32811,
    FILTER_KANA_A = 32812, // あ か さ た な は ま や ら わ: 32812 to 32821
    FILTER_KANA_WA = 32821,
    FILTER_DIGITS = 32822,   // 数
    FILTER_JAPANESE = 32823, // 日
    FILTER_ENGLISH = 32824,  // 英
    FILTER_ALL = 32825,      // 全
};

// Whether the filter lists the cards whose index key begins with one of its characters.
bool IsIndexFilter(int filterId);
// The Shift_JIS characters of an index filter; empty for every other filter.
const CString& IndexChars(int filterId);
// The button face (UTF-8: "A", "あ", "数", "全" ...) of a filter that has a
// button, or empty.
const char* FilterFace(int filterId);
// The filter whose button shows face (UTF-8), or -1.
int FilterOfFace(std::string_view face);
