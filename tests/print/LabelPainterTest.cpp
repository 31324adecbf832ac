#include "PrintTestSupport.h"

#include "print/LabelPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr double kDpi = 100;

LabelFonts Fonts() {
    EnsureGuiApplication();
    CPrintFonts fonts;
    fonts.SetMissingToDefaults(600);
    return MakeLabelFonts(fonts, 600);
}

// A 100 x 60 mm sheet of 2 x 2 cells, 5 mm margins, text 3 mm inside the cells.
CPageLayout Sheet() {
    CPageLayout layout;
    layout.m_lenPageWidth = Length::fromMm(100);
    layout.m_lenPageHeight = Length::fromMm(60);
    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(5);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(5);
    layout.m_nColumns = 2;
    layout.m_nRows = 2;
    layout.m_lenCellMarginTop = layout.m_lenCellMarginBottom = Length::fromMm(3);
    layout.m_lenCellMarginLeft = layout.m_lenCellMarginRight = Length::fromMm(3);
    return layout;
}

QImage Page() {
    QImage image(qRound(100 / 25.4 * kDpi), qRound(60 / 25.4 * kDpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kDpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

// The box of the pixels that are not white, in millimetres; empty when none.
QRectF InkBox(const QImage& image, const QRectF& withinMm) {
    const double k = kDpi / 25.4;
    QRect box;
    for (int y = int(withinMm.top() * k); y < int(withinMm.bottom() * k); ++y)
        for (int x = int(withinMm.left() * k); x < int(withinMm.right() * k); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                box |= QRect(x, y, 1, 1);
    return box.isEmpty() ? QRectF()
                         : QRectF(box.left() / k, box.top() / k, box.width() / k, box.height() / k);
}

// Draws the plan's first page on a blank page image; the cells of labels that did not fit.
std::vector<int> Draw(QImage& image, const CPageLayout& layout, const CPagePlan& plan,
                      bool outlines = false, std::vector<UnfitLabel>* unfit = nullptr) {
    image = Page();
    QPainter painter(&image);
    std::vector<UnfitLabel> labels =
        CLabelPainter(layout, Fonts())
            .DrawPage(painter, PxPerMm::OfDevice(image), plan, 0, outlines);
    std::vector<int> cells;
    for (const UnfitLabel& u : labels)
        cells.push_back(u.cell);
    if (unfit)
        *unfit = labels;
    return cells;
}

} // namespace

TEST(LabelPainter, DrawsEachLabelInsideItsTextRectangle) {
    const std::vector<CAddrCard> cards = {JapaneseCard("山田", "123-4567", "東京都"),
                                          EnglishCard("Ann Lee", "Leeds"),
                                          JapaneseCard("佐藤", "", "大阪市")};
    const CPageLayout layout = Sheet();
    QImage image;
    EXPECT_TRUE(Draw(image, layout, CPagePlan({&cards[0], &cards[1], &cards[2]}, 4)).empty());
    for (int cell = 0; cell < 4; ++cell) {
        const RectMm c = layout.GetCellRectF(cell);
        const RectMm t = layout.GetCellTextRectF(cell);
        const QRectF ink =
            InkBox(image, QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)));
        if (cell == 3) {
            EXPECT_TRUE(ink.isEmpty());
            continue;
        }
        ASSERT_FALSE(ink.isEmpty()) << cell;
        EXPECT_GE(ink.left(), t.left - 0.3) << cell;
        EXPECT_LE(ink.left(), t.left + 1.0) << cell;
        EXPECT_GE(ink.top(), t.top - 0.3) << cell;
        EXPECT_LE(ink.top(), t.top + 1.5) << cell;
        EXPECT_LE(ink.right(), t.right + 0.3) << cell;
        EXPECT_LE(ink.bottom(), t.bottom + 0.3) << cell;
    }

    // The right column's cells: an empty cell shows its outline or nothing.
    const CPagePlan one({&cards[1]}, 4);
    Draw(image, layout, one, false);
    EXPECT_TRUE(InkBox(image, QRectF(50, 0, 50, 60)).isEmpty());
    Draw(image, layout, one, true);
    const QRectF outline = InkBox(image, QRectF(50, 0, 50, 60));
    EXPECT_NEAR(outline.left(), 50, 0.3);
    EXPECT_NEAR(outline.top(), 5, 0.3);
    EXPECT_NEAR(outline.right(), 95, 0.3);
    EXPECT_NEAR(outline.bottom(), 55, 0.3);
}

TEST(LabelPainter, ReportsWhatDidNotFitAndDrawsNothingWithoutRoom) {
    std::string lines;
    for (int i = 0; i < 30; ++i)
        lines += "東京都千代田区千代田\r\n";
    const std::vector<CAddrCard> cards = {EnglishCard("Fine", "x"),
                                          JapaneseCard("山田", "", lines.c_str())};
    const CPagePlan plan({&cards[0], &cards[1]}, 4);
    QImage image;
    std::vector<UnfitLabel> unfit;
    EXPECT_EQ(Draw(image, Sheet(), plan, false, &unfit), (std::vector<int>{1}));
    EXPECT_EQ(unfit.at(0).card, &cards[1]);
    // Cut at its text rectangle.
    EXPECT_LE(InkBox(image, QRectF(0, 30, 50, 30)).bottom(),
              Sheet().GetCellTextRectF(1).bottom + 0.3);

    CPageLayout cramped = Sheet();
    cramped.m_lenCellMarginLeft = Length::fromMm(43);
    EXPECT_EQ(Draw(image, cramped, plan, true), (std::vector<int>{0, 1}));
    EXPECT_TRUE(InkBox(image, QRectF(0, 0, 100, 60)).isEmpty());

    // A plan made for more cells than the layout has.
    const std::vector<CAddrCard> five(5, EnglishCard("x", "y"));
    const CPagePlan tooMany({&five[0], &five[1], &five[2], &five[3], &five[4]}, 5);
    EXPECT_EQ(Draw(image, Sheet(), tooMany), (std::vector<int>{4}));
}
