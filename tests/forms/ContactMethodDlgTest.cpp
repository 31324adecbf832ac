// The contact-method dialog and its name dialog: deleting (reserved methods
// refused, methods in use counted), the ids a new method gets, refused names.

#include "views/dialogs/ContactMethodDlg.h"
#include "FormsTestSupport.h"
#include "views/dialogs/ContactMethodEditDlg.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList Lines(const QTreeWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        lines << list.topLevelItem(i)->text(0) + QLatin1Char('\t') + list.topLevelItem(i)->text(1);
    return lines;
}

void Delete(CContactMethodDlg& dlg, int row) {
    QTreeWidget& list = dlg.MethodList();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.topLevelItem(row)).center());
    QTest::mouseClick(&dlg.DeleteButton(), Qt::LeftButton);
}

void Add(CContactMethodDlg& dlg, const QString& japanese, const QString& english) {
    WhenDialogOpens<CContactMethodEditDlg>([japanese, english](CContactMethodEditDlg* edit) {
        TypeText(&edit->JapaneseEdit(), japanese);
        TypeText(&edit->EnglishEdit(), english);
        edit->accept();
    });
    QTest::mouseClick(&dlg.AddButton(), Qt::LeftButton);
}

const QStringList kDefaultLines{Q("電話\tPhone"),      Q("ﾌｧｯｸｽ\tFax"),  Q("携帯\tCellular"),
                                Q("ﾎﾟｹﾍﾞﾙ\tPager"),    Q("ﾒｰﾙ\tE-mail"), Q("ﾎｰﾑﾍﾟｰｼﾞ\tWebsite"),
                                Q("ﾊﾝﾄﾞﾙ名\tUsername")};
const char kSure[] = "\n\n本当に削除してもいいですか?";

} // namespace

class ContactMethodDlgTest : public QObject {
    Q_OBJECT
private slots:
    void deletingAsksAndANewMethodNeverTakesAnIdACardHolds() {
        CScriptedUser user;
        CTestDocument doc;
        for (const char* name : {"一", "二"}) {
            CAddrCard* card = doc.AddCard(NOTATION_JAPANESE, name);
            card->m_contacts.Add(3, "090");
            card->m_contacts.Add(3, "080");
        }
        doc.AddCard(NOTATION_JAPANESE, "三")->m_contacts.Add(9, "old method");
        CContactMethodDlg dlg(doc.GetBook());
        dlg.show();
        QCOMPARE(Lines(dlg.MethodList()), kDefaultLines);
        for (int row : {0, 1}) {
            user.ui.ExpectMessage("この連絡方法は削除できません（ｼｽﾃﾑ予約）。");
            Delete(dlg, row);
        }
        const std::string used =
            std::string("連絡方法 \"携帯/Cellular\" は 2 枚の住所ｶｰﾄﾞで使われています。\n"
                        "削除すると、それらのｶｰﾄﾞではこの連絡方法が不定（空白）になります。") +
            kSure;
        user.ui.ExpectMessage(used, IDNO);
        Delete(dlg, 2);
        QCOMPARE(Lines(dlg.MethodList()), kDefaultLines);
        user.ui.ExpectMessage(used, IDYES);
        Delete(dlg, 2);
        user.ui.ExpectMessage(std::string("連絡方法 \"ﾎﾟｹﾍﾞﾙ/Pager\" を削除します。\n"
                                          "住所ｶｰﾄﾞ中でこの連絡方法が使われている場合には\n"
                                          "その連絡方法は不定（空白）になってしまいますので"
                                          "注意してください。") +
                                  kSure,
                              IDYES);
        Delete(dlg, 2);
        // 4 is free again; 3 (deleted, still on cards) and 9 (on a card) are not.
        for (const char* english : {"Home", "Office", "Cottage"})
            Add(dlg, Q("自宅"), QString::fromLatin1(english));
        QCOMPARE(Lines(dlg.MethodList()).last(), Q("自宅\tCottage"));
        QCOMPARE(dlg.m_methods.FindByEnglish("Home"), 4);
        QCOMPARE(dlg.m_methods.FindByEnglish("Office"), 8);
        QCOMPARE(dlg.m_methods.FindByEnglish("Cottage"), 10);
        QVERIFY(user.ui.Problems().empty());
    }

    void emptyOrUnstorableNamesAreRefused() {
        CScriptedUser user;
        CContactMethodEditDlg dlg;
        ShowActive(&dlg);
        user.ui.ExpectMessage("連絡方法を入力してください。");
        dlg.accept();
        QVERIFY(dlg.isVisible() && dlg.JapaneseEdit().hasFocus());
        dlg.JapaneseEdit().setText(Q("社用"));
        dlg.EnglishEdit().setText(Q("Work ☎"));
        user.ui.ExpectMessage("「☎」(U+260E) は住所録に保存できない文字です。\n"
                              "別の文字に置き換えてください。");
        dlg.accept();
        QVERIFY(dlg.isVisible());
        // Blanks alone are a name.
        dlg.EnglishEdit().setText(QStringLiteral("  "));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Utf8(dlg.m_strEnglish), std::string("  "));
        QVERIFY(user.ui.Problems().empty());
    }
};

KOLVANE_FORMS_TEST(ContactMethodDlgTest);

#include "ContactMethodDlgTest.moc"
