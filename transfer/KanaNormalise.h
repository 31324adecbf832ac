#pragma once
// Readings of names filed under the kana index: katakana and half-width kana
// (with a following ﾞ or ﾟ joined to its letter) turned into hiragana.

#include "platform/CString.h"

#include <string_view>

// The Shift_JIS text with every katakana that has a hiragana form in code
// page 932 made hiragana; ヴ ヵ ヶ (none there) stay katakana, and half-width
// punctuation, ｰ and a lone ﾞ ﾟ become their full-width forms.
CString KanaToHiragana(std::string_view sjis);
