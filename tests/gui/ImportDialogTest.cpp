// The import command and its dialog: Shift_JIS and UTF-8 files, the header
// field menus, notation, layouts, a first row of column titles, rows left
// out, refusals, and what OK appends.

#include "GuiTestSupport.h"

#include "doc/KolvaneDoc.h"
#include "layouts/LayoutRoot.h"
#include "transfer/ImportLayout.h"
#include "views/CommandIds.h"
#include "views/MainFrame.h"
#include "views/dialogs/ImportDlg.h"
#include "zklib/dialogs/ZkEditTextDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

QString Text(QWidget* dialog, const char* name) {
    return dialog->findChild<QLabel*>(QLatin1String(name))->text();
}

void Click(QWidget* dialog, const char* text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->text() == QString::fromUtf8(text))
            return button->click();
    QFAIL(text);
}

QString Titles(QWidget* dialog) {
    const QAbstractItemModel* model = dialog->findChild<QTableView*>()->model();
    QStringList titles;
    for (int column = 0; column < model->columnCount(); ++column)
        titles << model->headerData(column, Qt::Horizontal).toString();
    return titles.join(u'|');
}

// Clicks the column's header and chooses the entry of the menu that opens;
// the menu's entries, "|" between them.
QString ChooseField(QWidget* dialog, int column, const QString& entry) {
    QString entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QStringList texts;
        for (QAction* action : menu->actions()) {
            texts << action->text();
            if (action->text() == entry)
                menu->setActiveAction(action);
        }
        entries = texts.join(u'|');
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QHeaderView* header = dialog->findChild<QTableView*>()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    return entries;
}

// Answers the layout-name dialogs that open next with these names, in turn.
void AnswerNames(QStringList names) {
    QTimer::singleShot(0, [names] {
        auto* ask = qobject_cast<CZkEditTextDlg*>(QApplication::activeModalWidget());
        QCOMPARE(ask->windowTitle(), QStringLiteral("ﾚｲｱｳﾄの保存"));
        ask->findChild<QLineEdit*>()->setText(names.front());
        if (names.size() > 1)
            AnswerNames(names.mid(1));
        ask->accept();
    });
}

// Runs the import command on the file; script drives the dialog.
void RunImport(GuiSession& s, const std::string& file, std::function<void(QDialog*)> script) {
    s.ui.PickFile(file);
    QTimer::singleShot(
        0, [script] { script(qobject_cast<CImportDlg*>(QApplication::activeModalWidget())); });
    QVERIFY(s.Frame().RunCommand(ID_FILE_IMPORT));
}

} // namespace

class ImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void theCommandImportsThroughTheDialog() {
        auto s = std::make_unique<GuiSession>();
        SetLayoutRoot(s->dir.path().toLocal8Bit().constData());
        WriteBook(s->Path("book.kvd"), SampleCards());
        QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
        QVERIFY(QDir().mkpath(s->dir.filePath(QStringLiteral("IMPORTS"))));
        CImportLayout webmail;
        webmail.SetName(Sjis("Webメール連絡先"));
        QVERIFY(!webmail.Save(s->Path("IMPORTS/WEBMAIL_JA.KVI").c_str()));
        // UTF-8 with a byte-order mark, the titles of a bundled layout's file:
        // they choose that layout. An emoji code page 932 cannot hold leaves
        // its row unselected and is named in its cell.
        const std::string mail = s->Path("mail.csv");
        WriteFile(mail,
                  "\xEF\xBB\xBF姓,名,姓（フリガナ）,名（フリガナ）,ニックネーム,会社名,部署名,役職,"
                  "郵便番号,都道府県,市区町村,番地,建物名,国,電話番号,携帯電話番号,FAX,"
                  "メールアドレス,メールアドレス 2,メモ\r\n佐藤,花子\r\n鈴木,\xF0\x9F\x98\x80\r\n");
        RunImport(*s, mail, [](QDialog* dialog) {
            QCOMPARE(Text(dialog, "encodingFound"), QStringLiteral("(UTF-8)"));
            QCOMPARE(Text(dialog, "total") + Text(dialog, "selected"), QStringLiteral("31"));
            QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("layouts"))->currentText(),
                     QStringLiteral("Webメール連絡先"));
            QCOMPARE(dialog->findChild<QTableView*>()->model()->index(2, 1).data(Qt::ToolTipRole),
                     QStringLiteral("\"😀\" はｺｰﾄﾞﾍﾟｰｼﾞ 932 にない文字のため取り込めません。"));
            dialog->reject();
        });
        QCOMPARE(Utf8(s->ui.prompts.at(0).filter),
                 QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|CSVﾌｧｲﾙ (*.csv)|*.csv|"
                                "全てのﾌｧｲﾙ (*.*)|*.*||"));

        // A layout saved from a narrower file; a Shift_JIS file whose first
        // line holds field titles, a blank record and a longer record.
        CImportLayout narrow;
        narrow.SetName(Sjis("狭い"));
        narrow.SetColumnField(0, 0);
        narrow.SetColumnField(1, 8);
        QVERIFY(!narrow.Save(s->Path("IMPORTS/USER000.KVI").c_str()));
        const std::string csv = s->Path("addr.csv");
        WriteFile(csv, std::string(Sjis("氏名,会社,電話\r\n森 一郎,森商事,03-1111-0001\r\n"
                                        " , ,\r\n林 二郎,林業,03-2,余り\r\n")));
        RunImport(*s, csv, [&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("ｲﾝﾎﾟｰﾄ設定"));
            QCOMPARE(Text(dialog, "encodingFound"), QStringLiteral("(Shift_JIS)"));
            // The titles map the columns; their row is left out, as is the blank one.
            QCOMPARE(Text(dialog, "total") + Text(dialog, "selected"), QStringLiteral("42"));
            QCOMPARE(Titles(dialog), QStringLiteral("氏名|会社|電話|[無視]"));
            QCOMPARE(ChooseField(dialog, 2, QStringLiteral("電話")),
                     QStringLiteral("[無視]|氏名|苗字|名前|ふりがな|苗字ふりがな|名前ふりがな|会社|"
                                    "部署|郵便番号|住所|都道府県|市区町村|番地 1|番地 2|番地 3|"
                                    "番地 4|番地 5|番地 6|電話|ﾌｧｯｸｽ|電話 1|電話 2|電話 3|電話 4|"
                                    "電話 5|電話 6|備考|ﾒﾓ"));
            // The notation retitles the columns; the map stays.
            Click(dialog, "英語(&E)");
            QCOMPARE(ChooseField(dialog, 0, QStringLiteral("Full Address")),
                     QStringLiteral("[無視]|Full Name|First Name|Last Name|Middle Initial|Title|"
                                    "Company|Full Address|Street 1|Street 2|Street 3|Street 4|"
                                    "Street 5|Street 6|City|State|Zip|Country|Phone|Fax|Phone 1|"
                                    "Phone 2|Phone 3|Phone 4|Phone 5|Phone 6|Other|Notes"));
            QCOMPARE(Titles(dialog), QStringLiteral("Address|Company|Phone|[無視]"));
            Click(dialog, "日本語(&J)");
            // The narrower layout leaves the columns past its map unmapped;
            // choosing a field there extends it.
            auto* layouts = dialog->findChild<QComboBox*>(QStringLiteral("layouts"));
            layouts->setCurrentIndex(1);
            emit layouts->activated(1);
            QCOMPARE(Titles(dialog), QStringLiteral("氏名|会社|[無視]|[無視]"));
            ChooseField(dialog, 3, QStringLiteral("ﾒﾓ"));
            QCOMPARE(Titles(dialog), QStringLiteral("氏名|会社|[無視]|ﾒﾓ"));
            QCOMPARE(layouts->currentIndex(), -1);
            // Saving refuses a name in use and asks again.
            s->ui.ExpectMessage("ﾚｲｱｳﾄ名 \"狭い\" は既に使われています。\n"
                                "重複しない名前を入力してください。");
            AnswerNames({QStringLiteral("狭い"), QStringLiteral("Wide")});
            Click(dialog, "保存(&S)...");
            QCOMPARE(layouts->currentText(), QStringLiteral("Wide"));
            CImportLayout saved;
            QVERIFY(!saved.Load(s->Path("IMPORTS/USER001.KVI").c_str()));
            QCOMPARE(saved.GetColumns(), (std::vector<int>{0, 8, -1, 29}));
            s->ui.ExpectMessage("ﾚｲｱｳﾄ \"Wide\" を削除します。\n削除してもいいですか?", IDYES);
            Click(dialog, "削除(&D)");
            QCOMPARE(layouts->count(), 2);
            // Unchecking takes the title row back and keeps the map; checking
            // maps by the titles again.
            Click(dialog, "1 行目の見出しで項目を割り当てる(&T)");
            QCOMPARE(Titles(dialog) + Text(dialog, "total") + Text(dialog, "selected"),
                     QStringLiteral("氏名|会社|[無視]|ﾒﾓ43"));
            Click(dialog, "1 行目の見出しで項目を割り当てる(&T)");
            QCOMPARE(Titles(dialog) + Text(dialog, "selected"),
                     QStringLiteral("氏名|会社|電話|[無視]2"));
            // A file the chosen encoding refuses shows why, with nothing to import.
            auto* encoding = dialog->findChild<QComboBox*>(QStringLiteral("encoding"));
            encoding->setCurrentIndex(2);
            QCOMPARE(
                Text(dialog, "refusal"),
                QStringLiteral("ﾌｧｲﾙ %1 の 1 行目に UTF-8 の文字として読めないﾊﾞｲﾄがあります。")
                    .arg(QString::fromStdString(csv)));
            QVERIFY(!dialog->findChild<QTableView*>()->isVisible());
            QCOMPARE(Text(dialog, "total") + Text(dialog, "selected"), QStringLiteral("00"));
            encoding->setCurrentIndex(0);
            const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
            QDir().mkpath(folder);
            QVERIFY(dialog->grab().save(folder + QStringLiteral("/import.png")));
            s->ui.ExpectMessage("2 件のｶｰﾄﾞがｲﾝﾎﾟｰﾄされました。");
            Click(dialog, "ｲﾝﾎﾟｰﾄ");
        });
        QCOMPARE(s->Doc().GetBook().GetCount(), 8);
        QVERIFY(s->Doc().IsModified());
        QCOMPARE(s->Column(0).at(7) + u'|' + s->Column(1).at(7) + u'|' + s->Column(2).at(7),
                 QStringLiteral("林 二郎|林業|03-2"));
    }
};

QTEST_MAIN(ImportDialogTest)
#include "ImportDialogTest.moc"
