// 郵便番号と住所の確認 from the card menu, on the bundled postal table: the
// Japanese cards whose code is unknown or disagrees with the address, by
// reading, and a double-click that opens the card's form even when the list's
// index does not show it.

#include "GuiTestSupport.h"

#include "model/AddrBookFile.h"
#include "model/ListFilters.h"
#include "views/AddrListView.h"
#include "views/CardForm.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"
#include "views/dialogs/PostcodeCheckDlg.h"

#include <QAbstractItemView>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>

class PostcodeCheckTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }

    void listsTheCardsToMendAndOpensOne() {
        GuiSession s;
        CAddrBook book;
        book.m_methods.SetDefaults();
        struct {
            int notation;
            const char* reading;
            const char* name;
            const char* zip;
            const char* address;
        } const cards[] = {
            {NOTATION_JAPANESE, "うえの", "上野 正人", "000-0000", "東京都港区例町1"},
            {NOTATION_JAPANESE, "あおき", "青木 優子", "100-0001", "東京都千代田区千代田1-1"},
            {NOTATION_ENGLISH, "", "Smith John", "12345", "1 Main St."},
            {NOTATION_JAPANESE, "いとう", "伊藤 健二", "〒100-0001", "大阪府大阪市北区\r\n梅田1-1"},
            {NOTATION_JAPANESE, "えとう", "江藤 博", "", "宮城県仙台市青葉区一番町2"},
        };
        for (const auto& c : cards) {
            CAddrCard* card = MakeCard({c.notation, c.reading, c.name});
            card->m_strZip = CZkString(Sjis(c.zip));
            card->m_strAddress = CZkString(Sjis(c.address));
            book.AddCard(card);
        }
        QVERIFY(!SaveAddrBook(s.Path("book.kvd").c_str(), book));
        QVERIFY(s.Start({QString::fromStdString(s.Path("book.kvd"))}));
        QVERIFY(QTest::qWaitForWindowExposed(&s.Frame()));
        // The 英 index shows the English card alone, so the card to open is not listed.
        QVERIFY(s.Frame().RunCommand(FILTER_ENGLISH));
        QCOMPARE(s.Column(0), QStringList{QStringLiteral("Smith John")});

        QAction* command = nullptr;
        for (QAction* item : s.Frame().menuBar()->actions().at(2)->menu()->actions())
            if (item->text() == QStringLiteral("郵便番号と住所の確認(&Z)..."))
                command = item;
        QVERIFY(command && command->isEnabled());
        QStringList rows;
        QString count;
        WhenShown<CPostcodeCheckDlg>([&](CPostcodeCheckDlg& dialog) {
            auto* table = dialog.findChild<QTableView*>(QStringLiteral("postcodeCheckTable"));
            const QAbstractItemModel* model = table->model();
            for (int row = -1; row < model->rowCount(); ++row) { // the header first
                QStringList texts;
                for (int column = 0; column < model->columnCount(); ++column)
                    texts << (row < 0 ? model->headerData(column, Qt::Horizontal)
                                      : model->index(row, column).data())
                                 .toString();
                rows << texts.join(u'|');
            }
            count = dialog.findChild<QLabel*>(QStringLiteral("postcodeCheckCount"))->text();
            const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
            QDir().mkpath(folder);
            dialog.grab().save(folder + QStringLiteral("/postcode_check.png"));
            const QRect cell = table->visualRect(model->index(0, 0));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            if (dialog.isVisible())
                dialog.reject(); // the double-click failed; the checks below say so
        });
        command->trigger();

        QCOMPARE(rows,
                 (QStringList{QStringLiteral("名前|郵便番号|住所|結果"),
                              QStringLiteral("伊藤 健二|〒100-0001|大阪府大阪市北区 "
                                             "梅田1-1|住所と不一致"),
                              QStringLiteral("上野 正人|000-0000|東京都港区例町1|該当なし")}));
        QCOMPARE(count, QStringLiteral("2 件の確認が必要なｶｰﾄﾞ / 5 件中"));
        QCOMPARE(s.Frame().ActiveSlot(), int(CMainFrame::SLOT_JAPANESE));
        QWidget* form = s.Frame().Form(CMainFrame::SLOT_JAPANESE)->Widget();
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text(),
                 QStringLiteral("伊藤 健二"));
        QCOMPARE(s.Count(), QStringLiteral("5 / 5"));
        QCOMPARE(Shown(s.List()),
                 QStringLiteral("Smith John|青木 優子|[伊藤 健二]|上野 正人|江藤 博"));

        // From the form, Enter opens the focused row's card.
        WhenShown<CPostcodeCheckDlg>([](CPostcodeCheckDlg& dialog) {
            auto* table = dialog.findChild<QTableView*>(QStringLiteral("postcodeCheckTable"));
            QTest::keyClick(table, Qt::Key_Down);
            QTest::keyClick(table, Qt::Key_Return);
            if (dialog.isVisible())
                dialog.reject();
        });
        QVERIFY(s.Frame().RunCommand(ID_CARD_POSTCODE_CHECK));
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text(),
                 QStringLiteral("上野 正人"));
        QCOMPARE(Shown(s.List()),
                 QStringLiteral("Smith John|青木 優子|伊藤 健二|[上野 正人]|江藤 博"));
        QVERIFY(!s.Doc().IsModified());
        QCOMPARE(Utf8(s.ui.Problems()), QString());
    }
};

QTEST_MAIN(PostcodeCheckTest)
#include "PostcodeCheckTest.moc"
