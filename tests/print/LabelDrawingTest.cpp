// Labels drawn: written to PDF and read back with pdftotext, where each label
// lands on which page, the refusals and a failed write; painted on an image,
// the ink stays inside the text rectangles.

#include "PrintTestSupport.h"

#include "platform/RecordingUserInteraction.h"
#include "print/LabelPainter.h"
#include "print/LabelPdf.h"

#include <QImage>
#include <QPainter>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <regex>
#include <sys/resource.h>

namespace {

struct PdfWord {
    int page = 0; // from 0
    double left = 0, top = 0;
    std::string text; // UTF-8
};

struct PdfContent {
    std::vector<std::pair<double, double>> pages; // width and height
    std::vector<PdfWord> words;
};

// Page sizes and words with their top left corners as pdftotext -bbox finds
// them, in millimetres.
PdfContent ReadPdfWords(const std::string& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QString::fromStdString(path), QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    const std::string html = pdftotext.readAllStandardOutput().toStdString();
    static const std::regex item(
        R"re(<page width="([-0-9.]+)" height="([-0-9.]+)">|<word xMin="([-0-9.]+)" yMin="([-0-9.]+)"[^>]*>([^<]*)</word>)re");
    const double mm = 25.4 / 72.0;
    PdfContent content;
    for (std::sregex_iterator it(html.begin(), html.end(), item), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched)
            content.pages.emplace_back(std::stod(m[1]) * mm, std::stod(m[2]) * mm);
        else
            content.words.push_back({static_cast<int>(content.pages.size()) - 1,
                                     std::stod(m[3]) * mm, std::stod(m[4]) * mm, m[5]});
    }
    return content;
}

// Runs write while files may grow to maxBytes only, as on a disk that fills up.
void WithFileSizeLimit(rlim_t maxBytes, const std::function<void()>& write) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = maxBytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}

class LabelPdf : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(ui.Problems(), ""); }

    TempDir root;
    RecordingUserInteraction ui;
};

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

// Labels run down the columns; each one's first word begins its text rectangle.
TEST_F(LabelPdf, EveryLabelStartsWhereItsTextRectangleBegins) {
    CPageLayout a4 = Sheet(210, 297, 0, 0, 2, 6, 4, 3);
    a4.m_lenPageMarginTop = a4.m_lenPageMarginBottom = Length::fromMm(21.6f);
    a4.m_lenPageMarginLeft = a4.m_lenPageMarginRight = Length::fromMm(18.6f);
    const struct {
        CPageLayout layout;
        int labels;
        bool outlines;
        double width, height; // of the pages
        int pages;
    } sheets[] = {
        {a4, 13, false, 210, 297, 2},
        {Sheet(210, 297, 1, 10, 2, 5, 5, 2.5f), 10, true, 297, 210, 1},
        // Letter, one cell inside 12.7 mm margins; the second label cannot fit.
        {CPageLayout(), 2, false, 215.9, 279.4, 2},
    };
    // Sheet, label, where its first word begins.
    const std::tuple<int, int, double, double> places[] = {
        {0, 0, 22.6, 24.6},    {0, 1, 22.6, 66.9},  {0, 5, 22.6, 236.1}, {0, 6, 109.0, 24.6},
        {0, 11, 109.0, 236.1}, {0, 12, 22.6, 24.6}, {1, 0, 15, 12.5},    {1, 4, 15, 164.5},
        {1, 9, 153.5, 164.5},  {2, 0, 12.7, 12.7}};
    std::string impossible;
    for (int i = 0; i < 150; ++i)
        impossible += "北海道札幌市中央区北一条西\r\n";
    for (int s = 0; s < 3; ++s) {
        const auto& sheet = sheets[s];
        SCOPED_TRACE(s);
        std::vector<CAddrCard> cards;
        for (int i = 0; i < sheet.labels; ++i) {
            const std::string name = "No" + std::to_string(i);
            cards.push_back(i % 2 ? JapaneseCard("鈴木 一郎", "100-0001", "東京都千代田区1-1")
                                  : EnglishCard(name.c_str(), "2 Elm St.\r\n東京", "", "Dr."));
        }
        if (s == 2)
            cards[1] = JapaneseCard("田中", "060-0001", impossible.c_str());
        std::vector<const CAddrCard*> listed, unfit = {&cards[0]};
        for (const CAddrCard& card : cards)
            listed.push_back(&card);
        const std::string path = root / "labels.pdf";
        ASSERT_TRUE(WriteLabelsPdf(path.c_str(), listed, sheet.layout, DefaultFonts(),
                                   sheet.outlines, &unfit));
        EXPECT_EQ(unfit, s == 2 ? std::vector<const CAddrCard*>{&cards[1]}
                                : std::vector<const CAddrCard*>{});

        const PdfContent pdf = ReadPdfWords(path);
        ASSERT_EQ(static_cast<int>(pdf.pages.size()), sheet.pages);
        for (const auto& [width, height] : pdf.pages) {
            EXPECT_NEAR(width, sheet.width, 0.2);
            EXPECT_NEAR(height, sheet.height, 0.2);
        }
        // English labels: the Japanese place name in a face the English font falls back on.
        EXPECT_EQ(std::count_if(pdf.words.begin(), pdf.words.end(),
                                [](const PdfWord& w) { return w.text == "東京"; }),
                  (sheet.labels + 1) / 2);
        for (const auto& [on, label, x, y] : places) {
            const std::string first = label % 2 ? "〒" : "No" + std::to_string(label);
            const int page = label / sheet.layout.GetCellCount();
            const auto there = [&, x = x, y = y](const PdfWord& w) {
                return w.page == page && w.text == first && std::abs(w.left - x) < 0.2 &&
                       std::abs(w.top - y) < 0.2;
            };
            EXPECT_TRUE(on != s || std::any_of(pdf.words.begin(), pdf.words.end(), there))
                << "label " << label;
        }
    }
}

// The GUI printing test reads the refusals for no cards and no room.
TEST_F(LabelPdf, AnImpossibleLayoutOrAFailedWriteKeepsTheOldFile) {
    const std::string path = root / "kept.pdf";
    WriteBytes(path, "old");
    const CAddrCard card = JapaneseCard("山田", "123-4567", "東京都");
    const std::vector<const CAddrCard*> cards(40, &card);
    const LabelFonts fonts = DefaultFonts();
    ui.ExpectMessage("このﾍﾟｰｼﾞﾚｲｱｳﾄは値が範囲外のため印刷に使えません。\n"
                     "行と列は 1 から 100、用紙の幅と高さは 0 mm を超え 2000 mm まで、"
                     "余白は 0 mm から 2000 mm の範囲にしてください。");
    EXPECT_FALSE(
        WriteLabelsPdf(path.c_str(), cards, Sheet(100, 100, 0, 10, 0, 2, 2, 2), fonts, false));
    ui.ExpectMessage("ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ " + path + " に書き込めません。");
    BOOL written = TRUE;
    WithFileSizeLimit(
        2000, [&] { written = WriteLabelsPdf(path.c_str(), cards, CPageLayout(), fonts, false); });
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.Path()), {}), 1);
}

// Where labels land is read from the PDF above; here the ink stays in
// the text rectangles (a word too long for a line is broken), a label too long
// is cut there and reported, and an empty cell shows its outline or nothing.
TEST(LabelPainter, DrawsEachLabelInsideItsTextRectangle) {
    std::string lines;
    for (int i = 0; i < 30; ++i)
        lines += "東京都千代田区千代田\r\n";
    const std::vector<CAddrCard> cards = {
        JapaneseCard("山田", "123-4567", "東京都"),
        EnglishCard("Ann Lee", "https://example.com/a/very/long/path/to/a/page"),
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
        if (!ink.isEmpty()) {
            EXPECT_TRUE(
                QRectF(QPointF(t.left - 0.3, t.top - 0.3), QPointF(t.right + 0.3, t.bottom + 0.3))
                    .contains(ink))
                << cell;
        }
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
