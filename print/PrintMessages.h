#pragma once
// Texts of the print layer's own messages (UTF-8).

#include "print/PageLayout.h"

#include <string>
#include <vector>

namespace printmsg {

// A layout file whose values are out of range; names the file.
std::string BadPageLayoutFile(const std::string& path);

inline constexpr const char* kBadPageLayout =
    "このﾍﾟｰｼﾞﾚｲｱｳﾄは値が範囲外のため印刷に使えません。\n"
    "行と列は 1 から 100、用紙の幅と高さは 0 mm を超え 2000 mm まで、"
    "余白は 0 mm から 2000 mm の範囲にしてください。";
inline constexpr const char* kNoRoomForText =
    "このﾍﾟｰｼﾞﾚｲｱｳﾄにはﾗﾍﾞﾙの文字を印刷する場所がありません。\n"
    "用紙の余白、行と列、ｾﾙ内余白を確かめてください。";
inline constexpr const char* kNoCards = "印刷するｶｰﾄﾞがありません。";

// Why the layout cannot be used, naming the field as the layout editor labels
// it; in English for kolvane-cli in an English locale.
std::string LayoutFaultText(const LayoutFault& fault, bool english = false);

// Labels whose text did not fit even in the smallest font; names the cards
// (names as UTF-8), the first few of them.
std::string UnfitLabels(const std::vector<std::string>& names);

} // namespace printmsg
