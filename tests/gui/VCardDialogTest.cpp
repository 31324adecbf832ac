// The vCard commands of the ﾌｧｲﾙ menu: a file imported through the dialog with
// its report and the cards in the list; the selected card exported.

#include "GuiTestSupport.h"

#include "views/CommandIds.h"
#include "views/MainFrame.h"
#include "views/dialogs/VCardExportDlg.h"
#include "views/dialogs/VCardImportDlg.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>

class VCardDialogTest : public QObject {
    Q_OBJECT
private slots:
    void importShowsTheReportAndExportWritesTheSelectedCard() {
        auto s = std::make_unique<GuiSession>();
        WriteBook(s->Path("book.kvd"), SampleCards());
        QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
        QCOMPARE(s->Frame().Action(ID_FILE_VCARD_IMPORT)->text(),
                 QStringLiteral("vCard 読み込み..."));
        QCOMPARE(s->Frame().Action(ID_FILE_VCARD_EXPORT)->text(),
                 QStringLiteral("vCard 書き出し..."));
        const QString shots = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(shots);

        QString shown, choices;
        const std::string vcf = s->Path("phone.vcf");
        std::ofstream(vcf, std::ios::binary)
            << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:佐藤;花子;;;\r\nFN:佐藤 花子\r\n"
               "X-PHONETIC-LAST-NAME:サトウ\r\nX-PHONETIC-FIRST-NAME:ハナコ\r\nTEL;TYPE=CELL:090-"
               "1\r\n"
               "BDAY:1990-01-01\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:𠮷田 一\r\n"
               "END:VCARD\r\n";
        WhenShown<CVCardImportDlg>([&](CVCardImportDlg& dialog) {
            choices = QString::number(dialog.OkButton().isEnabled()) +
                      dialog.NotationBox().currentText() + dialog.CharsetBox().currentText();
            dialog.FileEdit().setText(QString::fromStdString(vcf));
            dialog.grab().save(shots + QStringLiteral("/vcard-import.png"));
            WhenShown<CVCardReportDlg>([&](CVCardReportDlg& report) {
                report.grab().save(shots + QStringLiteral("/vcard-report.png"));
                shown = report.findChild<QLabel*>(QStringLiteral("summary"))->text() +
                        QLatin1Char('|') + report.Text().toPlainText();
                report.accept();
            });
            dialog.OkButton().click();
        });
        QVERIFY(s->Frame().RunCommand(ID_FILE_VCARD_IMPORT));
        QCOMPARE(choices, QStringLiteral("0自動自動"));
        QCOMPARE(shown, QStringLiteral("2 件のｶｰﾄﾞを読み込みました。|読み込まなかった項目:\n"
                                       "  BDAY (1 件)\n12 行目 (2 件目の FN): \"𠮷\" はｺｰﾄﾞﾍﾟｰｼﾞ "
                                       "932 にない文字です。〓 にしました。\n"));
        const QStringList names = s->Column(0);
        QVERIFY(names.contains(QStringLiteral("佐藤 花子")));
        QVERIFY(names.contains(QStringLiteral("〓田 一")));
        QCOMPARE(names.size(), 8);
        QVERIFY(s->Doc().IsModified());

        const std::string out = s->Path("out.vcf");
        const int row = static_cast<int>(names.indexOf(QStringLiteral("佐藤 花子")));
        s->SelectRows({row});
        WhenShown<CVCardExportDlg>([&](CVCardExportDlg& dialog) {
            shown = dialog.VersionBox().currentText();
            dialog.RangeBox().setCurrentIndex(CVCardExportDlg::RANGE_SELECTED);
            dialog.FileEdit().setText(QString::fromStdString(out));
            dialog.grab().save(shots + QStringLiteral("/vcard-export.png"));
            dialog.OkButton().click();
        });
        s->ui.ExpectMessage("1 件のｶｰﾄﾞがｴｸｽﾎﾟｰﾄされました。");
        QVERIFY(s->Frame().RunCommand(ID_FILE_VCARD_EXPORT));
        QCOMPARE(shown, QStringLiteral("3.0 (UTF-8)"));
        QCOMPARE(QString::fromStdString(ReadBytes(out)),
                 QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:佐藤;花子;;;\r\nFN:佐藤 花子\r\n"
                                "X-PHONETIC-LAST-NAME:さとう\r\nX-PHONETIC-FIRST-NAME:はなこ\r\n"
                                "SORT-STRING:さとう はなこ\r\nTEL;TYPE=CELL:090-1\r\n"
                                "X-KOLVANE-NOTATION:ja\r\nEND:VCARD\r\n"));
        QCOMPARE(Utf8(s->ui.Problems()), QString());
    }
};

QTEST_MAIN(VCardDialogTest)
#include "VCardDialogTest.moc"
