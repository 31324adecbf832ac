// The export dialog, its layout editor and the export command on real widgets.

#include "GuiTestSupport.h"

#include "doc/KolvaneDoc.h"
#include "doc/ProfilePath.h"
#include "layouts/LayoutRoot.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"
#include "views/dialogs/ExportDlg.h"
#include "views/dialogs/ExportLayoutDlg.h"

#include <QTest>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>

namespace {

void AddLayout(const char* name, const std::vector<int>& fields) {
    CExportLayout layout;
    layout.SetName(Sjis(name));
    layout.SetFieldCount(static_cast<int>(fields.size()));
    for (size_t i = 0; i < fields.size(); ++i)
        layout.SetField(static_cast<int>(i), fields[i]);
    QVERIFY(!CLayoutSet().Add(layout));
}

} // namespace

class ExportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void theDialogsAndTheCommand() {
        SetUpJapaneseUi(*qApp);
        GuiSession session;
        GuiSession* s = &session;
        SetLayoutRoot(s->dir.path().toLocal8Bit().constData());
        const std::string cafe = s->Path("Café 住所録/out.csv");
        SaveProfilePath("Export", "FileName", cafe);
        s->settings.WriteProfileInt("Export", "Range", 1);
        s->settings.WriteProfileString("Export", "LayoutName", "B");
        s->settings.WriteProfileInt("Export", "ConvCR", 0);
        AddLayout("A", {0, 5});
        AddLayout("b", {0, 99});
        CExportDlg dialog;
        QCOMPARE(Shown(dialog.List()) + dialog.FileEdit().text() + dialog.RangeBox().currentText(),
                 QStringLiteral("A|[b]") + Utf8(cafe) + QStringLiteral("一覧表示されている全ｶｰﾄﾞ"));
        QVERIFY(dialog.OkButton().isEnabled());
        dialog.FileEdit().clear();
        QVERIFY(!dialog.OkButton().isEnabled());
        s->ui.PickFile(cafe);
        Click(dialog, "...");
        QCOMPARE(dialog.FileEdit().text(), Utf8(cafe));
        // The editor: the box as the settings have it, adding after the
        // selected row, moving, removing, the refusals and a duplicate name.
        WhenShown<CExportLayoutDlg>([s](CExportLayoutDlg& editor) {
            QVERIFY(!editor.ConvCrBox().isChecked());
            s->ui.ExpectMessage("ｴｸｽﾎﾟｰﾄする項目が空です。");
            Click(editor, "OK");
            QTreeWidget& fields = editor.ExportFields();
            for (int field : {0, 5, 0, 15}) {
                editor.AllFields().setCurrentItem(editor.AllFields().topLevelItem(field));
                Click(editor, "追加(&A) >>");
                if (field == 5)
                    fields.setCurrentItem(fields.topLevelItem(0));
            }
            QCOMPARE(Shown(fields), QStringLiteral("名前|名前|[ﾒﾓ]|住所"));
            for (const auto& [button, after] : {std::pair{"上へ(&U)", "[ﾒﾓ]|名前|名前|住所"},
                                                {"下へ(&D)", "名前|名前|住所|[ﾒﾓ]"}}) {
                for (int i = 0; i < 4; ++i) // past the end: it stays there
                    Click(editor, button);
                QCOMPARE(Shown(fields), QString::fromUtf8(after));
            }
            fields.setCurrentItem(fields.topLevelItem(0));
            Click(editor, "削除(&R)");
            QCOMPARE(Shown(fields), QStringLiteral("名前|住所|ﾒﾓ"));
            for (const auto& [name, message] :
                 {std::pair{"", "ﾚｲｱｳﾄ名を入力してください。"},
                  {"A",
                   "ﾚｲｱｳﾄ名 \"A\" は既に使われています。\n重複しない名前を入力してください。"}}) {
                editor.NameEdit().setText(QString::fromUtf8(name));
                s->ui.ExpectMessage(message);
                Click(editor, "OK");
            }
            WhenShown<CExportLayoutDlg>([](CExportLayoutDlg& again) {
                QCOMPARE(again.NameEdit().text() + Shown(again.ExportFields()),
                         QStringLiteral("A名前|住所|ﾒﾓ"));
                again.NameEdit().setText(QStringLiteral("新"));
                again.ConvCrBox().setChecked(true);
                Click(again, "OK");
            });
        });
        Click(dialog, "新規(&N)...");
        QCOMPARE(Shown(dialog.List()), QStringLiteral("A|b|[新]"));
        // Editing shows no number that is no field.
        dialog.List().setCurrentRow(1);
        WhenShown<CExportLayoutDlg>([](CExportLayoutDlg& editor) {
            QCOMPARE(Shown(editor.ExportFields()), QStringLiteral("名前"));
            editor.reject();
        });
        Click(dialog, "編集(&E)...");
        WhenShown<CExportLayoutDlg>([](CExportLayoutDlg& editor) { Click(editor, "OK"); });
        Click(dialog, "複製(&U)...");
        QCOMPARE(Shown(dialog.List()), QStringLiteral("A|b|[b のｺﾋﾟｰ]|新"));
        s->ui.ExpectMessage("ﾚｲｱｳﾄ \"b のｺﾋﾟｰ\" を削除します。\n削除してもいいですか?", IDYES);
        Click(dialog, "削除(&D)");
        QCOMPARE(Shown(dialog.List()), QStringLiteral("[A]|b|新"));
        // A layout that cannot be read keeps the dialog open; a double click is OK.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(QFile::remove(s->dir.filePath(QStringLiteral("EXPORTS/USER000.KVE")))); // A
        s->ui.AnswerMessage(IDOK);
        dialog.OkButton().click();
        QVERIFY(dialog.isVisible() &&
                s->ui.messages.back().text.find("USER000") != std::string::npos);
        QListWidget& list = dialog.List();
        const QPoint newOne = list.visualItemRect(list.item(2)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, newOne);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, newOne);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(LoadProfilePath("Export", "FileName"), cafe);
        // The command on all cards, in book order; line breaks are kept as
        // the editor's box was cleared.
        WriteBook(s->Path("book.kvd"), {{0, "", "山田 太郎"}, {1, "", "smith \"J\""}});
        QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
        s->Doc().GetBook().Cards()[0]->m_strAddress = Sjis("東京\r\n港区");
        QVERIFY(QDir().mkpath(s->dir.filePath(QStringLiteral("Café 住所録"))));
        WhenShown<CExportDlg>([](CExportDlg& dialog) {
            dialog.RangeBox().setCurrentIndex(0);
            WhenShown<CExportLayoutDlg>([](CExportLayoutDlg& editor) {
                QVERIFY(editor.ConvCrBox().isChecked());
                editor.ConvCrBox().click();
                Click(editor, "OK");
            });
            Click(dialog, "編集(&E)...");
            dialog.OkButton().click();
        });
        s->ui.ExpectMessage("2 件のｶｰﾄﾞがｴｸｽﾎﾟｰﾄされました。");
        QVERIFY(s->Frame().RunCommand(ID_FILE_EXPORT));
        const std::string both = "\"\x8eR\x93\x63 \x91\xbe\x98Y\",\"\x93\x8c\x8b\x9e\r\n"
                                 "\x8d`\x8b\xe6\",\"\"\r\n\"smith \"\"J\"\"\",\"\",\"\"\r\n";
        QCOMPARE(ReadBytes(cafe), both);
        // The selected card, where nothing can be written: the old file stays.
        s->SelectRows({0});
        s->settings.WriteProfileInt("Export", "Range", 2);
        const auto run = [s] {
            WhenShown<CExportDlg>([](CExportDlg& dialog) { dialog.OkButton().click(); });
            QVERIFY(s->Frame().RunCommand(ID_FILE_EXPORT));
        };
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit full{};
        getrlimit(RLIMIT_FSIZE, &full);
        const rlimit tiny{1, full.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tiny);
        s->ui.AnswerMessage(IDOK);
        run();
        setrlimit(RLIMIT_FSIZE, &full);
        QCOMPARE(ReadBytes(cafe), both);
        QVERIFY(s->ui.messages.back().text.find(cafe) != std::string::npos);
        s->ui.ExpectMessage("1 件のｶｰﾄﾞがｴｸｽﾎﾟｰﾄされました。");
        run();
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        SetLayoutRoot(nullptr);
    }
};

QTEST_MAIN(ExportDialogTest)
#include "ExportDialogTest.moc"
