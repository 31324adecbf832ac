// The options sheet: range and backup-extension checks with their messages, a
// refusal keeping the general page open, and Cancel changing nothing.

#include "views/dialogs/OptionsSheet.h"
#include "FormsTestSupport.h"
#include "views/dialogs/OptGenericPage.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QtTest>

namespace {

const char kMruRange[] = "4 から 16 までの整数を入力してください。";

} // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT
private slots:
    void valuesAreCheckedWhenTaken_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("backups");
        QTest::addColumn<QString>("outcome"); // the message, or the value taken
        const auto row = [](const char* field, const char* text, bool backups,
                            const char* outcome) {
            QTest::addRow("%s '%s'%s", field, text, backups ? "" : " without backups")
                << Q(field) << Q(text) << backups << Q(outcome);
        };
        for (const char* text : {"3", "17"})
            row("maxMru", text, true, kMruRange);
        for (const char* text : {"", "abc", "-5", "99999999999"})
            row("maxMru", text, true, "正の整数を入力してください。");
        row("maxMru", " 16 ", true, "16");
        for (const char* text : {"", ".", "abcdefghij"})
            row("backupExt", text, true, "ﾊﾞｯｸｱｯﾌﾟの拡張子を入力してください（最大8文字)。");
        row("backupExt", "a/b", true, "ﾊﾞｯｸｱｯﾌﾟの拡張子には「/」を使えません。");
        row("backupExt", "ばっく😀", true,
            "「😀」(U+1F600) は住所録に保存できない文字です。\n別の文字に置き換えてください。");
        for (const char* text : {".bak", "abcdefgh", "ﾊﾞｯｸ"})
            row("backupExt", text, true, text);
        // Without backups any extension goes, the empty one included.
        row("backupExt", "", false, "");
        row("maxBackup", "33", true, "0 から 32 までの整数を入力してください。");
        row("maxBackup", "32", true, "32");
    }
    void valuesAreCheckedWhenTaken() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, backups);
        QFETCH(QString, outcome);
        CScriptedUser user;
        COptions values;
        values.m_strBackupExt = "old";
        values.m_bMakeBackup = backups;
        COptGenericPage page(values);
        page.UpdateData(FALSE);
        ShowActive(&page);
        auto* edit = page.findChild<QLineEdit*>(field);
        edit->setText(text);
        const auto value = [&] {
            if (field == QStringLiteral("backupExt"))
                return Q(Utf8(values.m_strBackupExt).c_str());
            return QString::number(field == QStringLiteral("maxMru") ? values.m_nMaxMRU
                                                                     : values.m_nMaxBackup);
        };
        const QString before = value();
        // The messages end with a full stop; the values do not.
        const bool refused = outcome.endsWith(QChar(0x3002));
        if (refused)
            user.ui.ExpectMessage(outcome.toStdString());
        QCOMPARE(bool(page.UpdateData(TRUE)), !refused);
        QCOMPARE(value(), refused ? before : outcome);
        QVERIFY(!refused || edit->hasFocus());
        QVERIFY(user.ui.Problems().empty());
    }

    void aRefusalKeepsTheGeneralPageAndCancelChangesNothing() {
        CScriptedUser user;
        COptions values;
        WhenDialogOpens<COptionsSheet>([&user](COptionsSheet* sheet) {
            sheet->findChild<QLineEdit*>(QStringLiteral("maxMru"))->setText(QStringLiteral("17"));
            sheet->findChild<QCheckBox*>(QStringLiteral("autoSave"))->setChecked(false);
            user.ui.ExpectMessage(kMruRange);
            sheet->Tabs().setCurrentIndex(1);
            QCOMPARE(sheet->Tabs().currentIndex(), 0);
            user.ui.ExpectMessage(kMruRange);
            sheet->accept();
            QVERIFY(sheet->isVisible());
            sheet->reject();
        });
        QVERIFY(!RunOptionsSheet(values, nullptr).bAccepted);
        QCOMPARE(values.m_nMaxMRU, 4);
        QCOMPARE(values.m_bAutoSave, TRUE);
        QVERIFY(user.ui.Problems().empty());
    }
};

KOLVANE_FORMS_TEST(OptionsSheetTest);

#include "OptionsSheetTest.moc"
