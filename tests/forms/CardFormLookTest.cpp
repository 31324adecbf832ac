// How the forms look: controls at their design places in dialog units, none
// overlapping, bold captions, the notes box filling the form, anchored
// controls following a larger window. Pictures of both forms are saved for
// looking at.

#include "FormFixture.h"

#include <QFrame>
#include <QtTest>

namespace {

void FillSample(CAddrCard* card, bool japanese) {
    if (japanese) {
        card->m_strFurigana = Sjis("やまだ はなこ");
        card->m_strCompany = Sjis("株式会社ｺﾙｳﾞｧﾈ");
        card->m_strTitle = Sjis("営業部 第二課");
        card->m_strZip = Sjis("100-0005");
        card->m_strAddress = Sjis("東京都千代田区丸の内1-1-1\r\nｺﾙｳﾞｧﾈﾋﾞﾙ 12F");
        card->m_strOther = Sjis("年賀状 2024");
        card->m_strNotes = Sjis("ﾒﾓ: 水曜日は在宅勤務");
        card->m_contacts.Add(1, Sjis("03-1234-5678"));
        card->m_contacts.Add(3, Sjis("090-1234-5678"));
        card->m_contacts.Add(5, Sjis("hanako@example.jp"));
    } else {
        card->m_strCompany = "Kolvane Ltd.";
        card->m_strTitle = "Sales Manager";
        card->m_strAddress = "1-1-1 Marunouchi, Chiyoda-ku\r\nTokyo 100-0005";
        card->m_strOther = "Met at the 2024 trade fair";
        card->m_strNotes = "Prefers e-mail.";
        card->m_contacts.Add(1, "+81-3-1234-5678");
        card->m_contacts.Add(2, "+81-3-1234-5679");
        card->m_contacts.Add(5, "john@example.com");
    }
}

// Visible controls of the form whose places overlap.
QStringList Overlaps(const QWidget* form) {
    QList<QWidget*> shown;
    for (QWidget* child : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            shown << child;
    QStringList overlaps;
    for (int a = 0; a < shown.size(); ++a)
        for (int b = a + 1; b < shown.size(); ++b)
            if (shown[a]->geometry().intersects(shown[b]->geometry()))
                overlaps << shown[a]->objectName() + QLatin1Char('/') + shown[b]->objectName();
    return overlaps;
}

void CheckLook(FormFixture& f, const QString& name) {
    QCOMPARE(Overlaps(f.form.get()), QStringList());
    for (CCaptionLabel* caption : f.form->findChildren<CCaptionLabel*>())
        QCOMPARE(caption->font().weight(), QFont::Bold);
    // The notes box reaches down to 8 dialog units above the form's bottom.
    const int gap = f.form->height() - 1 - f.form->NotesEdit()->geometry().bottom();
    QCOMPARE(gap, f.form->DialogUnits().Y(8));
    const QString path = SaveScreenshot(f.form.get(), name);
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
}

} // namespace

class CardFormLookTest : public QObject {
    Q_OBJECT
private slots:
    void controlsStandAtTheirDesignPlaces() {
        FormFixture f(NOTATION_JAPANESE);
        const CDialogUnits& dlu = f.form->DialogUnits();
        QCOMPARE(f.form->DesignSize(), QSize(dlu.X(240), dlu.Y(315)));
        QCOMPARE(f.Line("zipEdit")->geometry(), dlu.Rect(57, 71, 170, 12));
        QCOMPARE(f.form->SlotEdit(0)->geometry(), dlu.Rect(57, 125, 170, 12));
        QCOMPARE(f.form->SlotCaption(1)->geometry(), dlu.Rect(6, 142, 47, 8));
        QCOMPARE(f.form->AddSlotButton()->geometry(), dlu.Rect(229, 126, 9, 10));
        FormFixture en(NOTATION_ENGLISH);
        QCOMPARE(en.Line("companyEdit")->geometry(), dlu.Rect(53, 39, 170, 12));
        QCOMPARE(en.form->SlotEdit(7)->geometry(), dlu.Rect(53, 207, 170, 12));
    }

    void formsLookTidyAtTheDefaultAndALargerSize() {
        for (int notation : {NOTATION_JAPANESE, NOTATION_ENGLISH}) {
            const bool japanese = notation == NOTATION_JAPANESE;
            const QString prefix = japanese ? QStringLiteral("form-ja") : QStringLiteral("form-en");
            FormFixture f(notation);
            CAddrCard* card = f.doc.AddCard(notation, japanese ? "山田 花子" : "John Smith");
            FillSample(card, japanese);
            f.Show(card);
            CheckLook(f, prefix + QStringLiteral("-default"));

            f.form->resize(f.form->DesignSize() + QSize(200, 150));
            CheckLook(f, prefix + QStringLiteral("-large"));

            // All eight slots and two entries more than the form can show.
            for (int i = 0; i < 7; ++i)
                card->m_contacts.Add(4, Sjis("0120-000-000"));
            f.form->resize(f.form->DesignSize());
            f.Show(card);
            QVERIFY(f.form->MoreContactsNotice()->isVisible());
            CheckLook(f, prefix + QStringLiteral("-ten-contacts"));
        }
    }

    void widerFormStretchesEditsAndMovesThePlusButton() {
        FormFixture f(NOTATION_ENGLISH);
        f.Show(nullptr);
        QWidget* edit = f.Line("nameEdit");
        QWidget* slotEdit = f.form->SlotEdit(1);
        QWidget* plus = f.form->AddSlotButton();
        QWidget* notes = f.form->NotesEdit();
        QWidget* caption = f.form->SlotCaption(0);
        const QRect edit0 = edit->geometry();
        const QRect slot0 = slotEdit->geometry();
        const QRect plus0 = plus->geometry();
        const QRect notes0 = notes->geometry();
        const QRect caption0 = caption->geometry();
        const QSize design = f.form->DesignSize();

        f.form->resize(design - QSize(30, 30));
        f.form->resize(design);
        QCOMPARE(edit->geometry(), edit0);
        QCOMPARE(plus->geometry(), plus0);

        f.form->resize(design + QSize(40, 25));
        QCOMPARE(edit->geometry(), edit0.adjusted(0, 0, 40, 0));
        QCOMPARE(slotEdit->geometry(), slot0.adjusted(0, 0, 40, 0));
        QCOMPARE(plus->geometry(), plus0.translated(40, 0));
        QCOMPARE(notes->geometry(), notes0.adjusted(0, 0, 40, 25));
        QCOMPARE(caption->geometry(), caption0);

        // A slot added in the larger form lays out against the larger size.
        f.form->AddSlot();
        QCOMPARE(f.form->height() - 1 - notes->geometry().bottom(), f.form->DialogUnits().Y(8));
        QCOMPARE(f.form->SlotEdit(2)->width(), slot0.width() + 40);
    }
};

KOLVANE_FORMS_TEST(CardFormLookTest);

#include "CardFormLookTest.moc"
