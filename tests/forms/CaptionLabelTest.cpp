// The caption label paints its own lines, alignment, colours and disabled look.

#include "views/controls/CaptionLabel.h"
#include "FormsTestSupport.h"

#include <QtTest>

namespace {

const QColor kBack(200, 220, 255);
const QColor kTextBack(255, 255, 200);

// Rows (or columns) of the picture that hold a pixel darker than limit.
std::vector<int> Ink(const QImage& image, int limit, bool columns) {
    std::vector<int> found;
    const int outer = columns ? image.width() : image.height();
    const int inner = columns ? image.height() : image.width();
    for (int a = 0; a < outer; ++a)
        for (int b = 0; b < inner; ++b)
            if (qGray(columns ? image.pixel(a, b) : image.pixel(b, a)) < limit) {
                found.push_back(a);
                break;
            }
    return found;
}

std::unique_ptr<CCaptionLabel> MakeLabel(const QString& text, QSize size,
                                         Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto label = std::make_unique<CCaptionLabel>(text, nullptr, align);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Dark, QColor(128, 128, 128));
    label->setPalette(p);
    label->SetBackColor(kBack);
    label->SetTextBackColor(kTextBack);
    label->resize(size);
    return label;
}

} // namespace

class CaptionLabelTest : public QObject {
    Q_OBJECT
private slots:
    void linesBreakAtLineFeedsAndSkipEmptyOnes() {
        auto label = MakeLabel(QStringLiteral("A\n\nB"), {60, 80});
        const int lineHeight = label->fontMetrics().height();
        QCOMPARE(label->sizeHint().height(), 2 * lineHeight);
        const QImage image = label->grab().toImage();
        const std::vector<int> rows = Ink(image, 100, false);
        int gaps = 0;
        for (size_t i = 1; i < rows.size(); ++i)
            gaps += rows[i] != rows[i - 1] + 1;
        QCOMPARE(gaps, 1); // two lines of ink
        QVERIFY(rows.back() < 2 * lineHeight);
        // The back colour below the text image, the text-back colour behind it.
        QCOMPARE(image.pixelColor(59, 79), kBack);
        QCOMPARE(image.pixelColor(0, 0), kTextBack);
    }

    void textStartsLeftAndIsCutOnTheRight_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("align");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("firstInk");
        QTest::addColumn<int>("lastInk");
        const int left = int(Qt::AlignLeft | Qt::AlignTop);
        const int name = QFontMetrics(QApplication::font()).horizontalAdvance(Q("名前"));
        QTest::newRow("left") << Q("名前") << left << 120 << 0 << name;
        // Wider than the label: cut on the right.
        QTest::newRow("cut") << QStringLiteral("MMMMMMMMMMMM") << left << 40 << 0 << 39;
    }
    void textStartsLeftAndIsCutOnTheRight() {
        QFETCH(QString, text);
        QFETCH(int, align);
        QFETCH(int, width);
        QFETCH(int, firstInk);
        QFETCH(int, lastInk);
        auto label = MakeLabel(text, {width, 30}, Qt::Alignment(align));
        const std::vector<int> columns = Ink(label->grab().toImage(), 100, true);
        QVERIFY(!columns.empty());
        QVERIFY2(qAbs(columns.front() - firstInk) <= 3,
                 qPrintable(QString::number(columns.front())));
        QVERIFY2(qAbs(columns.back() - lastInk) <= 3, qPrintable(QString::number(columns.back())));
    }

    void disabledCaptionIsEmbossed() {
        auto label = MakeLabel(Q("住所"), {60, 20});
        QVERIFY(!Ink(label->grab().toImage(), 60, false).empty());
        label->setEnabled(false);
        const QImage image = label->grab().toImage();
        // Only the shadow grey and the white highlight: nothing as dark as the text.
        QVERIFY(Ink(image, 60, false).empty());
        QVERIFY(!Ink(image, 160, false).empty());
        // The highlight shows where the shadow does not cover it: pixels bluer
        // than the text-back colour, which has none.
        bool highlight = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                highlight |= image.pixelColor(x, y).blue() > 230 && qGray(image.pixel(x, y)) > 240;
        QVERIFY(highlight);
    }
};

KOLVANE_FORMS_TEST(CaptionLabelTest);

#include "CaptionLabelTest.moc"
