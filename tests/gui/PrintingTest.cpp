// Printing labels from the main window: the print preview, printing to PDF
// through the print dialog's answers, and what happens without cards.

#include "GuiTestSupport.h"

#include "doc/UpdateHints.h"
#include "model/AddrBookFile.h"
#include "views/AddrListView.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/LabelPreviewDialog.h"
#include "views/MainFrame.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <cmath>

namespace {

const char* const kNoCards = "印刷するｶｰﾄﾞがありません。";

// A4 upright, 10 mm page margins, 2 mm inside each cell.
CPageLayout Sheet(int columns, int rows) {
    CPageLayout l;
    l.m_lenPageWidth = Length::fromMm(210.0f);
    l.m_lenPageHeight = Length::fromMm(297.0f);
    l.m_lenPageMarginTop = l.m_lenPageMarginBottom = Length::fromMm(10.0f);
    l.m_lenPageMarginLeft = l.m_lenPageMarginRight = Length::fromMm(10.0f);
    l.m_lenCellMarginTop = l.m_lenCellMarginBottom = Length::fromMm(2.0f);
    l.m_lenCellMarginLeft = l.m_lenCellMarginRight = Length::fromMm(2.0f);
    l.m_nColumns = columns;
    l.m_nRows = rows;
    return l;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(%1 failed)").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// What a PDF holds: its first page's size in whole points, then the member
// numbers in the order pdftotext finds them, each page ended by "|".
QString Printed(const std::string& path) {
    const QString file = QString::fromStdString(path);
    const QStringList size = Run(QStringLiteral("pdfinfo"), {file})
                                 .section(QStringLiteral("Page size:"), 1)
                                 .simplified()
                                 .split(u' ');
    QString printed = QStringLiteral("%1x%2:")
                          .arg(std::round(size.value(0).toDouble()))
                          .arg(std::round(size.value(2).toDouble()));
    const QString text = Run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    for (const QString& line : QString(text).replace(u'\f', QStringLiteral("\n|\n")).split(u'\n'))
        if (line == QStringLiteral("|"))
            printed += QStringLiteral(" |");
        else if (line.startsWith(QStringLiteral("会員")))
            printed += u' ' + line.mid(3, 2);
    return printed;
}

int RedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 120 && c.blue() < 120)
                ++count;
        }
    return count;
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiSession> s;

    // Ten Japanese cards listed in this order; the first seven live in Tokyo.
    void StartOnMembers(const CPageLayout& layout, const char* overfullAddress = nullptr) {
        CAddrBook book;
        book.m_methods.SetDefaults();
        for (int i = 1; i <= 10; ++i) {
            std::string n = std::to_string(i);
            if (i < 10)
                n.insert(0, 1, '0');
            CAddrCard* card = MakeCard({0, ("かいいん " + n).c_str(), ("会員 " + n).c_str()});
            card->m_strZip = CZkString(Sjis(("100-00" + n).c_str()));
            const std::string address = (i <= 7 ? "東京都千代田区" : "大阪府大阪市北区") +
                                        ("一丁目" + n + "番地\r\nｺﾙｳﾞｧﾈﾋﾞﾙ");
            card->m_strAddress =
                CZkString(Sjis(i == 2 && overfullAddress ? overfullAddress : address.c_str()));
            book.AddCard(card);
        }
        QVERIFY(!SaveAddrBook(s->Path("members.kvd").c_str(), book));
        QVERIFY(s->Start({QString::fromStdString(s->Path("members.kvd"))}));
        QVERIFY(QTest::qWaitForWindowExposed(&s->Frame()));
        s->List().SetPageLayout(layout);
    }
    void Search(const char* utf8) { s->Frame().SearchBox().setText(QString::fromUtf8(utf8)); }
    CLabelPreviewDialog* OpenPreview() {
        if (!s->Frame().RunCommand(ID_FILE_PRINT_PREVIEW))
            return nullptr;
        auto* preview = s->Frame().findChild<CLabelPreviewDialog*>();
        return preview && QTest::qWaitForWindowExposed(preview) ? preview : nullptr;
    }

private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }
    void init() { s = std::make_unique<GuiSession>(); }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
    }

    void previewShowsTheListedCardsMarksWhatDoesNotFitAndClosesWithTheList() {
        const QByteArray lines = QByteArray("長い住所の行がつづきます\r\n").repeated(60);
        StartOnMembers(Sheet(1, 2), lines.constData()); // 会員 02 does not fit
        Search("大阪");
        CLabelPreviewDialog* preview = OpenPreview();
        QVERIFY(preview);
        QTRY_COMPARE(preview->Preview().pageCount(), 2);
        preview->resize(1024, 768);
        QTest::qWait(50);
        QCOMPARE(RedPixels(preview->grab().toImage()), 0);
        preview->findChild<QPushButton*>(QStringLiteral("previewNext"))->click();
        QCOMPARE(preview->Preview().currentPage(), 2);
        preview->findChild<QPushButton*>(QStringLiteral("previewClose"))->click();
        QTRY_VERIFY(!s->Frame().findChild<CLabelPreviewDialog*>());
        // A changed list closes the preview.
        QVERIFY(OpenPreview());
        s->Doc().UpdateAllViews(nullptr, HINT_REBUILD_LIST, nullptr);
        QTRY_VERIFY(!s->Frame().findChild<CLabelPreviewDialog*>());
        Search("");
        preview = OpenPreview();
        QVERIFY(preview);
        QTRY_COMPARE(preview->Preview().pageCount(), 5);
        QTest::qWait(50);
        const QImage unfit = preview->grab().toImage();
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QVERIFY(QDir().mkpath(folder) && unfit.save(folder + QStringLiteral("/print_preview.png")));
        QVERIFY(RedPixels(unfit) > 100);
        // The preview's print button hands over to the print command.
        const std::string pdf = s->Path("unfit.pdf");
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, pdf})
            .ExpectMessage("次のｶｰﾄﾞはﾗﾍﾞﾙに収まらないため、文字の一部が印刷されません。\n"
                           "\n会員 02");
        preview->findChild<QPushButton*>(QStringLiteral("previewPrint"))->click();
        const QString printed = Printed(pdf);
        QVERIFY2(printed.startsWith(QStringLiteral("595x842: 01")) && printed.count(u'|') == 5,
                 qPrintable(printed));
        QTRY_VERIFY(!s->Frame().findChild<CLabelPreviewDialog*>());
    }

    void printsTheChosenRowsAndPagesOnTheLayoutsPaperOrSaysWhyNot() {
        StartOnMembers(Sheet(1, 3));
        // The selection prints in list order.
        s->SelectRows({7, 0, 5, 2});
        const std::string pdf = s->Path("labels.pdf");
        s->ui.ChoosePrint({PrintChoice::Range::selection, {}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(s->ui.printPrompts.at(0).lastPage, 4); // all ten rows on three-label pages
        QVERIFY(s->ui.printPrompts[0].selectionEnabled);
        QCOMPARE(Printed(pdf), QStringLiteral("595x842: 01 03 06 | 08 |"));
        QVERIFY(Run(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")})
                    .contains(QStringLiteral(
                        "〒 100-0001\n東京都千代田区一丁目01番地\nｺﾙｳﾞｧﾈﾋﾞﾙ\n会員 01 様")));
        // Pages are counted from the listed rows; ranges print only those.
        Search("東京");
        s->ui.ChoosePrint({PrintChoice::Range::pages, {{2, 2}, {3, 9}}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(s->ui.printPrompts.at(1).lastPage, 3);
        QVERIFY(!s->ui.printPrompts[1].selectionEnabled);
        QCOMPARE(Printed(pdf), QStringLiteral("595x842: 04 05 06 | 07 |"));
        // Pages beyond the last one print nothing and say so.
        s->ui.ChoosePrint({PrintChoice::Range::pages, {{4, 5}}, s->Path("none.pdf")})
            .ExpectMessage(kNoCards);
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QVERIFY(!QFile::exists(QString::fromStdString(s->Path("none.pdf"))));
        // The paper is the sheet's in its orientation; labels run down each
        // column and the text reads across the rows.
        Search("");
        CPageLayout landscape = Sheet(3, 2);
        landscape.m_nOrientation = 1;
        s->List().SetPageLayout(landscape);
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(Printed(pdf), QStringLiteral("842x595: 01 03 05 02 04 06 | 07 09 08 10 |"));
        CPageLayout letter;
        letter.m_nColumns = 2;
        letter.m_nRows = 5;
        s->List().SetPageLayout(letter);
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(Printed(pdf), QStringLiteral("612x792: 01 06 02 07 03 08 04 09 05 10 |"));
        // A cancelled print writes nothing; a printer that cannot start is reported.
        QVERIFY(QFile::remove(QString::fromStdString(pdf)));
        s->ui.CancelPrint();
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(s->ui.printPrompts.size(), size_t(6));
        QVERIFY(QDir(s->dir.path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, s->Path("no/such/folder/labels.pdf")})
            .ExpectMessage("印刷を開始できませんでした。");
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(s->ui.messages.back().type, UINT(MB_ICONSTOP));
        // Without cards or room for text, printing and the preview are refused
        // before any dialog.
        CPageLayout crowded = Sheet(2, 5);
        crowded.m_lenCellMarginLeft = Length::fromMm(60.0f);
        crowded.m_lenCellMarginRight = Length::fromMm(40.0f);
        const std::tuple<const char*, CPageLayout, const char*, UINT> refusals[]{
            {"名古屋", Sheet(2, 5), kNoCards, MB_ICONINFORMATION},
            {"", crowded,
             "このﾍﾟｰｼﾞﾚｲｱｳﾄにはﾗﾍﾞﾙの文字を印刷する場所がありません。\n"
             "用紙の余白、行と列、ｾﾙ内余白を確かめてください。",
             MB_ICONSTOP}};
        for (const auto& [search, layout, message, icon] : refusals) {
            Search(search);
            s->List().SetPageLayout(layout);
            s->ui.ExpectMessage(message).ExpectMessage(message);
            QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
            QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT_PREVIEW));
            QCOMPARE(s->ui.printPrompts.size(), size_t(7));
            QVERIFY(!s->Frame().findChild<CLabelPreviewDialog*>());
            QCOMPARE(s->ui.messages.back().type, icon);
        }
        // Printing waits for the list; printer setup does not.
        s->SelectRows({0});
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QVERIFY(!s->Frame().RunCommand(ID_FILE_PRINT));
        QVERIFY(!s->Frame().RunCommand(ID_FILE_PRINT_PREVIEW));
        s->ui.AnswerPrinterSetup(true);
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT_SETUP));
        QCOMPARE(s->ui.printerSetups, 1);
    }
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
