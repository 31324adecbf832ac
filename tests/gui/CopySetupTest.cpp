// The copy settings sheet on real widgets: the pages by language, the field
// lists, saving and deleting named layouts, the empty-list refusal, Cancel and OK.

#include "GuiTestSupport.h"

#include "layouts/LayoutRoot.h"
#include "views/JapaneseUi.h"
#include "views/dialogs/CopySetupSheet.h"
#include "zklib/dialogs/ZkEditTextDlg.h"

#include <QTest>
#include <QtWidgets>

namespace {

QString Entries(const QComboBox& box) {
    QStringList entries;
    for (int i = 0; i < box.count(); ++i)
        entries << (i == box.currentIndex() ? u'[' + box.itemText(i) + u']' : box.itemText(i));
    return entries.join(u'|');
}

CCopyLayout Layout(int japanese, const char* name, std::vector<int> fields) {
    CCopyLayout layout;
    layout.SetJapaneseFlag(japanese);
    layout.SetName(Sjis(name));
    layout.SetFields(std::move(fields));
    return layout;
}

} // namespace

class CopySetupTest : public QObject {
    Q_OBJECT
private slots:
    void theSheet() {
        SetUpJapaneseUi(*qApp);
        GuiSession s;
        SetLayoutRoot(s.dir.path().toLocal8Bit().constData());
        for (const CCopyLayout& file :
             {Layout(1, "和", {0}), Layout(0, "En", {5}), Layout(2, "Odd", {15})})
            QVERIFY(!CLayoutSet().Add(file));
        CCopyLayout japanese = Layout(1, "odd", {4, 5, 3, 2, 0});
        CCopyLayout english = Layout(0, "", {0, 2, 3, 5});
        WhenShown<CCopySetupSheet>([&s](CCopySetupSheet& sheet) {
            CCopySetupPage& page = sheet.JapanesePage();
            QCOMPARE(sheet.windowTitle() + sheet.Tabs().tabText(0) + sheet.Tabs().tabText(1),
                     QStringLiteral("ｺﾋﾟｰ設定日本語英語"));
            QCOMPARE(Entries(page.LayoutBox()) + u'/' + Entries(sheet.EnglishPage().LayoutBox()),
                     QStringLiteral("[Odd]|和/[En]"));
            QCOMPARE(sheet.EnglishPage().AllFields().topLevelItemCount(), 14);
            page.AllFields().setCurrentItem(page.AllFields().topLevelItem(0));
            page.CopyFields().setCurrentItem(page.CopyFields().topLevelItem(0));
            Click(page, "追加(&A) >>");
            Click(page, "上へ(&U)");
            QCOMPARE(Shown(page.CopyFields()),
                     QStringLiteral("[名前]|郵便番号|住所|会社|部署|名前"));
            // A name in use, in other case too, is asked again.
            WhenShown<CZkEditTextDlg>([&s](CZkEditTextDlg& ask) {
                s.ui.ExpectMessage("ﾚｲｱｳﾄ名 \"ODD\" は既に使われています。\n"
                                   "重複しない名前を入力してください。");
                WhenShown<CZkEditTextDlg>([](CZkEditTextDlg& again) {
                    again.findChild<QLineEdit*>()->setText(QStringLiteral("New"));
                    again.accept();
                });
                ask.findChild<QLineEdit*>()->setText(QStringLiteral("ODD"));
                ask.accept();
            });
            Click(page, "保存(&S)...");
            QCOMPARE(Entries(page.LayoutBox()), QStringLiteral("[New]|Odd|和"));
            s.ui.ExpectMessage("ﾚｲｱｳﾄ \"New\" を削除します。\n削除してもいいですか?", IDNO);
            Click(page, "削除(&D)");
            QVERIFY(!page.DeleteButton().isEnabled());
            while (page.CopyFields().topLevelItemCount() > 0) {
                page.CopyFields().setCurrentItem(page.CopyFields().topLevelItem(0));
                Click(page, "削除(&R)");
            }
            for (int i = 0; i < 3; ++i)
                s.ui.ExpectMessage("ｺﾋﾟｰする項目が空です。");
            sheet.Tabs().setCurrentIndex(1);
            Click(sheet, "OK");
            Click(page, "保存(&S)...");
            QCOMPARE(sheet.Tabs().currentIndex(), 0);
            sheet.show();
            QVERIFY(
                sheet.grab().save(qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath()) +
                                  QStringLiteral("/copy_setup.png")));
            sheet.reject();
        });
        QVERIFY(!RunCopySetupSheet(nullptr, japanese, english));
        QCOMPARE(japanese.GetFields(), (std::vector<int>{4, 5, 3, 2, 0}));
        // OK: the chosen file's layout and the English one as it was.
        WhenShown<CCopySetupSheet>([](CCopySetupSheet& sheet) {
            sheet.JapanesePage().LayoutBox().setFocus();
            QTest::keyClick(&sheet.JapanesePage().LayoutBox(), Qt::Key_Down);
            QCOMPARE(Shown(sheet.JapanesePage().CopyFields()), QStringLiteral("名前"));
            Click(sheet, "OK");
        });
        QVERIFY(RunCopySetupSheet(nullptr, japanese, english));
        QCOMPARE(japanese.GetName() + english.GetName(), Sjis("和"));
        QCOMPARE(japanese.GetFields(), std::vector<int>{0});
        QCOMPARE(english.GetFields(), (std::vector<int>{0, 2, 3, 5}));
        QCOMPARE(Utf8(s.ui.Problems()), QString());
        SetLayoutRoot(nullptr);
    }
};

QTEST_MAIN(CopySetupTest)
#include "CopySetupTest.moc"
