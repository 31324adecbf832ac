#include "LabelBenchData.h"

#include "platform/CodePage.h"

#include <string>

namespace {

CZkString Sjis(const std::string& utf8) {
    CString out;
    cp932::FromUtf8(utf8, out);
    return CZkString(out);
}

} // namespace

const std::vector<CAddrCard>& LabelBenchCards() {
    static const std::vector<CAddrCard> cards = [] {
        const char* cities[] = {"東京都千代田区", "大阪府大阪市北区", "北海道札幌市中央区",
                                "福岡県福岡市博多区", "愛知県名古屋市中村区"};
        const char* families[] = {"山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺"};
        const char* given[] = {"太郎", "花子", "一郎", "美咲", "健太"};
        std::vector<CAddrCard> out(100000);
        for (size_t i = 0; i < out.size(); ++i) {
            CAddrCard& card = out[i];
            const std::string n = std::to_string(i);
            if (i % 5 == 4) {
                card.m_nNotation = NOTATION_ENGLISH;
                card.m_strName = Sjis("Person " + n + " Smith");
                card.m_strCompany = Sjis("Example & Co. Ltd.");
                card.m_strAddress = Sjis(n + " Main Street\r\nSpringfield, IL 62701");
                continue;
            }
            card.m_nNotation = NOTATION_JAPANESE;
            card.m_strZip =
                Sjis(std::to_string(100 + i % 900) + "-" + std::to_string(1000 + i % 9000));
            card.m_strAddress = Sjis(std::string(cities[i % 5]) + "一丁目" + n +
                                     "番地\r\nｺﾙｳﾞｧﾈﾋﾞﾙ " + std::to_string(i % 30 + 1) + "階");
            if (i % 2)
                card.m_strCompany = Sjis("株式会社 ｺﾙｳﾞｧﾈ商事");
            if (i % 3 == 0)
                card.m_strTitle = Sjis("営業部 部長");
            card.m_strName = Sjis(std::string(families[i % 7]) + " " + given[i % 5]);
        }
        return out;
    }();
    return cards;
}

CPageLayout A4TwelveLayout() {
    CPageLayout layout;
    layout.SetName("A4 12");
    layout.m_lenPageWidth = Length::fromMm(210);
    layout.m_lenPageHeight = Length::fromMm(297);
    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(21.6f);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(18.6f);
    layout.m_nColumns = 2;
    layout.m_nRows = 6;
    layout.m_lenCellMarginTop = Length::fromMm(4);
    layout.m_lenCellMarginBottom = Length::fromMm(3);
    layout.m_lenCellMarginLeft = Length::fromMm(5);
    layout.m_lenCellMarginRight = Length::fromMm(4);
    return layout;
}

LabelFonts DefaultLabelFonts() {
    CPrintFonts fonts;
    fonts.SetMissingToDefaults(kDefaultFontDpi);
    return MakeLabelFonts(fonts, kDefaultFontDpi);
}
