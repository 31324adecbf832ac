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

std::string LayoutFaultText(const LayoutFault& fault, bool english) {
    static const char* const kFields[][2] = {{"方向", "the orientation"},
                                             {"用紙の幅", "the paper width"},
                                             {"用紙の高さ", "the paper height"},
                                             {"用紙余白の上", "the top paper margin"},
                                             {"用紙余白の下", "the bottom paper margin"},
                                             {"用紙余白の左", "the left paper margin"},
                                             {"用紙余白の右", "the right paper margin"},
                                             {"行", "the columns"},
                                             {"列", "the rows"},
                                             {"ｾﾙ内余白の上", "the top cell margin"},
                                             {"ｾﾙ内余白の下", "the bottom cell margin"},
                                             {"ｾﾙ内余白の左", "the left cell margin"},
                                             {"ｾﾙ内余白の右", "the right cell margin"}};
    const auto say = [english](const char* japanese, const char* inEnglish) {
        return std::string(english ? inEnglish : japanese);
    };
    const std::string field = kFields[static_cast<int>(fault.field)][english ? 1 : 0];
    switch (fault.kind) {
    case LayoutFault::NoPage:
        return fault.field == LayoutField::PageMarginLeft
                   ? say("用紙余白の左と右で用紙の幅がなくなります。余白を小さくしてください。",
                         "the left and right paper margins leave no paper width; make them "
                         "smaller")
                   : say("用紙余白の上と下で用紙の高さがなくなります。余白を小さくしてください。",
                         "the top and bottom paper margins leave no paper height; make them "
                         "smaller");
    case LayoutFault::NoRoomInCell:
        return fault.field == LayoutField::CellMarginLeft
                   ? say("ｾﾙ内余白の左と右でｾﾙの幅がなくなります。ｾﾙ内余白を小さくしてください。",
                         "the left and right cell margins leave no cell width; make them smaller")
                   : say("ｾﾙ内余白の上と下でｾﾙの高さがなくなります。ｾﾙ内余白を小さくしてください。",
                         "the top and bottom cell margins leave no cell height; make them "
                         "smaller");
    case LayoutFault::OutOfRange:
        break;
    }
    switch (fault.field) {
    case LayoutField::Orientation:
        return say("方向は縦か横にしてください。", "the orientation must be portrait or landscape");
    case LayoutField::PrintWidth:
    case LayoutField::PrintHeight:
        return field + say("は 0 mm より大きく 2000 mm 以下にしてください。",
                           " must be more than 0 mm and at most 2000 mm");
    case LayoutField::Columns:
    case LayoutField::Rows:
        return field + say("は 1 から 100 までにしてください。", " must be 1 to 100");
    default:
        return field + say("は 0 mm から 2000 mm までにしてください。", " must be 0 mm to 2000 mm");
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
