// The contact-method dialog and its name dialog: the listed methods, adding,
// renaming, deleting (reserved ones refused, methods in use counted), ids no
// card still holds, refused names, and Cancel.

#include "views/dialogs/ContactMethodDlg.h"
#include "FormsTestSupport.h"
#include "views/dialogs/ContactMethodEditDlg.h"

#include <QLineEdit>
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

void Select(QTreeWidget& list, int row) {
    QTreeWidgetItem* item = list.topLevelItem(row);
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
}

QPushButton* Button(QDialog* dlg, const QString& text) {
    for (QPushButton* button : dlg->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// Answers the name dialog that is about to open.
void EnterNames(const QString& japanese, const QString& english) {
    WhenDialogOpens<CContactMethodEditDlg>([japanese, english](CContactMethodEditDlg* dlg) {
        dlg->JapaneseEdit().selectAll();
        TypeText(&dlg->JapaneseEdit(), japanese);
        dlg->EnglishEdit().selectAll();
        TypeText(&dlg->EnglishEdit(), english);
        QTest::mouseClick(Button(dlg, QStringLiteral("OK")), Qt::LeftButton);
    });
}

const QStringList kDefaultLines{Q("電話\tPhone"),      Q("ﾌｧｯｸｽ\tFax"),  Q("携帯\tCellular"),
                                Q("ﾎﾟｹﾍﾞﾙ\tPager"),    Q("ﾒｰﾙ\tE-mail"), Q("ﾎｰﾑﾍﾟｰｼﾞ\tWebsite"),
                                Q("ﾊﾝﾄﾞﾙ名\tUsername")};

} // namespace

class ContactMethodDlgTest : public QObject {
    Q_OBJECT
private slots:
    void deletingAndAddingGivesTheFreedIdWhenNoCardHoldsIt() {
        CScriptedUser user;
        CTestDocument doc;
        CContactMethodDlg dlg(doc.GetBook());
        dlg.show();
        Select(dlg.MethodList(), 2);
        user.ui.ExpectMessage(
            "連絡方法 \"携帯/Cellular\" を削除します。\n"
            "住所ｶｰﾄﾞ中でこの連絡方法が使われている場合には\n"
            "その連絡方法は不定（空白）になってしまいますので注意してください。\n\n"
            "本当に削除してもいいですか?",
            IDYES);
        QTest::mouseClick(&dlg.DeleteButton(), Qt::LeftButton);
        QCOMPARE(dlg.m_methods.IndexOf(3), -1);
        QVERIFY(!dlg.DeleteButton().isEnabled());

        EnterNames(Q("勤務先"), QStringLiteral("Office"));
        QTest::mouseClick(&dlg.AddButton(), Qt::LeftButton);
        QCOMPARE(Lines(dlg.MethodList()).last(), Q("勤務先\tOffice"));
        QCOMPARE(dlg.m_methods.GetIdAt(dlg.m_methods.GetCount() - 1), 3);
        QVERIFY(user.ui.Problems().empty());
    }

    void aMethodCardsStillUseIsCountedAndItsIdNeverReused() {
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

        // Answering No keeps the method.
        Select(dlg.MethodList(), 2);
        const char* question =
            "連絡方法 \"携帯/Cellular\" は 2 枚の住所ｶｰﾄﾞで使われています。\n"
            "削除すると、それらのｶｰﾄﾞではこの連絡方法が不定（空白）になります。\n\n"
            "本当に削除してもいいですか?";
        user.ui.ExpectMessage(question, IDNO);
        QTest::mouseClick(&dlg.DeleteButton(), Qt::LeftButton);
        QCOMPARE(Lines(dlg.MethodList()), kDefaultLines);

        Select(dlg.MethodList(), 2);
        user.ui.ExpectMessage(question, IDYES);
        QTest::mouseClick(&dlg.DeleteButton(), Qt::LeftButton);
        QCOMPARE(dlg.MethodList().topLevelItemCount(), 6);

        // Ids 3 (deleted, still on cards) and 9 (on a card) are not handed out.
        EnterNames(Q("自宅"), QStringLiteral("Home"));
        QTest::mouseClick(&dlg.AddButton(), Qt::LeftButton);
        EnterNames(Q("別荘"), QStringLiteral("Cottage"));
        QTest::mouseClick(&dlg.AddButton(), Qt::LeftButton);
        QCOMPARE(dlg.m_methods.FindByEnglish("Home"), 8);
        QCOMPARE(dlg.m_methods.FindByEnglish("Cottage"), 10);
        QVERIFY(user.ui.Problems().empty());
    }

    void listsTheMethodsButTheBlankOneAndKeepsTheReservedOnes() {
        CScriptedUser user;
        CTestDocument doc;
        CContactMethodDlg dlg(doc.GetBook());
        dlg.show();
        SaveScreenshot(&dlg, QStringLiteral("contact-methods"));
        QCOMPARE(Lines(dlg.MethodList()), kDefaultLines);
        QVERIFY(dlg.AddButton().isEnabled());
        QVERIFY(!dlg.EditButton().isEnabled());
        QVERIFY(!dlg.DeleteButton().isEnabled());
        for (int row : {0, 1}) {
            Select(dlg.MethodList(), row);
            user.ui.ExpectMessage("この連絡方法は削除できません（ｼｽﾃﾑ予約）。");
            QTest::mouseClick(&dlg.DeleteButton(), Qt::LeftButton);
        }
        QCOMPARE(Lines(dlg.MethodList()), kDefaultLines);
        QCOMPARE(user.ui.messages.size(), size_t(2));
        QCOMPARE(user.ui.messages[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
        QVERIFY(user.ui.Problems().empty());
    }

    void doubleClickRenamesAndReservedNamesCanChange() {
        CTestDocument doc;
        CContactMethodDlg dlg(doc.GetBook());
        dlg.show();
        QTreeWidget& list = dlg.MethodList();
        WhenDialogOpens<CContactMethodEditDlg>([](CContactMethodEditDlg* edit) {
            QCOMPARE(edit->JapaneseEdit().text(), Q("電話"));
            QCOMPARE(edit->EnglishEdit().text(), QStringLiteral("Phone"));
            edit->JapaneseEdit().setText(Q("固定電話"));
            edit->EnglishEdit().setText(QStringLiteral("Landline"));
            QTest::mouseClick(Button(edit, QStringLiteral("OK")), Qt::LeftButton);
        });
        const QPoint at = list.visualItemRect(list.topLevelItem(0)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(Lines(list).first(), Q("固定電話\tLandline"));
        QCOMPARE(dlg.m_methods.FindByEnglish("Landline"), 1);
    }

    void emptyOrUnstorableNamesAreRefused() {
        CScriptedUser user;
        CContactMethodEditDlg dlg;
        ShowActive(&dlg);
        SaveScreenshot(&dlg, QStringLiteral("contact-method-name"));
        const char* missing = "連絡方法を入力してください。";
        user.ui.ExpectMessage(missing);
        dlg.accept();
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.JapaneseEdit().hasFocus());

        dlg.JapaneseEdit().setText(Q("社用"));
        user.ui.ExpectMessage(missing);
        dlg.accept();
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.EnglishEdit().hasFocus());

        dlg.EnglishEdit().setText(Q("Work ☎"));
        user.ui.ExpectMessage("「☎」(U+260E) は住所録に保存できない文字です。\n"
                              "別の文字に置き換えてください。");
        dlg.accept();
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.EnglishEdit().text(), Q("Work ☎"));

        // Blanks alone are a name.
        dlg.EnglishEdit().setText(QStringLiteral("  "));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Utf8(dlg.m_strJapanese), std::string("社用"));
        QCOMPARE(Utf8(dlg.m_strEnglish), std::string("  "));
        QVERIFY(user.ui.Problems().empty());
    }

    void cancelLeavesTheBookAsItWas() {
        CScriptedUser user;
        CTestDocument doc;
        CAddrBook& book = doc.GetBook();

        WhenDialogOpens<CContactMethodDlg>([&user](CContactMethodDlg* dlg) {
            Select(dlg->MethodList(), 3);
            user.ui.AnswerMessage(IDYES);
            QTest::mouseClick(&dlg->DeleteButton(), Qt::LeftButton);
            dlg->m_methods.Modify(1, "X", "X");
            QTest::mouseClick(Button(dlg, Q("ｷｬﾝｾﾙ")), Qt::LeftButton);
        });
        QVERIFY(!RunContactMethodDlg(book, nullptr));
        QCOMPARE(book.m_methods.GetCount(), 8);
        CString ja;
        CString en;
        QCOMPARE(book.m_methods.Get(1, ja, en), 0);
        QCOMPARE(Utf8(ja), std::string("電話"));
        QCOMPARE(book.m_methods.IndexOf(4), 4);
        QVERIFY(user.ui.Problems().empty());
    }
};

KOLVANE_FORMS_TEST(ContactMethodDlgTest);

#include "ContactMethodDlgTest.moc"
