// はがき・封筒の宛名印刷 from the main window: the dialog opens on the listed
// cards with those without an address left out, Page Down and Up move between
// them, and PDF に保存 writes one page a card.

#include "GuiTestSupport.h"

#include "layouts/LayoutRoot.h"
#include "model/AddrBookFile.h"
#include "print/PostcardLayout.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"
#include "views/PostcardDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

class PostcardDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }

    void opensOnTheListedCardsPagesThroughAndWritesPdf() {
        GuiSession s;
        SetLayoutRoot(s.dir.path().toLocal8Bit().constData());
        const QString bundled = QStringLiteral(BUNDLED_LAYOUTS_DIR "/");
        QVERIFY(QDir().mkpath(s.dir.filePath(QStringLiteral("POSTCARDS"))));
        QVERIFY(QFile::copy(bundled + QStringLiteral("HAGAKI.KVP"),
                            s.dir.filePath(QStringLiteral("POSTCARDS/HAGAKI.KVP"))));
        QVERIFY(QFile::copy(bundled + QStringLiteral("POSTBOX.DEF"),
                            s.dir.filePath(QStringLiteral("POSTBOX.DEF"))));
        CAddrBook book;
        book.m_methods.SetDefaults();
        for (const auto& [name, address] : {std::pair{"青木 優子", "東京都千代田区架空町1-2-3"},
                                            {"伊藤 健二", ""},
                                            {"上野 正人", "宮城県仙台市青葉区例町7-8"},
                                            {"太田 博", "愛知県名古屋市中区9-10"}}) {
            CAddrCard* card = MakeCard({0, "", name});
            card->m_strZip = CZkString(Sjis("100-0001"));
            card->m_strAddress = CZkString(Sjis(address));
            book.AddCard(card);
        }
        QVERIFY(!SaveAddrBook(s.Path("book.kvd").c_str(), book));
        QVERIFY(s.Start({QString::fromStdString(s.Path("book.kvd"))}));
        QVERIFY(QTest::qWaitForWindowExposed(&s.Frame()));

        QVERIFY(s.Frame().RunCommand(ID_FILE_POSTCARDS));
        auto* dialog = s.Frame().findChild<CPostcardDialog*>();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
        auto* count = dialog->findChild<QLabel*>(QStringLiteral("postcardCount"));
        QCOMPARE(count->text(), QStringLiteral("1 / 3 (宛名のないｶｰﾄﾞ 1 枚は除外)"));
        QVERIFY(dialog->Painter());
        QTest::keyClick(dialog, Qt::Key_PageDown);
        QTest::keyClick(dialog, Qt::Key_PageDown);
        QTest::keyClick(dialog, Qt::Key_PageDown);
        QCOMPARE(count->text().left(5), QStringLiteral("3 / 3"));
        QTest::keyClick(dialog, Qt::Key_PageUp);
        QCOMPARE(dialog->CurrentCard(), 1);
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QVERIFY(QDir().mkpath(folder) &&
                dialog->grab().save(folder + QStringLiteral("/postcard_dialog.png")));

        // The customer barcode asked for on postcards: its 67 bars cross the
        // middle third of its height, 139.8 mm down the card.
        dialog->findChild<QCheckBox*>(QStringLiteral("postcardBarcode"))->click();
        auto* envelopes = dialog->findChild<QCheckBox*>(QStringLiteral("envelopeBarcode"));
        QVERIFY(envelopes->isChecked());
        envelopes->click();
        const std::string pdf = s.Path("cards.pdf");
        s.ui.PickFile(pdf);
        dialog->findChild<QPushButton*>(QStringLiteral("postcardPdf"))->click();
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QString::fromStdString(pdf), QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(30000));
        QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        text.remove(QRegularExpression(QStringLiteral("\\s")));
        QCOMPARE(text.count(QStringLiteral("様")), 3);
        QCOMPARE(
            QProcess::execute(QStringLiteral("pdftoppm"),
                              {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("254"),
                               QStringLiteral("-l"), QStringLiteral("1"),
                               QString::fromStdString(pdf), s.dir.filePath(QStringLiteral("p"))}),
            0);
        const QImage page(s.dir.filePath(QStringLiteral("p-1.pgm")));
        int bars = 0;
        for (int x = 1; x < page.width(); ++x)
            bars += qGray(page.pixel(x, 1398)) < 128 && qGray(page.pixel(x - 1, 1398)) >= 128;
        QCOMPARE(bars, 67);
        // One page a card in the list's order, the card without an address left out.
        qsizetype at = -1;
        for (const QString& name : s.Column(0)) {
            const QString surname = name.section(u' ', 0, 0);
            if (surname == QStringLiteral("伊藤")) {
                QVERIFY(!text.contains(surname));
                continue;
            }
            QVERIFY2(text.indexOf(surname) > at, qPrintable(text));
            at = text.indexOf(surname);
        }
        dialog->findChild<QPushButton*>(QStringLiteral("postcardClose"))->click();
        QTRY_VERIFY(!s.Frame().findChild<CPostcardDialog*>());
        QCOMPARE(Utf8(s.ui.Problems()), QString());
        PostcardSettings kept;
        kept.LoadFromProfile();
        QVERIFY(kept.barcode && !kept.envelopeBarcode);
        SetLayoutRoot(nullptr);
    }
};

QTEST_MAIN(PostcardDialogTest)
#include "PostcardDialogTest.moc"
