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

std::string LayoutFaultText(const LayoutFault& fault) {
    static const char* const kFields[] = {
        "方向",         "用紙の幅",     "用紙の高さ",  "用紙余白の上", "用紙余白の下",
        "用紙余白の左", "用紙余白の右", "行",          "列",           "ｾﾙ内余白の上",
        "ｾﾙ内余白の下", "ｾﾙ内余白の左", "ｾﾙ内余白の右"};
    const std::string field = kFields[static_cast<int>(fault.field)];
    switch (fault.kind) {
    case LayoutFault::NoPage:
        return fault.field == LayoutField::PageMarginLeft
                   ? "用紙余白の左と右で用紙の幅がなくなります。余白を小さくしてください。"
                   : "用紙余白の上と下で用紙の高さがなくなります。余白を小さくしてください。";
    case LayoutFault::NoRoomInCell:
        return fault.field == LayoutField::CellMarginLeft
                   ? "ｾﾙ内余白の左と右でｾﾙの幅がなくなります。ｾﾙ内余白を小さくしてください。"
                   : "ｾﾙ内余白の上と下でｾﾙの高さがなくなります。ｾﾙ内余白を小さくしてください。";
    case LayoutFault::OutOfRange:
        break;
    }
    switch (fault.field) {
    case LayoutField::Orientation:
        return "方向は縦か横にしてください。";
    case LayoutField::PrintWidth:
    case LayoutField::PrintHeight:
        return field + "は 0 mm より大きく 2000 mm 以下にしてください。";
    case LayoutField::Columns:
    case LayoutField::Rows:
        return field + "は 1 から 100 までにしてください。";
    default:
        return field + "は 0 mm から 2000 mm までにしてください。";
    }
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
