// Choosing contact methods: a slot caption turns into the list of the book's
// methods, the choice becomes the caption and is stored with the card; the
// captions follow a replaced method table without losing what was typed.

#include "FormFixture.h"
#include "doc/UpdateHints.h"

#include <QAbstractItemView>
#include <QtTest>

namespace {

// Clicks the item with this text in the open list of the slot.
void ChooseInList(CSlotMethodList* list, const QString& text) {
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    const int row = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY(row >= 0);
    const QModelIndex index = list->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
}

QStringList Items(const CSlotMethodList* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace

class CardFormSlotsTest : public QObject {
    Q_OBJECT
private slots:
    void clickingACaptionOpensTheMethodListAndTheChoiceIsStored() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "Ann");
        f.Show(card);
        CCaptionLabel* caption = f.form->SlotCaption(0);
        CSlotMethodList* list = f.form->SlotList(0);
        QVERIFY(!list->isVisible());

        QTest::mouseClick(caption, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(list->isVisible());
        QVERIFY(!caption->isVisible());
        QCOMPARE(Items(list), (QStringList{QString(), Q("Phone"), Q("Fax"), Q("Cellular"),
                                           Q("Pager"), Q("E-mail"), Q("Website"), Q("Username")}));
        QCOMPARE(list->currentText(), Q("Phone"));
        QCOMPARE(list->geometry().topLeft().x(), f.form->DialogUnits().X(2));

        ChooseInList(list, Q("E-mail"));
        QTRY_VERIFY(caption->isVisible());
        QVERIFY(!list->isVisible());
        QCOMPARE(caption->Text(), Q("E-mail"));
        QVERIFY(f.form->SlotEdit(0)->hasFocus());
        // The card changes only when the form is committed.
        QCOMPARE(card->m_contacts.GetCount(), 0);

        TypeText(f.form->SlotEdit(0), QStringLiteral("ann@example.com"));
        QVERIFY(f.form->SaveToCard());
        int method = -9;
        CString text;
        QCOMPARE(card->m_contacts.GetAt(0, method, text), 0);
        QCOMPARE(method, 5);
        QCOMPARE(Utf8(text), std::string("ann@example.com"));
        QVERIFY(f.user.ui.Problems().empty());
    }

    void keyboardOpensTheListAndEscapeKeepsTheMethod() {
        FormFixture f(NOTATION_JAPANESE);
        f.Show(nullptr);
        QLineEdit* edit = f.form->SlotEdit(1);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F4);
        CSlotMethodList* list = f.form->SlotList(1);
        QVERIFY(list->isVisible());
        QCOMPARE(list->currentText(), Q("ﾌｧｯｸｽ"));
        QTRY_VERIFY(list->view()->isVisible());
        QTest::keyClick(list->view(), Qt::Key_Escape);
        QTRY_VERIFY(f.form->SlotCaption(1)->isVisible());
        QCOMPARE(f.form->SlotCaption(1)->Text(), Q("ﾌｧｯｸｽ"));

        // A blank caption opens on the blank method.
        f.form->AddSlot();
        f.form->OpenSlotList(2);
        QCOMPARE(f.form->SlotList(2)->currentIndex(), 0);
        QTRY_VERIFY(f.form->SlotList(2)->view()->isVisible());
        QTest::keyClick(f.form->SlotList(2)->view(), Qt::Key_Escape);
        QTRY_VERIFY(!f.form->SlotList(2)->isVisible());
    }

    void aNameSharedByTwoMethodsStoresTheEarlierOne() {
        FormFixture f(NOTATION_JAPANESE);
        const int twin = f.doc.GetBook().m_methods.Add(Sjis("携帯"), "Mobile");
        QCOMPARE(twin, 8);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "二重");
        // An entry of the later method keeps its id while nobody changes it.
        card->m_contacts.Add(twin, "090-1");
        f.Show(card);
        QCOMPARE(f.form->SlotCaption(0)->Text(), Q("携帯"));
        QVERIFY(f.form->SaveToCard());
        QVERIFY(!f.doc.IsModified());
        QCOMPARE(card->m_contacts.Entries()[0].nMethodId, twin);

        // Chosen from the list, the name stands for the first method with it.
        f.form->OpenSlotList(1);
        CSlotMethodList* list = f.form->SlotList(1);
        QTRY_VERIFY(list->view()->isVisible());
        list->setCurrentIndex(list->findData(twin));
        list->hidePopup();
        QTRY_VERIFY(!list->isVisible());
        TypeText(f.form->SlotEdit(1), QStringLiteral("090-2"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(card->m_contacts.Entries()[1].nMethodId, 3);
    }

    void replacedMethodTableRenamesCaptionsAndKeepsTypedText() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "田中");
        card->m_contacts.Add(1, "03-1111");
        card->m_contacts.Add(4, "pager");
        card->m_contacts.Add(42, "of a deleted method");
        f.Show(card);
        QCOMPARE(f.Captions(), (QStringList{Q("電話"), Q("ﾎﾟｹﾍﾞﾙ"), QString()}));
        TypeText(f.Line("furiganaEdit"), Q("たなか"));
        TypeText(f.form->SlotEdit(0), QStringLiteral("-2222"));

        CContactMethodTable& methods = f.doc.GetBook().m_methods;
        methods.Modify(1, Sjis("固定電話"), "Landline");
        methods.Remove(4);
        f.doc.UpdateAllViews(nullptr, HINT_CONTACT_METHODS_CHANGED, nullptr);

        QCOMPARE(f.Captions(), (QStringList{Q("固定電話"), QString(), QString()}));
        QCOMPARE(f.Line("furiganaEdit")->text(), Q("たなか"));
        QCOMPARE(f.form->SlotEdit(0)->text(), QStringLiteral("03-1111-2222"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Utf8(card->m_strFurigana), std::string("たなか"));
        const auto& entries = card->m_contacts.Entries();
        QCOMPARE(entries.size(), size_t(3));
        QCOMPARE(entries[0].nMethodId, 1);
        QCOMPARE(Utf8(entries[0].strText), std::string("03-1111-2222"));
        // Entries of methods that are gone are stored as the blank method.
        QCOMPARE(entries[1].nMethodId, 0);
        QCOMPARE(entries[2].nMethodId, 0);
        QCOMPARE(Utf8(entries[2].strText), std::string("of a deleted method"));
    }
};

KOLVANE_FORMS_TEST(CardFormSlotsTest);

#include "CardFormSlotsTest.moc"
