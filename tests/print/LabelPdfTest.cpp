#include "PdfProbe.h"
#include "PrintTestSupport.h"

#include "platform/RecordingUserInteraction.h"
#include "print/LabelPdf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

constexpr double kTolerance = 0.2; // mm

LabelFonts DefaultFonts() {
    EnsureGuiApplication();
    CPrintFonts fonts;
    fonts.SetMissingToDefaults(600);
    return MakeLabelFonts(fonts, 600);
}

std::vector<const CAddrCard*> Pointers(const std::vector<CAddrCard>& cards) {
    std::vector<const CAddrCard*> out;
    for (const CAddrCard& card : cards)
        out.push_back(&card);
    return out;
}

CPageLayout Layout(float pageWidth, float pageHeight, int orientation, float margin, int columns,
                   int rows, float cellMarginX, float cellMarginY) {
    CPageLayout layout;
    layout.m_nOrientation = orientation;
    layout.m_lenPageWidth = Length::fromMm(pageWidth);
    layout.m_lenPageHeight = Length::fromMm(pageHeight);
    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(margin);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(margin);
    layout.m_nColumns = columns;
    layout.m_nRows = rows;
    layout.m_lenCellMarginLeft = layout.m_lenCellMarginRight = Length::fromMm(cellMarginX);
    layout.m_lenCellMarginTop = layout.m_lenCellMarginBottom = Length::fromMm(cellMarginY);
    return layout;
}

// The first word of a label: the top line's leftmost word inside the cell.
const PdfWord* FirstWordIn(const PdfContent& pdf, int page, const RectMm& cell) {
    const PdfWord* first = nullptr;
    for (const PdfWord& w : pdf.words) {
        if (w.page != page || w.left < cell.left - 1 || w.left >= cell.right ||
            w.top < cell.top - 1 || w.top >= cell.bottom)
            continue;
        if (!first || w.top < first->top - 0.5 ||
            (std::abs(w.top - first->top) <= 0.5 && w.left < first->left))
            first = &w;
    }
    return first;
}

// Every label's first word where its text rectangle begins, on pages of the
// layout's printed size.
void ExpectLabelsInPlace(const std::string& path, const CPageLayout& layout,
                         const std::vector<std::string>& firstWords) {
    const PdfContent pdf = ReadPdfWords(path);
    const int cells = layout.GetCellCount();
    const int pages = (static_cast<int>(firstWords.size()) + cells - 1) / cells;
    ASSERT_EQ(static_cast<int>(pdf.pages.size()), pages);
    for (const PdfPage& page : pdf.pages) {
        EXPECT_NEAR(page.width, layout.GetPrintWidth().mm(), kTolerance);
        EXPECT_NEAR(page.height, layout.GetPrintHeight().mm(), kTolerance);
    }
    for (size_t i = 0; i < firstWords.size(); ++i) {
        const int page = static_cast<int>(i) / cells;
        const int cell = static_cast<int>(i) % cells;
        const RectMm text = layout.GetCellTextRectF(cell);
        const PdfWord* word = FirstWordIn(pdf, page, layout.GetCellRectF(cell));
        ASSERT_NE(word, nullptr) << "label " << i;
        EXPECT_EQ(word->text, firstWords[i]) << "label " << i;
        EXPECT_NEAR(word->left, text.left, kTolerance) << "label " << i;
        EXPECT_NEAR(word->top, text.top, kTolerance) << "label " << i;
    }
}

class LabelPdf : public ::testing::Test {
protected:
    std::string Pdf(const char* name) const { return root / name; }

    TempLayoutRoot root;
    RecordingUserInteraction ui;
};

} // namespace

TEST_F(LabelPdf, EveryLabelStartsWhereItsTextRectangleBegins) {
    CPageLayout a4 = Layout(210, 297, 0, 0, 2, 6, 4, 3);
    a4.m_lenPageMarginTop = a4.m_lenPageMarginBottom = Length::fromMm(21.6f);
    a4.m_lenPageMarginLeft = a4.m_lenPageMarginRight = Length::fromMm(18.6f);
    const struct {
        CPageLayout layout;
        int count;
        bool outlines;
    } sheets[] = {
        {CPageLayout(), 2, false}, // Letter, one cell inside 12.7 mm margins
        {Layout(210, 297, 1, 10, 2, 5, 5, 2.5f), 13, true}, // landscape
        {Layout(210, 297, 0, 10, 2, 3, 2, 2), 7, false},    // cells run down the left column first
        {a4, 12, false},
    };
    for (const auto& sheet : sheets) {
        std::vector<CAddrCard> cards;
        std::vector<std::string> first;
        for (int i = 0; i < sheet.count; ++i) {
            const std::string name = "No" + std::to_string(i);
            if (i % 3 == 1) {
                cards.push_back(
                    JapaneseCard("鈴木 一郎", "100-0001", "東京都千代田区1-1", "ｺﾙｳﾞｧﾈ商事"));
                first.push_back("〒");
            } else if (i % 3 == 2) {
                cards.push_back(EnglishCard("Smith & Sons", "2 Elm St.\r\nLondon", "", "Director"));
                first.push_back("Smith");
            } else {
                cards.push_back(EnglishCard(name.c_str(), "x"));
                first.push_back(name);
            }
        }
        const std::string path = Pdf("labels.pdf");
        std::vector<const CAddrCard*> unfit = {&cards[0]};
        ASSERT_TRUE(WriteLabelsPdf(path.c_str(), Pointers(cards), sheet.layout, DefaultFonts(),
                                   sheet.outlines, &unfit));
        EXPECT_TRUE(unfit.empty());
        SCOPED_TRACE(sheet.count);
        ExpectLabelsInPlace(path, sheet.layout, first);
    }

    // The fonts go in the file, and the text keeps its & and its Japanese in order.
    const std::string path = Pdf("labels.pdf");
    bool gothic = false;
    for (const PdfFont& font : ReadPdfFonts(path)) {
        EXPECT_TRUE(font.embedded) << font.name;
        gothic |= font.name.find("IPAGothic") != std::string::npos;
    }
    EXPECT_TRUE(gothic);
    const std::string text = ReadPdfText(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '&'), 4);
    EXPECT_EQ(text.find("&&"), std::string::npos);
    EXPECT_NE(text.find("鈴木 一郎 様"), std::string::npos);
    EXPECT_NE(text.find("ｺﾙｳﾞｧﾈ商事"), std::string::npos);
    EXPECT_EQ(ui.Problems(), "");
}

TEST_F(LabelPdf, ALongAddressKeepsTheNameAndAnImpossibleLabelIsReported) {
    const CPageLayout layout = Layout(210, 297, 0, 10, 3, 8, 2, 2);
    std::string longAddress;
    for (int i = 0; i < 6; ++i)
        longAddress += "東京都千代田区千代田一丁目一番地 ";
    std::string impossible;
    for (int i = 0; i < 60; ++i)
        impossible += "北海道札幌市中央区北一条西\r\n";
    const std::vector<CAddrCard> cards = {
        JapaneseCard("高橋", "100-0001", longAddress.c_str(), "株式会社 ｺﾙｳﾞｧﾈ"),
        JapaneseCard("田中", "060-0001", impossible.c_str()),
        EnglishCard("Fits", "Fine"),
    };
    const std::string path = Pdf("long.pdf");
    std::vector<const CAddrCard*> unfit;
    ASSERT_TRUE(
        WriteLabelsPdf(path.c_str(), Pointers(cards), layout, DefaultFonts(), false, &unfit));
    EXPECT_EQ(unfit, (std::vector<const CAddrCard*>{&cards[1]}));

    const PdfContent pdf = ReadPdfWords(path);
    const RectMm cell0 = layout.GetCellTextRectF(0);
    bool nameShown = false;
    for (const PdfWord& w : pdf.words)
        if (w.text == "高橋") {
            nameShown = true;
            EXPECT_LE(w.bottom, cell0.bottom + kTolerance);
            EXPECT_GE(w.top, cell0.top);
        }
    EXPECT_TRUE(nameShown);
    EXPECT_EQ(ui.Problems(), "");
}

TEST_F(LabelPdf, NothingToPrintOrNoRoomIsSaidAndNoFileMade) {
    const std::string path = Pdf("none.pdf");
    ui.ExpectMessage("印刷するｶｰﾄﾞがありません。");
    EXPECT_FALSE(WriteLabelsPdf(path.c_str(), {}, CPageLayout(), DefaultFonts(), false));

    const CAddrCard card = EnglishCard("A", "B");
    const CAddrCard* one[] = {&card};
    CPageLayout cramped = Layout(100, 100, 0, 10, 2, 2, 20, 5);
    ui.ExpectMessage("このﾍﾟｰｼﾞﾚｲｱｳﾄにはﾗﾍﾞﾙの文字を印刷する場所がありません。\n"
                     "用紙の余白、行と列、ｾﾙ内余白を確かめてください。");
    EXPECT_FALSE(WriteLabelsPdf(path.c_str(), one, cramped, DefaultFonts(), false));
    cramped.m_nColumns = 0;
    ui.ExpectMessage("このﾍﾟｰｼﾞﾚｲｱｳﾄは値が範囲外のため印刷に使えません。\n"
                     "行と列は 1 から 100、寸法は -2000 mm から 2000 mm の範囲にしてください。");
    EXPECT_FALSE(WriteLabelsPdf(path.c_str(), one, cramped, DefaultFonts(), false));
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(ui.Problems(), "");
}

TEST_F(LabelPdf, AFailedWriteKeepsTheOldFile) {
    const std::string path = Pdf("kept.pdf");
    WriteBytes(path, "old");
    std::vector<CAddrCard> cards(40, JapaneseCard("山田", "123-4567", "東京都"));
    const LabelFonts fonts = DefaultFonts();
    ui.ExpectMessage("ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ " + path + " に書き込めません。");

    BOOL written = TRUE;
    WithFileSizeLimit(2000, [&] {
        written = WriteLabelsPdf(path.c_str(), Pointers(cards), CPageLayout(), fonts, false);
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.Path()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(ui.Problems(), "");
}
