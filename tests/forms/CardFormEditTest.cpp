// Reading and writing cards through the forms: typed fields, contact slots,
// cards with no, three and ten contacts, new and emptied cards, the notation
// switch, and commits that change nothing.

#include "FormFixture.h"
#include "doc/UpdateHints.h"

#include <QtTest>

namespace {

void AddContact(CAddrCard* card, int method, const char* textUtf8) {
    card->m_contacts.Add(method, Sjis(textUtf8));
}

std::vector<std::pair<int, std::string>> Contacts(const CAddrCard& card) {
    std::vector<std::pair<int, std::string>> out;
    for (const AddrContact& c : card.m_contacts.Entries())
        out.emplace_back(c.nMethodId, Utf8(c.strText));
    return out;
}

using Entries = std::vector<std::pair<int, std::string>>;

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
        QPlainTextEdit* address = f.Box("addressEdit");
        TypeText(address, Q("東京都千代田区"));
        QTest::keyClick(address, Qt::Key_Return);
        TypeText(address, Q("千代田1-1"));
        TypeText(f.Box("otherEdit"), Q("備考です"));
        TypeText(f.Box("notesEdit"), Q("ﾒﾓです"));
        TypeText(f.form->SlotEdit(0), Q("03-1234-5678"));
        QVERIFY(f.doc.hints.empty());
        QCOMPARE(Utf8(card->m_strFurigana), std::string());

        QVERIFY(f.form->SaveToCard());
        QCOMPARE(card->m_nNotation, int(NOTATION_JAPANESE));
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

        // Shown again, the address keeps its two lines.
        f.Show(card);
        QCOMPARE(f.Box("addressEdit")->toPlainText(), Q("東京都千代田区\n千代田1-1"));
        QVERIFY(f.user.ui.Problems().empty());
    }

    void commitThatChangesNothingLeavesTheDocumentUnmodified() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "John Smith");
        card->m_strAddress = "1 Main St\r\nSpringfield";
        AddContact(card, 5, "john@example.com");
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

        // A document already modified stays so.
        f.Show(card);
        QVERIFY(f.form->SaveToCard());
        QVERIFY(f.doc.IsModified());
    }

    void showingACardInTheOtherNotationIsAChange() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "Anna");
        f.Show(card);
        QCOMPARE(card->m_nNotation, int(NOTATION_JAPANESE));
        QVERIFY(f.form->SaveToCard());
        QVERIFY(f.doc.IsModified());
    }

    void cardWithoutContactsOffersPhoneAndFax() {
        FormFixture en(NOTATION_ENGLISH);
        CAddrCard* card = en.doc.AddCard(NOTATION_ENGLISH, "Ann");
        en.Show(card);
        QCOMPARE(en.form->VisibleSlots(), 2);
        QCOMPARE(en.Captions(), (QStringList{Q("Phone"), Q("Fax")}));
        QVERIFY(en.form->SlotEdit(1)->isVisible());
        QVERIFY(!en.form->SlotEdit(2)->isVisible());
        TypeText(en.form->SlotEdit(0), QStringLiteral("555-0100"));
        QVERIFY(en.form->SaveToCard());
        QCOMPARE(Contacts(*card), (Entries{{1, "555-0100"}}));

        FormFixture ja(NOTATION_JAPANESE);
        ja.Show(nullptr);
        QCOMPARE(ja.Captions(), (QStringList{Q("電話"), Q("ﾌｧｯｸｽ")}));
    }

    void threeContactsShowThreeSlotsAndPlusAddsUpToEight() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "佐藤");
        AddContact(card, 1, "03-0000-0001");
        AddContact(card, 5, "sato@example.jp");
        AddContact(card, 3, "090-0000-0003");
        f.Show(card);
        QCOMPARE(f.form->VisibleSlots(), 3);
        QCOMPARE(f.Captions(), (QStringList{Q("電話"), Q("ﾒｰﾙ"), Q("携帯")}));
        QCOMPARE(f.form->SlotEdit(1)->text(), Q("sato@example.jp"));

        QToolButton* plus = f.form->AddSlotButton();
        QTest::mouseClick(plus, Qt::LeftButton);
        QCOMPARE(f.form->VisibleSlots(), 4);
        QCOMPARE(f.form->SlotCaption(3)->Text(), QString());
        QVERIFY(f.form->SlotEdit(3)->hasFocus());
        // Text in the new slot without a chosen method goes to the blank method.
        TypeText(f.form->SlotEdit(3), Q("予備"));
        // Slot 2 emptied: the entries close up.
        f.form->SlotEdit(1)->clear();
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Contacts(*card),
                 (Entries{{1, "03-0000-0001"}, {3, "090-0000-0003"}, {0, "予備"}}));

        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(plus, Qt::LeftButton);
        QCOMPARE(f.form->VisibleSlots(), 8);
        QVERIFY(f.form->SlotEdit(7)->isVisible());
        QVERIFY(!plus->isEnabled());
        f.form->AddSlot();
        QCOMPARE(f.form->VisibleSlots(), 8);

        // The next load shows the closed-up entries in the first slots.
        f.Show(card);
        QCOMPARE(f.form->VisibleSlots(), 3);
        QCOMPARE(f.Captions(), (QStringList{Q("電話"), Q("携帯"), QString()}));
    }

    void entriesBeyondTheEighthAreShownAsMoreAndKept() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "Many");
        const char* texts[] = {"t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8", "t9", "t10"};
        for (int i = 0; i < 10; ++i)
            AddContact(card, i < 8 ? 1 : 5, texts[i]);
        f.Show(card);
        QCOMPARE(f.form->VisibleSlots(), 8);
        QCOMPARE(f.form->SlotEdit(7)->text(), QStringLiteral("t8"));
        QLabel* more = f.form->MoreContactsNotice();
        QVERIFY(more->isVisible());
        QCOMPARE(more->text(), Q("ほかに連絡先が 2 件あります（そのまま保存されます）"));
        QCOMPARE(more->toolTip(), Q("E-mail: t9\nE-mail: t10"));
        QVERIFY(more->geometry().bottom() < f.form->OtherEdit()->geometry().top());

        // Looking changes nothing.
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(card->m_contacts.GetCount(), 10);
        QVERIFY(!f.doc.IsModified());

        // Editing the slots keeps the two extra entries after them, also when
        // the form is committed twice without being reloaded in between.
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

        // A card with eight entries shows no notice.
        f.form->SlotEdit(0)->clear();
        QVERIFY(f.form->SaveToCard());
        f.Show(card);
        QVERIFY(!more->isVisible());
    }

    void emptyNewCardIsNotKeptAndEmptiedCardIsDeleted() {
        FormFixture f(NOTATION_JAPANESE);
        f.Show(nullptr);
        QCOMPARE(f.Line("nameEdit")->text(), QString());
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(f.doc.GetBook().GetCount(), 0);
        QVERIFY(f.doc.hints.empty());
        QVERIFY(!f.doc.IsModified());

        // Typed into: the commit makes the card, adds it and makes it current.
        TypeText(f.Line("nameEdit"), Q("新規"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(f.doc.GetBook().GetCount(), 1);
        CAddrCard* card = f.doc.GetCurrentCard();
        QVERIFY(card);
        QCOMPARE(card->m_nNotation, int(NOTATION_JAPANESE));
        QCOMPARE(Utf8(card->m_strName), std::string("新規"));
        QCOMPARE(f.doc.hints.back().hint, int(HINT_CARD_CHANGED));
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
        QVERIFY(!f.doc.GetCurrentCard());
    }

    void readingAloneDoesNotKeepAnEnglishCard() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "");
        card->m_strFurigana = Sjis("よみ");
        f.Show(card);
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(f.doc.GetBook().GetCount(), 0);
        QCOMPARE(f.doc.hints.front().hint, int(HINT_CARD_DELETED));
    }

    void notationSwitchKeepsReadingAndPostalCode() {
        CScriptedUser user;
        CTestDocument doc;
        CAddrCardJaView ja(doc);
        CAddrCardEnView en(doc);
        ja.SetupControls();
        en.SetupControls();
        CAddrCard* card = doc.AddCard(NOTATION_JAPANESE, "鈴木");
        card->m_strFurigana = Sjis("すずき");
        card->m_strZip = Sjis("150-0001");
        doc.SetCurrentCard(card);

        en.LoadFromCard();
        QCOMPARE(card->m_nNotation, int(NOTATION_ENGLISH));
        auto* name = en.findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        name->setText(QStringLiteral("Ichiro Suzuki"));
        QVERIFY(en.SaveToCard());
        QCOMPARE(Utf8(card->m_strFurigana), std::string("すずき"));
        QCOMPARE(Utf8(card->m_strZip), std::string("150-0001"));
        QCOMPARE(Utf8(card->m_strName), std::string("Ichiro Suzuki"));

        ja.LoadFromCard();
        QCOMPARE(card->m_nNotation, int(NOTATION_JAPANESE));
        QCOMPARE(ja.findChild<QLineEdit*>(QStringLiteral("furiganaEdit"))->text(), Q("すずき"));
        QCOMPARE(ja.findChild<QLineEdit*>(QStringLiteral("zipEdit"))->text(), Q("150-0001"));
        QCOMPARE(ja.findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text(), Q("Ichiro Suzuki"));
        QVERIFY(user.ui.Problems().empty());
    }
};

KOLVANE_FORMS_TEST(CardFormEditTest);

#include "CardFormEditTest.moc"
