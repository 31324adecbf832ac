// Reading and writing cards through the forms: typed fields, contact slots,
// cards with no, three and ten contacts, new and emptied cards, and commits
// that change nothing.

#include "FormFixture.h"
#include "doc/UpdateHints.h"

#include <QtTest>

namespace {

using Entries = std::vector<std::pair<int, std::string>>;

Entries Contacts(const CAddrCard& card) {
    Entries out;
    for (const AddrContact& c : card.m_contacts.Entries())
        out.emplace_back(c.nMethodId, Utf8(c.strText));
    return out;
}

} // namespace

class CardFormEditTest : public QObject {
    Q_OBJECT
private slots:
    void typedFieldsAreCommittedIntoTheCard() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "山田太郎");
        f.Show(card);
        QCOMPARE(f.Line("nameEdit")->text(), Q("山田太郎"));
        QVERIFY(f.Line("furiganaEdit")->hasFocus());

        TypeText(f.Line("furiganaEdit"), Q("やまだたろう"));
        TypeText(f.Line("companyEdit"), Q("株式会社ｺﾙｳﾞｧﾈ"));
        TypeText(f.Line("titleEdit"), Q("営業部"));
        TypeText(f.Line("zipEdit"), Q("100-0001"));
        TypeText(f.Box("addressEdit"), Q("東京都千代田区\n千代田1-1"));
        TypeText(f.Box("otherEdit"), Q("備考です"));
        TypeText(f.Box("notesEdit"), Q("ﾒﾓです"));
        TypeText(f.form->SlotEdit(0), Q("03-1234-5678"));
        // Nothing reaches the card before the commit.
        QVERIFY(f.doc.hints.empty());
        QCOMPARE(Utf8(card->m_strFurigana), std::string());

        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Utf8(card->m_strFurigana), std::string("やまだたろう"));
        QCOMPARE(Utf8(card->m_strName), std::string("山田太郎"));
        QCOMPARE(Utf8(card->m_strCompany), std::string("株式会社ｺﾙｳﾞｧﾈ"));
        QCOMPARE(Utf8(card->m_strTitle), std::string("営業部"));
        QCOMPARE(Utf8(card->m_strZip), std::string("100-0001"));
        // Line breaks are stored as CR LF.
        QCOMPARE(Utf8(card->m_strAddress), std::string("東京都千代田区\r\n千代田1-1"));
        QCOMPARE(Utf8(card->m_strOther), std::string("備考です"));
        QCOMPARE(Utf8(card->m_strNotes), std::string("ﾒﾓです"));
        QCOMPARE(Contacts(*card), (Entries{{1, "03-1234-5678"}}));
        QCOMPARE(f.doc.hints.size(), size_t(1));
        QCOMPARE(f.doc.hints[0].hint, int(HINT_CARD_CHANGED));
        QCOMPARE(f.doc.hints[0].card, card);
        QVERIFY(f.doc.IsModified());

        f.Show(card);
        QCOMPARE(f.Box("addressEdit")->toPlainText(), Q("東京都千代田区\n千代田1-1"));
        QVERIFY(f.user.ui.Problems().empty());
    }

    void commitThatChangesNothingLeavesTheDocumentUnmodified() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "John Smith");
        card->m_strAddress = "1 Main St\r\nSpringfield";
        card->m_contacts.Add(5, "john@example.com");
        const CAddrCard before = *card;
        f.Show(card);
        QVERIFY(f.form->SaveToCard());
        // The list still hears of the card, but the book is not marked changed.
        QCOMPARE(f.doc.hints.back().hint, int(HINT_CARD_CHANGED));
        QVERIFY(!f.doc.IsModified());
        QCOMPARE(Contacts(*card), Contacts(before));
        QCOMPARE(card->m_strAddress, before.m_strAddress);

        // Typing and typing back is no change either; a real edit is.
        QLineEdit* name = f.Line("nameEdit");
        QTest::keyClick(name, Qt::Key_End);
        TypeText(name, QStringLiteral("x"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QVERIFY(f.form->SaveToCard());
        QVERIFY(!f.doc.IsModified());
        TypeText(name, QStringLiteral(" Jr."));
        QVERIFY(f.form->SaveToCard());
        QVERIFY(f.doc.IsModified());
        QCOMPARE(Utf8(card->m_strName), std::string("John Smith Jr."));
    }

    void slotsShowTheContactsAndPlusAddsUpToEight() {
        FormFixture f(NOTATION_JAPANESE);
        f.Show(nullptr);
        QCOMPARE(f.Captions(), (QStringList{Q("電話"), Q("ﾌｧｯｸｽ")}));
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "佐藤");
        card->m_contacts.Add(1, "03-0000-0001");
        card->m_contacts.Add(5, "sato@example.jp");
        card->m_contacts.Add(3, "090-0000-0003");
        f.Show(card);
        QCOMPARE(f.Captions(), (QStringList{Q("電話"), Q("ﾒｰﾙ"), Q("携帯")}));
        QCOMPARE(f.form->SlotEdit(1)->text(), Q("sato@example.jp"));
        QVERIFY(!f.form->SlotEdit(3)->isVisible());

        QToolButton* plus = f.form->AddSlotButton();
        QTest::mouseClick(plus, Qt::LeftButton);
        QCOMPARE(f.form->VisibleSlots(), 4);
        QCOMPARE(f.form->SlotCaption(3)->Text(), QString());
        QVERIFY(f.form->SlotEdit(3)->hasFocus());
        // Text in a slot without a chosen method goes to the blank method; an
        // emptied slot closes up.
        TypeText(f.form->SlotEdit(3), Q("予備"));
        f.form->SlotEdit(1)->clear();
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Contacts(*card),
                 (Entries{{1, "03-0000-0001"}, {3, "090-0000-0003"}, {0, "予備"}}));

        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(plus, Qt::LeftButton);
        QCOMPARE(f.form->VisibleSlots(), 8);
        QVERIFY(f.form->SlotEdit(7)->isVisible());
        QVERIFY(!plus->isEnabled());
        f.Show(card);
        QCOMPARE(f.Captions(), (QStringList{Q("電話"), Q("携帯"), QString()}));
    }

    void entriesBeyondTheEighthAreShownAsMoreAndKept() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "Many");
        for (int i = 1; i <= 10; ++i)
            card->m_contacts.Add(i <= 8 ? 1 : 5, CString(("t" + std::to_string(i)).c_str()));
        f.Show(card);
        QCOMPARE(f.form->VisibleSlots(), 8);
        QCOMPARE(f.form->SlotEdit(7)->text(), QStringLiteral("t8"));
        QLabel* more = f.form->MoreContactsNotice();
        QVERIFY(more->isVisible());
        QCOMPARE(more->text(), Q("ほかに連絡先が 2 件あります（そのまま保存されます）"));
        QCOMPARE(more->toolTip(), Q("E-mail: t9\nE-mail: t10"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(card->m_contacts.GetCount(), 10);
        QVERIFY(!f.doc.IsModified());

        // Edited slots keep the two extra entries after them, also when the
        // form is committed twice without being reloaded in between.
        f.form->SlotEdit(2)->clear();
        TypeText(f.form->SlotEdit(0), QStringLiteral("!"));
        QVERIFY(f.form->SaveToCard());
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Contacts(*card), (Entries{{1, "t1!"},
                                           {1, "t2"},
                                           {1, "t4"},
                                           {1, "t5"},
                                           {1, "t6"},
                                           {1, "t7"},
                                           {1, "t8"},
                                           {5, "t9"},
                                           {5, "t10"}}));
        f.Show(card);
        QCOMPARE(more->text(), Q("ほかに連絡先が 1 件あります（そのまま保存されます）"));
        f.form->SlotEdit(0)->clear();
        QVERIFY(f.form->SaveToCard());
        f.Show(card);
        QVERIFY(!more->isVisible());
    }

    void emptyNewCardIsNotKeptAndEmptiedCardIsDeleted() {
        FormFixture f(NOTATION_JAPANESE);
        f.Show(nullptr);
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(f.doc.GetBook().GetCount(), 0);
        QVERIFY(f.doc.hints.empty());
        QVERIFY(!f.doc.IsModified());

        // Typed into: the commit makes the card, adds it and makes it current.
        TypeText(f.Line("nameEdit"), Q("新規"));
        QVERIFY(f.form->SaveToCard());
        CAddrCard* card = f.doc.GetCurrentCard();
        QVERIFY(card);
        QCOMPARE(f.doc.GetBook().GetCount(), 1);
        QCOMPARE(card->m_nNotation, int(NOTATION_JAPANESE));
        QCOMPARE(Utf8(card->m_strName), std::string("新規"));
        QVERIFY(f.doc.IsModified());

        // Emptied again: the card goes (hint 101), and no card is current (102).
        f.Line("nameEdit")->clear();
        f.doc.hints.clear();
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(f.doc.hints.size(), size_t(2));
        QCOMPARE(f.doc.hints[0].hint, int(HINT_CARD_DELETED));
        QCOMPARE(f.doc.hints[0].card, card);
        QCOMPARE(f.doc.hints[1].hint, int(HINT_DESELECT_ALL));
        QCOMPARE(f.doc.GetBook().GetCount(), 0);

        // The English form has no reading field: a reading alone keeps no card.
        FormFixture en(NOTATION_ENGLISH);
        en.doc.AddCard(NOTATION_JAPANESE, "")->m_strFurigana = Sjis("よみ");
        en.Show(en.doc.GetBook().GetAt(0));
        QVERIFY(en.form->SaveToCard());
        QCOMPARE(en.doc.GetBook().GetCount(), 0);
    }
};

KOLVANE_FORMS_TEST(CardFormEditTest);

#include "CardFormEditTest.moc"
