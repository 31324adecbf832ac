#include "print/PrintMessages.h"

namespace printmsg {

namespace {
constexpr size_t kMaxNamesShown = 10;
}

std::string BadPageLayoutFile(const std::string& path) {
    return "ﾌｧｲﾙ " + path +
           " はﾍﾟｰｼﾞﾚｲｱｳﾄとして読み込めません。壊れている可能性があります。\n"
           "(行と列は 1 から 100、方向は縦か横、寸法は -2000 mm から 2000 mm の範囲)";
}

std::string UnfitLabels(const std::vector<std::string>& names) {
    std::string text = "次のｶｰﾄﾞはﾗﾍﾞﾙに収まらないため、文字の一部が印刷されません。\n";
    for (size_t i = 0; i < names.size() && i < kMaxNamesShown; ++i)
        text += "\n" + (names[i].empty() ? std::string("(名前なし)") : names[i]);
    if (names.size() > kMaxNamesShown)
        text += "\nほか " + std::to_string(names.size() - kMaxNamesShown) + " 件";
    return text;
}

} // namespace printmsg
