// How the forms look to a user: fields in reading order, nothing overlapping,
// cut off or outside the form, also with ten contacts and when the window grows.

#include "FormFixture.h"

#include <QtTest>

namespace {

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
    QWidget* field = form->nextInFocusChain();
    for (int i = 0; i < 60 && field != form; ++i, field = field->nextInFocusChain()) {
        if (!field->isVisible() || !(field->focusPolicy() & Qt::TabFocus) ||
            !qobject_cast<QLineEdit*>(field) && !qobject_cast<QPlainTextEdit*>(field))
            continue;
        if (previous && field->y() < previous->y())
            faults << field->objectName() + QStringLiteral(" above ") + previous->objectName();
        previous = field;
    }
    return faults;
}

} // namespace

class CardFormLookTest : public QObject {
    Q_OBJECT
private slots:
    void formsLookTidyAtEverySize_data() {
        QTest::addColumn<int>("notation");
        QTest::newRow("ja") << int(NOTATION_JAPANESE);
        QTest::newRow("en") << int(NOTATION_ENGLISH);
    }
    void formsLookTidyAtEverySize() {
        QFETCH(int, notation);
        const QString prefix =
            notation == NOTATION_JAPANESE ? QStringLiteral("form-ja") : QStringLiteral("form-en");
        FormFixture f(notation);
        CAddrCard* card = f.doc.AddCard(notation, "山田 花子");
        card->m_strCompany = Sjis("株式会社ｺﾙｳﾞｧﾈ");
        card->m_strAddress = Sjis("東京都千代田区丸の内1-1-1\r\nｺﾙｳﾞｧﾈﾋﾞﾙ 12F");
        card->m_strNotes = Sjis("ﾒﾓ: 水曜日は在宅勤務");
        card->m_contacts.Add(1, Sjis("03-1234-5678"));
        card->m_contacts.Add(5, Sjis("hanako@example.jp"));
        f.Show(card);
        QCOMPARE(LookFaults(f.form.get()), QStringList());
        SaveScreenshot(f.form.get(), prefix + QStringLiteral("-default"));

        // Grown after being smaller than the design, the form stretches its
        // fields by the growth beyond the design only and keeps the notes box at
        // the bottom.
        QLineEdit* name = f.Line("nameEdit");
        const QRect name0 = name->geometry();
        const QRect plus0 = f.form->AddSlotButton()->geometry();
        const QRect notes0 = f.form->NotesEdit()->geometry();
        f.form->resize(f.form->DesignSize() - QSize(30, 30));
        f.form->resize(f.form->DesignSize() + QSize(40, 25));
        QCOMPARE(name->geometry(), name0.adjusted(0, 0, 40, 0));
        QCOMPARE(f.form->AddSlotButton()->geometry(), plus0.translated(40, 0));
        QCOMPARE(f.form->NotesEdit()->geometry(), notes0.adjusted(0, 0, 40, 25));
        QCOMPARE(LookFaults(f.form.get()), QStringList());
        SaveScreenshot(f.form.get(), prefix + QStringLiteral("-large"));
        // A slot added there lays out against the larger size too.
        f.Show(nullptr);
        f.form->AddSlot();
        QCOMPARE(f.form->SlotEdit(2)->width(), f.form->SlotEdit(0)->width());
        QCOMPARE(LookFaults(f.form.get()), QStringList());

        // Ten contacts: all eight slots and the notice of the two more. The
        // form asks for their room, and made taller only the notes box grows.
        for (int i = 0; i < 8; ++i)
            card->m_contacts.Add(4, Sjis("0120-000-000"));
        f.Show(card);
        QVERIFY(f.form->MoreContactsNotice()->isVisible());
        QCOMPARE(f.form->minimumSizeHint().height(), f.form->FullSize().height());
        f.form->resize(f.form->FullSize());
        QCOMPARE(LookFaults(f.form.get()), QStringList());
        SaveScreenshot(f.form.get(), prefix + QStringLiteral("-ten-contacts"));
        const QRect other = f.form->OtherEdit()->geometry();
        const QRect notes = f.form->NotesEdit()->geometry();
        f.form->resize(f.form->size() + QSize(0, 40));
        QCOMPARE(f.form->OtherEdit()->geometry(), other);
        QCOMPARE(f.form->NotesEdit()->geometry(), notes.adjusted(0, 0, 0, 40));
    }

    void aFormSetUpLargerThanItsDesignFillsItsSize() {
        FormFixture design(NOTATION_ENGLISH);
        CScriptedUser user;
        CTestDocument doc;
        CAddrCardEnView form(doc);
        form.resize(form.DesignSize() + QSize(60, 0));
        form.SetupControls();
        form.show();
        QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("nameEdit"))->width(),
                 design.Line("nameEdit")->width() + 60);
    }
};

KOLVANE_FORMS_TEST(CardFormLookTest);

#include "CardFormLookTest.moc"
