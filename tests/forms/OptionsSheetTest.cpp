// The options sheet: values shown and taken, range checks and their messages,
// the backup extension rules, and what OK reports to the owners.

#include "views/dialogs/OptionsSheet.h"
#include "FormsTestSupport.h"
#include "views/dialogs/OptFindPage.h"
#include "views/dialogs/OptGenericPage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

template <class W> W* Find(QWidget* sheet, const char* name) {
    return sheet->findChild<W*>(QString::fromLatin1(name));
}

void SetText(QWidget* sheet, const char* name, const QString& text) {
    Find<QLineEdit>(sheet, name)->setText(text);
}

const char kMruRange[] = "4 から 16 までの整数を入力してください。";
const char kExtMissing[] = "ﾊﾞｯｸｱｯﾌﾟの拡張子を入力してください（最大8文字)。";

} // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheValuesOnTheFirstPage() {
        COptions values;
        values.m_bOpenPrevDoc = FALSE;
        values.m_nMaxMRU = 9;
        values.m_strBackupExt = "old";
        values.m_nNewCardLang = 1;
        values.m_bMatchCase = TRUE;
        COptionsSheet sheet(values);
        sheet.show();
        QCOMPARE(sheet.windowTitle(), QString::fromUtf8("ｵﾌﾟｼｮﾝ"));
        QCOMPARE(sheet.Tabs().currentIndex(), 0);
        QCOMPARE(sheet.Tabs().tabText(0), QString::fromUtf8("一般"));
        QCOMPARE(sheet.Tabs().tabText(1), QString::fromUtf8("検索"));
        QVERIFY(Find<QCheckBox>(&sheet, "autoSave")->isChecked());
        QVERIFY(!Find<QCheckBox>(&sheet, "openPrevDoc")->isChecked());
        QCOMPARE(Find<QLineEdit>(&sheet, "maxMru")->text(), QStringLiteral("9"));
        QCOMPARE(Find<QLineEdit>(&sheet, "maxBackup")->text(), QStringLiteral("5"));
        QCOMPARE(Find<QLineEdit>(&sheet, "backupExt")->text(), QStringLiteral("old"));
        QVERIFY(Find<QRadioButton>(&sheet, "newCardEnglish")->isChecked());
        QVERIFY(!Find<QRadioButton>(&sheet, "newCardJapanese")->isChecked());
        QVERIFY(Find<QCheckBox>(&sheet, "matchCase")->isChecked());
        SaveScreenshot(&sheet, QStringLiteral("options-general"));
        sheet.Tabs().setCurrentIndex(1);
        SaveScreenshot(&sheet, QStringLiteral("options-find"));
    }

    void recentFileCountMustLieBetweenFourAndSixteen() {
        CScriptedUser user;
        COptions values;
        values.m_nMaxMRU = 4;
        values.m_strBackupExt = "bak";
        COptGenericPage page(values);
        page.UpdateData(FALSE);
        ShowActive(&page);
        QLineEdit* edit = Find<QLineEdit>(&page, "maxMru");
        for (const char* bad : {"3", "17"}) {
            edit->setText(QString::fromLatin1(bad));
            user.ui.ExpectMessage(kMruRange);
            QVERIFY(!page.UpdateData(TRUE));
            QVERIFY(edit->hasFocus());
            QCOMPARE(edit->selectedText(), QString::fromLatin1(bad));
            QCOMPARE(values.m_nMaxMRU, 4);
        }
        for (const char* bad : {"", "abc", "-5", "99999999999"}) {
            edit->setText(QString::fromLatin1(bad));
            user.ui.ExpectMessage("正の整数を入力してください。");
            QVERIFY(!page.UpdateData(TRUE));
        }
        for (int good : {4, 16}) {
            edit->setText(QString::number(good));
            QVERIFY(page.UpdateData(TRUE));
            QCOMPARE(values.m_nMaxMRU, good);
        }
        edit->setText(QStringLiteral(" 12 "));
        QVERIFY(page.UpdateData(TRUE));
        QCOMPARE(values.m_nMaxMRU, 12);
        QVERIFY(user.ui.Problems().empty());
    }

    void backupExtensionAndCountAreChecked() {
        CScriptedUser user;
        COptions values;
        values.m_nMaxMRU = 4;
        values.m_bMakeBackup = TRUE;
        values.m_nMaxBackup = 5;
        values.m_strBackupExt = "bak";
        COptGenericPage page(values);
        page.UpdateData(FALSE);
        ShowActive(&page);
        QLineEdit* ext = Find<QLineEdit>(&page, "backupExt");
        QLineEdit* count = Find<QLineEdit>(&page, "maxBackup");

        for (const char* bad : {"", ".", "abcdefghij"}) {
            ext->setText(QString::fromLatin1(bad));
            user.ui.ExpectMessage(kExtMissing);
            QVERIFY(!page.UpdateData(TRUE));
            QVERIFY(ext->hasFocus());
            QCOMPARE(Utf8(values.m_strBackupExt), std::string("bak"));
        }
        ext->setText(QStringLiteral("a/b"));
        user.ui.ExpectMessage("ﾊﾞｯｸｱｯﾌﾟの拡張子には「/」を使えません。");
        QVERIFY(!page.UpdateData(TRUE));
        ext->setText(QString::fromUtf8("ばっく😀"));
        user.ui.ExpectMessage("「😀」(U+1F600) は住所録に保存できない文字です。\n"
                              "別の文字に置き換えてください。");
        QVERIFY(!page.UpdateData(TRUE));

        for (const char* good : {".bak", "abcdefgh", "ﾊﾞｯｸ"}) {
            ext->setText(QString::fromUtf8(good));
            QVERIFY(page.UpdateData(TRUE));
            QCOMPARE(Utf8(values.m_strBackupExt), std::string(good));
        }

        // The label promises 0 to 32 generations.
        count->setText(QStringLiteral("40"));
        user.ui.ExpectMessage("0 から 32 までの整数を入力してください。");
        QVERIFY(!page.UpdateData(TRUE));
        QVERIFY(count->hasFocus());
        count->setText(QStringLiteral("32"));
        QVERIFY(page.UpdateData(TRUE));
        QCOMPARE(values.m_nMaxBackup, 32);

        // Without backups any extension goes, the empty one included.
        Find<QCheckBox>(&page, "makeBackup")->setChecked(false);
        ext->setText(QString());
        QVERIFY(page.UpdateData(TRUE));
        QCOMPARE(values.m_bMakeBackup, FALSE);
        QCOMPARE(Utf8(values.m_strBackupExt), std::string());
        QVERIFY(user.ui.Problems().empty());
    }

    void refusedValuesKeepTheGeneralPageOpen() {
        CScriptedUser user;
        COptionsSheet sheet{COptions()};
        ShowActive(&sheet);
        SetText(&sheet, "maxMru", QStringLiteral("17"));
        user.ui.ExpectMessage(kMruRange);
        sheet.Tabs().setCurrentIndex(1);
        QCOMPARE(sheet.Tabs().currentIndex(), 0);
        QVERIFY(Find<QLineEdit>(&sheet, "maxMru")->hasFocus());

        user.ui.ExpectMessage(kMruRange);
        sheet.accept();
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.result(), 0);

        SetText(&sheet, "maxMru", QStringLiteral("8"));
        sheet.Tabs().setCurrentIndex(1);
        QCOMPARE(sheet.Tabs().currentIndex(), 1);
        Find<QCheckBox>(&sheet, "matchCase")->setChecked(true);
        sheet.accept();
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(sheet.Values().m_nMaxMRU, 8);
        QCOMPARE(sheet.Values().m_bMatchCase, TRUE);
        QVERIFY(user.ui.Problems().empty());
    }

    void okReportsWhatChangedAndCancelChangesNothing() {
        CScriptedUser user;
        COptions values;

        // OK without changes: no message, nothing to react to.
        WhenDialogOpens<COptionsSheet>([](COptionsSheet* sheet) { sheet->accept(); });
        COptionsResult result = RunOptionsSheet(values, nullptr);
        QVERIFY(result.bAccepted);
        QVERIFY(!result.bMaxMruChanged);
        QVERIFY(!result.bMatchCaseChanged);

        // A refusal, then Cancel: every value stays.
        WhenDialogOpens<COptionsSheet>([&user](COptionsSheet* sheet) {
            SetText(sheet, "maxMru", QStringLiteral("3"));
            Find<QCheckBox>(sheet, "autoSave")->setChecked(false);
            user.ui.ExpectMessage(kMruRange);
            sheet->accept();
            sheet->reject();
        });
        result = RunOptionsSheet(values, nullptr);
        QVERIFY(!result.bAccepted);
        QCOMPARE(values.m_nMaxMRU, 4);
        QCOMPARE(values.m_bAutoSave, TRUE);

        // Every value changed.
        WhenDialogOpens<COptionsSheet>([&user](COptionsSheet* sheet) {
            Find<QCheckBox>(sheet, "autoSave")->setChecked(false);
            Find<QCheckBox>(sheet, "openPrevDoc")->setChecked(false);
            Find<QCheckBox>(sheet, "saveWndPos")->setChecked(false);
            SetText(sheet, "maxMru", QStringLiteral("10"));
            Find<QCheckBox>(sheet, "makeBackup")->setChecked(false);
            SetText(sheet, "maxBackup", QStringLiteral("0"));
            SetText(sheet, "backupExt", QStringLiteral("old"));
            Find<QRadioButton>(sheet, "newCardEnglish")->click();
            Find<QCheckBox>(sheet, "matchCase")->setChecked(true);
            user.ui.ExpectMessage("新しいﾌｧｲﾙ履歴の表示数を有効にするには、\n"
                                  "ﾌﾟﾛｸﾞﾗﾑを再起動する必要があります。");
            QTest::mouseClick(sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        result = RunOptionsSheet(values, nullptr);
        QVERIFY(result.bAccepted);
        QVERIFY(result.bMaxMruChanged);
        QVERIFY(result.bMatchCaseChanged);
        QCOMPARE(values.m_bAutoSave, FALSE);
        QCOMPARE(values.m_bOpenPrevDoc, FALSE);
        QCOMPARE(values.m_bSaveWndPos, FALSE);
        QCOMPARE(values.m_nMaxMRU, 10);
        QCOMPARE(values.m_bMakeBackup, FALSE);
        QCOMPARE(values.m_nMaxBackup, 0);
        QCOMPARE(Utf8(values.m_strBackupExt), std::string("old"));
        QCOMPARE(values.m_nNewCardLang, 1);
        QCOMPARE(values.m_bMatchCase, TRUE);
        QCOMPARE(user.ui.messages.back().type, UINT(MB_OK | MB_ICONEXCLAMATION));
        QVERIFY(user.ui.Problems().empty());
    }
};

KOLVANE_FORMS_TEST(OptionsSheetTest);

#include "OptionsSheetTest.moc"
