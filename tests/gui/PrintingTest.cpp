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

#include <QAction>
#include <QApplication>
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

// Ten Japanese cards listed in this order; the first seven live in Tokyo.
void WriteMemberBook(const std::string& path, const char* overfullAddress = nullptr) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    for (int i = 1; i <= 10; ++i) {
        const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
        auto* card = new CAddrCard;
        card->m_nNotation = 0;
        card->m_strFurigana = CZkString(Sjis(("かいいん " + n).c_str()));
        card->m_strName = CZkString(Sjis(("会員 " + n).c_str()));
        card->m_strZip = CZkString(Sjis(("100-00" + n).c_str()));
        const std::string city = i <= 7 ? "東京都千代田区" : "大阪府大阪市北区";
        card->m_strAddress = CZkString(Sjis((city + "一丁目" + n + "番地\r\nｺﾙｳﾞｧﾈﾋﾞﾙ").c_str()));
        if (i == 2 && overfullAddress)
            card->m_strAddress = CZkString(Sjis(overfullAddress));
        book.AddCard(card);
    }
    if (SaveAddrBook(path.c_str(), book))
        qFatal("cannot write %s", path.c_str());
}

// A4 upright, 10 mm page margins, 2 mm inside each cell.
CPageLayout Sheet(int columns, int rows) {
    CPageLayout layout;
    layout.SetName(Sjis("試験用"));
    layout.m_lenPageWidth = Length::fromMm(210.0f);
    layout.m_lenPageHeight = Length::fromMm(297.0f);
    for (Length* margin : {&layout.m_lenPageMarginTop, &layout.m_lenPageMarginBottom,
                           &layout.m_lenPageMarginLeft, &layout.m_lenPageMarginRight})
        *margin = Length::fromMm(10.0f);
    for (Length* margin : {&layout.m_lenCellMarginTop, &layout.m_lenCellMarginBottom,
                           &layout.m_lenCellMarginLeft, &layout.m_lenCellMarginRight})
        *margin = Length::fromMm(2.0f);
    layout.m_nColumns = columns;
    layout.m_nRows = rows;
    return layout;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(%1 failed)").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const std::string& path) {
    const QString info = Run(QStringLiteral("pdfinfo"), {QString::fromStdString(path)});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The first page's size in whole points.
QSizeF PdfPageSize(const std::string& path) {
    const QString info = Run(QStringLiteral("pdfinfo"), {QString::fromStdString(path)});
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QStringLiteral("Page size:")))
            continue;
        const QStringList words = line.mid(10).simplified().split(QLatin1Char(' '));
        if (words.size() >= 3)
            return QSizeF(std::round(words[0].toDouble()), std::round(words[2].toDouble()));
    }
    return {};
}

// The text of one page, label lines as pdftotext reads them.
QString PdfPageText(const std::string& path, int page) {
    const QString n = QString::number(page);
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                             QString::fromStdString(path), QStringLiteral("-")});
}

// The names on a page, in the order pdftotext finds them.
QStringList NamesOn(const QString& text) {
    QStringList names;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("会員")))
            names << line;
    return names;
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

    void StartOnMembers(const CPageLayout& layout, const char* overfullAddress = nullptr) {
        WriteMemberBook(s->Path("members.kvd"), overfullAddress);
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
    static QString Screenshots() {
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(folder);
        return folder;
    }

private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }
    void init() { s = std::make_unique<GuiSession>(); }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
    }

    void previewShowsThePagesOfTheFilteredListWithOutlines() {
        StartOnMembers(Sheet(2, 3));
        Search("東京");
        QCOMPARE(s->List().GetRowCount(), 7);
        CLabelPreviewDialog* preview = OpenPreview();
        QVERIFY(preview);
        QTRY_COMPARE(preview->Preview().pageCount(), 2);
        QCOMPARE(preview->Preview().currentPage(), 1);
        QVERIFY(s->ui.printPrompts.empty());

        preview->resize(1024, 768);
        QTest::qWait(50);
        const QImage whole = preview->grab().toImage();
        QCOMPARE(whole.size(), QSize(1024, 768));
        QVERIFY(whole.save(Screenshots() + QStringLiteral("/print_preview.png")));
        QCOMPARE(RedPixels(whole), 0);

        preview->findChild<QPushButton*>(QStringLiteral("previewNext"))->click();
        QCOMPARE(preview->Preview().currentPage(), 2);
        preview->findChild<QPushButton*>(QStringLiteral("previewClose"))->click();
        QTRY_VERIFY(!s->Frame().findChild<CLabelPreviewDialog*>());
    }

    void thePreviewClosesWhenTheListChanges() {
        StartOnMembers(Sheet(2, 3));
        QVERIFY(OpenPreview());
        s->Doc().UpdateAllViews(nullptr, HINT_REBUILD_LIST, nullptr);
        QTRY_VERIFY(!s->Frame().findChild<CLabelPreviewDialog*>());
    }

    void previewMarksALabelThatDoesNotFitAndPrintingNamesIt() {
        std::string lines;
        for (int i = 0; i < 60; ++i)
            lines += "長い住所の行がつづきます\r\n";
        StartOnMembers(Sheet(2, 5), lines.c_str());
        CLabelPreviewDialog* preview = OpenPreview();
        QVERIFY(preview);
        QTRY_COMPARE(preview->Preview().pageCount(), 1);
        QTest::qWait(50);
        const QImage shot = preview->grab().toImage();
        QVERIFY(shot.save(Screenshots() + QStringLiteral("/print_preview_unfit.png")));
        QVERIFY(RedPixels(shot) > 100);

        // The preview's print button hands over to the print command.
        const std::string pdf = s->Path("unfit.pdf");
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, pdf})
            .ExpectMessage("次のｶｰﾄﾞはﾗﾍﾞﾙに収まらないため、文字の一部が印刷されません。\n"
                           "\n会員 02");
        preview->findChild<QPushButton*>(QStringLiteral("previewPrint"))->click();
        QCOMPARE(PdfPages(pdf), 1);
        QTRY_VERIFY(!s->Frame().findChild<CLabelPreviewDialog*>());
    }

    void printsTheSelectedRowsInListOrderToPdf() {
        StartOnMembers(Sheet(1, 3));
        s->SelectRows({7, 0, 5, 2});
        const std::string pdf = s->Path("selection.pdf");
        s->ui.ChoosePrint({PrintChoice::Range::selection, {}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));

        QCOMPARE(s->ui.printPrompts.size(), size_t(1));
        QCOMPARE(s->ui.printPrompts[0].lastPage, 4); // all ten rows on three-label pages
        QVERIFY(s->ui.printPrompts[0].selectionEnabled);
        QCOMPARE(PdfPages(pdf), 2);
        const QString first = PdfPageText(pdf, 1);
        QCOMPARE(NamesOn(first),
                 (QStringList{QStringLiteral("会員 01 様"), QStringLiteral("会員 03 様"),
                              QStringLiteral("会員 06 様")}));
        QVERIFY(first.contains(QStringLiteral("〒 100-0001\n東京都千代田区一丁目01番地\nｺﾙｳﾞｧﾈﾋﾞﾙ\n"
                                              "会員 01 様")));
        QCOMPARE(NamesOn(PdfPageText(pdf, 2)), QStringList{QStringLiteral("会員 08 様")});
    }

    void pagesAreCountedFromTheListedRowsAndRangesPrintOnlyThose() {
        StartOnMembers(Sheet(1, 3));
        Search("東京");
        const std::string pdf = s->Path("range.pdf");
        s->ui.ChoosePrint({PrintChoice::Range::pages, {{2, 2}, {3, 9}}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(s->ui.printPrompts[0].lastPage, 3);
        QVERIFY(!s->ui.printPrompts[0].selectionEnabled);
        QCOMPARE(PdfPages(pdf), 2);
        QCOMPARE(NamesOn(PdfPageText(pdf, 1)),
                 (QStringList{QStringLiteral("会員 04 様"), QStringLiteral("会員 05 様"),
                              QStringLiteral("会員 06 様")}));
        QCOMPARE(NamesOn(PdfPageText(pdf, 2)), QStringList{QStringLiteral("会員 07 様")});

        // Pages beyond the last one print nothing and say so.
        s->ui.ChoosePrint({PrintChoice::Range::pages, {{4, 5}}, s->Path("none.pdf")})
            .ExpectMessage(kNoCards);
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QVERIFY(!QFile::exists(QString::fromStdString(s->Path("none.pdf"))));
    }

    void printingWithoutRoomOrCardsIsRefusedBeforeAnyDialog_data() {
        QTest::addColumn<bool>("crowded");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("no room for text")
            << true << QString()
            << QStringLiteral("このﾍﾟｰｼﾞﾚｲｱｳﾄにはﾗﾍﾞﾙの文字を印刷する場所がありません。\n"
                              "用紙の余白、行と列、ｾﾙ内余白を確かめてください。")
            << int(MB_ICONSTOP);
        QTest::newRow("no cards listed") << false << QStringLiteral("名古屋")
                                         << QString::fromUtf8(kNoCards) << int(MB_ICONINFORMATION);
    }
    void printingWithoutRoomOrCardsIsRefusedBeforeAnyDialog() {
        QFETCH(bool, crowded);
        QFETCH(QString, search);
        QFETCH(QString, message);
        QFETCH(int, icon);
        CPageLayout sheet = Sheet(2, 5);
        if (crowded) {
            sheet.m_lenCellMarginLeft = Length::fromMm(60.0f);
            sheet.m_lenCellMarginRight = Length::fromMm(40.0f);
        }
        StartOnMembers(sheet);
        s->Frame().SearchBox().setText(search);
        s->ui.ExpectMessage(message.toStdString()).ExpectMessage(message.toStdString());
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT_PREVIEW));
        QVERIFY(s->ui.printPrompts.empty());
        QVERIFY(!s->Frame().findChild<CLabelPreviewDialog*>());
        QCOMPARE(s->ui.messages.at(0).type, UINT(icon));
    }

    void aPrinterThatCannotStartIsReported() {
        StartOnMembers(Sheet(2, 5));
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, s->Path("no/such/folder/labels.pdf")})
            .ExpectMessage("印刷を開始できませんでした。");
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(s->ui.messages.at(0).type, UINT(MB_ICONSTOP));
    }

    void thePaperIsTheSheetsInItsOrientation() {
        CPageLayout landscape = Sheet(3, 2);
        landscape.m_nOrientation = 1;
        StartOnMembers(landscape);
        const std::string pdf = s->Path("landscape.pdf");
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(PdfPages(pdf), 2);
        QCOMPARE(PdfPageSize(pdf), QSizeF(842, 595)); // A4 across, in points
        // Labels run down each column; the text reads across the rows.
        QCOMPARE(NamesOn(PdfPageText(pdf, 1)),
                 (QStringList{QStringLiteral("会員 01 様"), QStringLiteral("会員 03 様"),
                              QStringLiteral("会員 05 様"), QStringLiteral("会員 02 様"),
                              QStringLiteral("会員 04 様"), QStringLiteral("会員 06 様")}));

        CPageLayout letter;
        letter.m_nColumns = 2;
        letter.m_nRows = 5;
        s->List().SetPageLayout(letter);
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(PdfPages(pdf), 1);
        QCOMPARE(PdfPageSize(pdf), QSizeF(612, 792));
    }

    void cancellingThePrintDialogPrintsNothing() {
        StartOnMembers(Sheet(2, 5));
        s->ui.CancelPrint();
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QCOMPARE(s->ui.printPrompts.size(), size_t(1));
        QVERIFY(QDir(s->dir.path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
    }

    void printingWaitsForTheListWhilePrinterSetupDoesNot() {
        StartOnMembers(Sheet(2, 5));
        s->SelectRows({0});
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QVERIFY(!s->Frame().Action(ID_FILE_PRINT)->isEnabled());
        QVERIFY(!s->Frame().Action(ID_FILE_PRINT_PREVIEW)->isEnabled());
        QVERIFY(!s->Frame().RunCommand(ID_FILE_PRINT));
        s->ui.AnswerPrinterSetup(true);
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT_SETUP));
        QCOMPARE(s->ui.printerSetups, 1);
        QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
        QVERIFY(s->Frame().Action(ID_FILE_PRINT)->isEnabled());
        QCOMPARE(s->Frame().Action(ID_FILE_PRINT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    }

    void theLayoutAndFontsComeFromTheSettingsAndGoBackOnClose() {
        s->settings.WriteProfileString("PageLayout", "LayoutName", "A4 12");
        s->settings.WriteProfileInt("PageLayout", "Columns", 2);
        s->settings.WriteProfileInt("PageLayout", "Rows", 6);
        s->settings.WriteProfileInt("PageLayout", "PageMarginLeft", 1905);
        WriteMemberBook(s->Path("members.kvd"));
        QVERIFY(s->Start({QString::fromStdString(s->Path("members.kvd"))}));
        QCOMPARE(s->List().PageLayout().GetCellCount(), 12);
        QCOMPARE(s->List().PageLayout().m_lenPageMarginLeft.mm(), 19.05f);
        QCOMPARE(QString::fromLatin1(s->List().PrintFonts().m_lfJapanese.lfFaceName),
                 QStringLiteral("IPAGothic"));
        QCOMPARE(s->List().PrintFonts().m_lfJapanese.lfHeight, -75);

        s->List().SetPageLayout(Sheet(3, 7));
        QVERIFY(s->Close());
        s->End();
        QCOMPARE(s->settings.GetProfileString("PageLayout", "LayoutName"), Sjis("試験用"));
        QCOMPARE(s->settings.GetProfileInt("PageLayout", "Columns", 0), 3);
        QCOMPARE(s->settings.GetProfileInt("PageLayout", "Rows", 0), 7);
        QCOMPARE(s->settings.GetProfileInt("PageLayout", "PageWidth", 0), 21000);
        QCOMPARE(s->settings.GetProfileInt("PageLayout", "CellMarginTop", 0), 200);
        QVERIFY(s->settings.Contains("Settings", "PrintFontJa"));
    }
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
