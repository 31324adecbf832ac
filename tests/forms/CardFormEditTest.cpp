// Reading and writing cards through the forms: typed and composed text, commits
// that change nothing, characters code page 932 cannot hold, damaged bytes kept.

#include "FormsTestSupport.h"
#include "doc/UpdateHints.h"

#include <QInputMethodEvent>
#include <QtTest>

namespace {

void Compose(QWidget* field, const QString& preedit, const QString& commit) {
    QInputMethodEvent composing(preedit, {});
    QApplication::sendEvent(field, &composing);
    QInputMethodEvent done;
    done.setCommitString(commit);
    QApplication::sendEvent(field, &done);
}

std::string Refused(const char* character, const char* code) {
    return std::string("「") + character + "」(" + code +
           ") は住所録に保存できない文字です。\n別の文字に置き換えてください。";
}

} // namespace

class CardFormEditTest : public QObject {
    Q_OBJECT
private slots:
    void typedFieldsAreCommittedOnlyWhenChanged() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "山田太郎");
        f.Show(card);
        TypeText(f.Line("furiganaEdit"), Q("やまだたろう"));
        TypeText(f.Line("companyEdit"), Q("ﾔﾏﾀﾞ ＡＢＣ 髙﨑"));
        TypeText(f.Box("addressEdit"), Q("東京都千代田区\n千代田1-1"));
        f.Box("notesEdit")->setFocus();
        Compose(f.Box("notesEdit"), Q("めも"), Q("メモ"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Utf8(card->m_strFurigana), std::string("やまだたろう"));
        // Full-width, half-width and the NEC and IBM extensions as typed.
        QCOMPARE(card->m_strCompany.str(),
                 std::string("\xD4\xCF\xC0\xDE \x82\x60\x82\x61\x82\x62 \xFB\xFC\xFA\xB1"));
        // Line breaks are stored as CR LF.
        QCOMPARE(Utf8(card->m_strAddress), std::string("東京都千代田区\r\n千代田1-1"));
        QCOMPARE(Utf8(card->m_strNotes), std::string("メモ"));
        QCOMPARE(f.doc.hints, (decltype(f.doc.hints){{HINT_CARD_CHANGED, card}}));

        // Typing and typing back is no change: the book is not marked changed.
        f.doc.SetModifiedFlag(false);
        f.Show(card);
        QLineEdit* name = f.Line("nameEdit");
        TypeText(name, QStringLiteral("x"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QVERIFY(f.form->SaveToCard());
        QVERIFY(!f.doc.IsModified());
        QVERIFY(f.user.ui.Problems().empty());
    }

    void characterTheCodePageCannotHoldIsMarkedAndRefused() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "Kim");
        f.Show(card);
        QLineEdit* name = f.Line("nameEdit");
        name->setFocus();
        Compose(name, QString(), Q(" 😀 Lee"));
        const QColor normal = f.Line("titleEdit")->palette().color(QPalette::Base);
        QVERIFY(name->palette().color(QPalette::Base) != normal);
        QCOMPARE(name->toolTip().toStdString(), Refused("😀", "U+1F600"));

        // Leaving the field is refused with the message and the character
        // selected; fixed, the mark goes.
        f.user.ui.ExpectMessage(Refused("😀", "U+1F600"));
        QTest::keyClick(name, Qt::Key_Tab);
        QTRY_VERIFY(name->hasFocus());
        QCOMPARE(name->selectedText(), Q("😀"));
        name->setText(QStringLiteral("Kim Lee"));
        QCOMPARE(name->palette().color(QPalette::Base), normal);

        // Beyond JIS X 0208 and the extensions, in a contact slot.
        f.form->SlotEdit(0)->setText(Q("𠮷野家"));
        f.user.ui.ExpectMessage(Refused("𠮷", "U+20BB7"));
        QVERIFY(!f.form->SaveToCard());
        QCOMPARE(f.form->SlotEdit(0)->selectedText(), Q("𠮷"));
        QCOMPARE(Utf8(card->m_strName), std::string("Kim"));
        QVERIFY(f.user.ui.Problems().empty());
    }

    void bytesTheCodePageDoesNotDefineSurviveAnUntouchedField() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "");
        // 0x85 0x40 is no character of code page 932.
        const std::string damaged("A\x85\x40"
                                  "B");
        card->m_strName = CString(std::string_view(damaged));
        card->m_strNotes = CString(std::string_view("line1\nline2"));
        f.Show(card);
        QLineEdit* name = f.Line("nameEdit");
        QCOMPARE(name->text(), Q("A\xEF\xBF\xBD"
                                 "B"));
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Tab);
        TypeText(f.Line("companyEdit"), Q("会社"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(card->m_strName.str(), damaged);
        QCOMPARE(card->m_strNotes.str(), std::string("line1\nline2"));

        // Edited, the replacement character must go before the card takes it.
        TypeText(name, QStringLiteral("C"));
        f.user.ui.ExpectMessage(Refused("\xEF\xBF\xBD", "U+FFFD"));
        QVERIFY(!f.form->SaveToCard());
        QCOMPARE(card->m_strName.str(), damaged);
        QVERIFY(f.user.ui.Problems().empty());
    }
};

KOLVANE_FORMS_TEST(CardFormEditTest);

#include "CardFormEditTest.moc"
