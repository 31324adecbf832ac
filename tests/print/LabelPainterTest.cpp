#include "PrintTestSupport.h"

#include "print/LabelPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr double kDpi = 100;

// A 100 x 60 mm sheet of 2 x 2 cells, 5 mm margins, text 3 mm inside the cells.
const CPageLayout kSheet = Sheet(100, 60, 0, 5, 2, 2, 3, 3);

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

// Draws the plan's first page on a blank page image; the labels that did not fit.
std::vector<UnfitLabel> Draw(QImage& image, const CPageLayout& layout, const CPagePlan& plan,
                             bool outlines = false) {
    image = QImage(qRound(100 / 25.4 * kDpi), qRound(60 / 25.4 * kDpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kDpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    return CLabelPainter(layout, DefaultFonts())
        .DrawPage(painter, PxPerMm::OfDevice(image), plan, 0, outlines);
}

} // namespace

// Where labels land is read from the PDF (LabelPdfTest); here the ink stays in
// the text rectangles, a label too long is cut there and reported, and an empty
// cell shows its outline or nothing.
TEST(LabelPainter, DrawsEachLabelInsideItsTextRectangle) {
    std::string lines;
    for (int i = 0; i < 30; ++i)
        lines += "東京都千代田区千代田\r\n";
    const std::vector<CAddrCard> cards = {JapaneseCard("山田", "123-4567", "東京都"),
                                          EnglishCard("Ann Lee", "Leeds"),
                                          JapaneseCard("佐藤", "", lines.c_str())};
    QImage image;
    const auto unfit = Draw(image, kSheet, CPagePlan({&cards[0], &cards[1], &cards[2]}, 4));
    ASSERT_EQ(unfit.size(), 1u);
    EXPECT_EQ(unfit[0].cell, 2);
    EXPECT_EQ(unfit[0].card, &cards[2]);
    for (int cell = 0; cell < 4; ++cell) {
        const RectMm c = kSheet.GetCellRectF(cell);
        const RectMm t = kSheet.GetCellTextRectF(cell);
        const QRectF ink =
            InkBox(image, QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)));
        EXPECT_EQ(ink.isEmpty(), cell == 3) << cell;
        if (!ink.isEmpty())
            EXPECT_TRUE(
                QRectF(QPointF(t.left - 0.3, t.top - 0.3), QPointF(t.right + 0.3, t.bottom + 0.3))
                    .contains(ink))
                << cell;
    }
    const CPagePlan one({&cards[1]}, 4);
    Draw(image, kSheet, one, false);
    EXPECT_TRUE(InkBox(image, QRectF(50, 0, 50, 60)).isEmpty());
    Draw(image, kSheet, one, true);
    EXPECT_EQ(InkBox(image, QRectF(50, 0, 50, 60)).toRect(), QRect(50, 5, 45, 50));

    // Without room nothing is drawn, outlines neither; a plan made for more cells
    // than the layout has.
    CPageLayout cramped = kSheet;
    cramped.m_lenCellMarginLeft = Length::fromMm(43);
    EXPECT_EQ(Draw(image, cramped, CPagePlan({&cards[0], &cards[1]}, 4), true).size(), 2u);
    EXPECT_TRUE(InkBox(image, QRectF(0, 0, 100, 60)).isEmpty());
    const CPagePlan tooMany({&cards[0], &cards[0], &cards[0], &cards[0], &cards[1]}, 5);
    EXPECT_EQ(Draw(image, kSheet, tooMany).at(0).cell, 4);
}
