// The caption label paints its own lines, alignment, colours and disabled look,
// and reports clicks.

#include "views/controls/CaptionLabel.h"
#include "FormsTestSupport.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QColor kBack(200, 220, 255);
const QColor kTextBack(255, 255, 200);

// Rows (or columns) of the picture that hold a pixel darker than limit.
std::vector<int> InkRows(const QImage& image, int limit) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < limit) {
                rows.push_back(y);
                break;
            }
    return rows;
}

std::vector<int> InkColumns(const QImage& image, int limit) {
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < limit) {
                columns.push_back(x);
                break;
            }
    return columns;
}

// Number of runs of consecutive values.
int Bands(const std::vector<int>& rows) {
    int bands = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        if (i == 0 || rows[i] != rows[i - 1] + 1)
            ++bands;
    return bands;
}

std::unique_ptr<CCaptionLabel> MakeLabel(const QString& text, int width, int height,
                                         Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto label = std::make_unique<CCaptionLabel>(text, nullptr, align);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Dark, QColor(128, 128, 128));
    label->setPalette(p);
    label->SetBackColor(kBack);
    label->SetTextBackColor(kTextBack);
    label->resize(width, height);
    return label;
}

} // namespace

class CaptionLabelTest : public QObject {
    Q_OBJECT
private slots:
    void linesBreakAtLineFeedsAndSkipEmptyOnes() {
        auto label = MakeLabel(QStringLiteral("A\n\nB"), 60, 80);
        const int lineHeight = label->fontMetrics().height();
        QCOMPARE(label->sizeHint().height(), 2 * lineHeight);
        const QImage image = label->grab().toImage();
        const std::vector<int> rows = InkRows(image, 100);
        QCOMPARE(Bands(rows), 2);
        QVERIFY(rows.back() < 2 * lineHeight);
        // The client area keeps the back colour below the text image, the text
        // image the text-back colour.
        QCOMPARE(image.pixelColor(59, 79), kBack);
        QCOMPARE(image.pixelColor(0, 0), kTextBack);
    }

    void alignmentPlacesTheTextImage() {
        const QString text = QStringLiteral("名前");
        auto left = MakeLabel(text, 120, 30);
        auto right = MakeLabel(text, 120, 30, Qt::AlignRight | Qt::AlignBottom);
        auto centre = MakeLabel(text, 120, 30, Qt::AlignHCenter | Qt::AlignVCenter);
        const int textWidth = left->fontMetrics().horizontalAdvance(text);

        const std::vector<int> leftColumns = InkColumns(left->grab().toImage(), 100);
        QVERIFY(!leftColumns.empty());
        QVERIFY(leftColumns.front() < 4);
        QVERIFY(leftColumns.back() < textWidth + 2);

        const QImage rightImage = right->grab().toImage();
        const std::vector<int> rightColumns = InkColumns(rightImage, 100);
        QVERIFY(rightColumns.front() > 120 - textWidth - 3);
        QVERIFY(InkRows(rightImage, 100).front() >= 30 - right->fontMetrics().height());

        const std::vector<int> centreColumns = InkColumns(centre->grab().toImage(), 100);
        const int middle = (centreColumns.front() + centreColumns.back()) / 2;
        QVERIFY(qAbs(middle - 60) <= 3);
    }

    void textWiderThanTheLabelIsCutOnTheRight() {
        auto label = MakeLabel(QStringLiteral("MMMMMMMMMMMM"), 40, 20);
        const std::vector<int> columns = InkColumns(label->grab().toImage(), 100);
        QVERIFY(columns.front() < 4);
        QVERIFY(columns.back() >= 38);
    }

    void disabledCaptionIsEmbossed() {
        auto label = MakeLabel(QStringLiteral("住所"), 60, 20);
        QVERIFY(!InkRows(label->grab().toImage(), 60).empty());
        label->setEnabled(false);
        const QImage image = label->grab().toImage();
        // Only the shadow grey and the white highlight: nothing as dark as the text colour.
        QVERIFY(InkRows(image, 60).empty());
        QVERIFY(!InkRows(image, 160).empty());
        // The white highlight shows where the shadow does not cover it: pixels
        // bluer than the text-back colour, which has none.
        bool highlight = false;
        for (int y = 0; y < image.height() && !highlight; ++y)
            for (int x = 0; x < image.width() && !highlight; ++x)
                highlight = image.pixelColor(x, y).blue() > 230 && qGray(image.pixel(x, y)) > 240;
        QVERIFY(highlight);
    }

    void boldAndTextSettersRepaintAndClicksAreReported() {
        auto label = MakeLabel(QStringLiteral("Name"), 60, 20);
        const int normal = label->sizeHint().width();
        label->SetBold(TRUE);
        QCOMPARE(label->font().weight(), QFont::Bold);
        QVERIFY(label->sizeHint().width() >= normal);
        label->SetBold(FALSE);
        QCOMPARE(label->font().weight(), QFont::Normal);

        label->SetText(QStringLiteral("Fax"));
        QCOMPARE(label->Text(), QStringLiteral("Fax"));

        label->show();
        QSignalSpy clicks(label.get(), &CCaptionLabel::clicked);
        QTest::mouseClick(label.get(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(label.get(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 1);
    }
};

KOLVANE_FORMS_TEST(CaptionLabelTest);

#include "CaptionLabelTest.moc"
