// The contact slots and the look of the forms: "+" up to eight slots, entries
// beyond the eighth kept, methods chosen from a caption's list; fields in
// reading order, nothing overlapping or cut off, larger and with ten contacts.

#include "FormsTestSupport.h"
#include "views/controls/CaptionLabel.h"
#include "views/forms/SlotMethodList.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

namespace {

using Entries = std::vector<std::pair<int, std::string>>;

Entries Contacts(const CAddrCard& card) {
    Entries out;
    for (const AddrContact& c : card.m_contacts.Entries())
        out.emplace_back(c.nMethodId, Utf8(c.strText));
    return out;
}

// What looks wrong on the form, one line per fault.
QStringList LookFaults(const CAddrCardForm* form) {
    QStringList faults;
    QList<QWidget*> shown;
    for (QWidget* child : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            shown << child;
    for (int a = 0; a < shown.size(); ++a) {
        if (!form->rect().contains(shown[a]->geometry()))
            faults << shown[a]->objectName() + QStringLiteral(" outside");
        for (int b = a + 1; b < shown.size(); ++b)
            if (shown[a]->geometry().intersects(shown[b]->geometry()))
                faults << shown[a]->objectName() + QLatin1Char('/') + shown[b]->objectName();
    }
    for (CCaptionLabel* caption : form->findChildren<CCaptionLabel*>())
        if (caption->isVisible() && caption->sizeHint().width() > caption->width())
            faults << caption->Text() + QStringLiteral(" cut off");
    // Tab goes down the form: no field above the one before it.
    QWidget* previous = nullptr;
    for (QWidget* field = form->nextInFocusChain(); field != form;
         field = field->nextInFocusChain())
        if (field->isVisible() &&
            (qobject_cast<QLineEdit*>(field) || qobject_cast<QPlainTextEdit*>(field))) {
            if (previous && field->y() < previous->y())
                faults << field->objectName() + QStringLiteral(" above ") + previous->objectName();
            previous = field;
        }
    return faults;
}

} // namespace

class CardFormSlotsTest : public QObject {
    Q_OBJECT
private slots:
    void slotsShowTheContactsAndKeepThoseBeyondTheEighth() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "佐藤");
        card->m_contacts.Add(1, "03-0000-0001");
        card->m_contacts.Add(5, "sato@example.jp");
        card->m_contacts.Add(3, "090-0000-0003");
        f.Show(card);
        QCOMPARE(f.Captions(), (QStringList{Q("電話"), Q("ﾒｰﾙ"), Q("携帯")}));
        // "+" adds a blank slot; its text goes to the blank method; an emptied
        // slot closes up.
        QTest::mouseClick(f.form->AddSlotButton(), Qt::LeftButton);
        QVERIFY(f.form->SlotEdit(3)->hasFocus());
        TypeText(f.form->SlotEdit(3), Q("予備"));
        f.form->SlotEdit(1)->clear();
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Contacts(*card),
                 (Entries{{1, "03-0000-0001"}, {3, "090-0000-0003"}, {0, "予備"}}));

        for (int i = 4; i <= 10; ++i)
            card->m_contacts.Add(i <= 8 ? 1 : 5, CString('t' + std::to_string(i)));
        f.Show(card);
        QLabel* more = f.form->MoreContactsNotice();
        QCOMPARE(more->text(), Q("ほかに連絡先が 2 件あります（そのまま保存されます）"));
        QCOMPARE(more->toolTip(), Q("ﾒｰﾙ: t9\nﾒｰﾙ: t10"));
        // Edited slots keep the extra entries after them, also over two commits.
        f.form->SlotEdit(2)->clear();
        QVERIFY(f.form->SaveToCard());
        QVERIFY(f.form->SaveToCard());
        const Entries kept{{1, "03-0000-0001"}, {3, "090-0000-0003"},
                           {1, "t4"},           {1, "t5"},
                           {1, "t6"},           {1, "t7"},
                           {1, "t8"},           {5, "t9"},
                           {5, "t10"}};
        QCOMPARE(Contacts(*card), kept);
        f.Show(card);
        QCOMPARE(more->text(), Q("ほかに連絡先が 1 件あります（そのまま保存されます）"));

        // A method the table does not hold (deleted, or from another book) shows
        // a blank caption and stays the card's own: viewing changes nothing.
        CAddrCard* other = f.doc.AddCard(NOTATION_JAPANESE, "鈴木");
        other->m_contacts.Add(42, "x");
        f.Show(other);
        QCOMPARE(f.form->SlotCaption(0)->Text(), QString());
        f.doc.SetModifiedFlag(false);
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Contacts(*other), (Entries{{42, "x"}}));
        QVERIFY(!f.doc.IsModified());
    }

    void aMethodChosenFromTheCaptionIsStored() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "Ann");
        f.Show(card);
        CCaptionLabel* caption = f.form->SlotCaption(0);
        CSlotMethodList* list = f.form->SlotList(0);
        QTest::mouseClick(caption, Qt::LeftButton, {}, QPoint(3, 3));
        QAbstractItemView* view = list->view();
        QTRY_VERIFY(view->isVisible());
        const QModelIndex email = list->model()->index(list->findText(Q("E-mail")), 0);
        QTest::mouseMove(view->viewport(), view->visualRect(email).center());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(email).center());
        QTRY_VERIFY(caption->isVisible());
        QCOMPARE(caption->Text(), Q("E-mail"));
        QVERIFY(f.form->SlotEdit(0)->hasFocus());
        TypeText(f.form->SlotEdit(0), QStringLiteral("ann@example.com"));

        // F4 opens the list from the text; Escape keeps the method.
        QTest::keyClick(f.form->SlotEdit(1), Qt::Key_F4);
        QCOMPARE(f.form->SlotList(1)->currentText(), Q("Fax"));
        QTRY_VERIFY(f.form->SlotList(1)->view()->isVisible());
        QTest::keyClick(f.form->SlotList(1)->view(), Qt::Key_Escape);
        QTRY_VERIFY(f.form->SlotCaption(1)->isVisible());
        QCOMPARE(f.form->SlotCaption(1)->Text(), Q("Fax"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Contacts(*card), (Entries{{5, "ann@example.com"}}));
    }

    void formsLookTidyAtEverySize_data() {
        QTest::addColumn<int>("notation");
        QTest::newRow("ja") << int(NOTATION_JAPANESE);
        QTest::newRow("en") << int(NOTATION_ENGLISH);
    }
    void formsLookTidyAtEverySize() {
        QFETCH(int, notation);
        FormFixture f(notation);
        CAddrCard* card = f.doc.AddCard(notation, "山田 花子");
        card->m_strAddress = Sjis("東京都千代田区丸の内1-1-1\r\nｺﾙｳﾞｧﾈﾋﾞﾙ 12F");
        f.Show(card);
        QCOMPARE(LookFaults(f.form.get()), QStringList());
        // Grown after being smaller than the design, the fields stretch by the
        // growth beyond the design only and the notes box takes the height.
        const QRect name = f.Line("nameEdit")->geometry();
        const QRect notes = f.form->NotesEdit()->geometry();
        f.form->resize(f.form->DesignSize() - QSize(30, 30));
        f.form->resize(f.form->DesignSize() + QSize(40, 25));
        QCOMPARE(f.Line("nameEdit")->geometry(), name.adjusted(0, 0, 40, 0));
        QCOMPARE(f.form->NotesEdit()->geometry(), notes.adjusted(0, 0, 40, 25));
        QCOMPARE(LookFaults(f.form.get()), QStringList());

        // Ten contacts: the form asks for the room of eight slots, and made
        // taller only the notes box grows.
        for (int i = 0; i < 10; ++i)
            card->m_contacts.Add(4, Sjis("0120-000-000"));
        f.Show(card);
        QCOMPARE(f.form->minimumSizeHint().height(), f.form->FullSize().height());
        f.form->resize(f.form->FullSize());
        QCOMPARE(LookFaults(f.form.get()), QStringList());
        SaveScreenshot(f.form.get(), QStringLiteral("form-ten-contacts-") +
                                         QLatin1String(QTest::currentDataTag()));
        const QRect other = f.form->OtherEdit()->geometry();
        const QRect notes8 = f.form->NotesEdit()->geometry();
        f.form->resize(f.form->size() + QSize(0, 40));
        QCOMPARE(f.form->OtherEdit()->geometry(), other);
        QCOMPARE(f.form->NotesEdit()->geometry(), notes8.adjusted(0, 0, 0, 40));
    }
};

KOLVANE_FORMS_TEST(CardFormSlotsTest);

#include "CardFormSlotsTest.moc"
