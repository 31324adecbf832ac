// Japanese input: text an input method composes, full-width and half-width
// characters kept as typed, characters code page 932 cannot hold refused
// without losing what was typed, and damaged bytes kept.

#include "FormFixture.h"

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

const char kEmojiMessage[] = "「😀」(U+1F600) は住所録に保存できない文字です。\n"
                             "別の文字に置き換えてください。";

} // namespace

class CardFormInputTest : public QObject {
    Q_OBJECT
private slots:
    void inputMethodComposesIntoTheFields() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "");
        f.Show(card);
        QLineEdit* name = f.Line("nameEdit");
        QVERIFY(name->testAttribute(Qt::WA_InputMethodEnabled));
        name->setFocus();
        Compose(name, Q("やまだ"), Q("山田"));
        QPlainTextEdit* notes = f.Box("notesEdit");
        notes->setFocus();
        Compose(notes, Q("めも"), Q("メモ"));
        QCOMPARE(name->text(), Q("山田"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Utf8(card->m_strName), std::string("山田"));
        QCOMPARE(Utf8(card->m_strNotes), std::string("メモ"));
    }

    void textIsStoredAsTypedInCodePage932_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("half-width kana, full-width and ASCII letters")
            << Q("ﾔﾏﾀﾞ ＡＢＣ abc") << QByteArray("\xD4\xCF\xC0\xDE \x82\x60\x82\x61\x82\x62 abc");
        QTest::newRow("full-width digits") << Q("１００") << QByteArray("\x82\x50\x82\x4F\x82\x4F");
        QTest::newRow("NEC and IBM extensions") << Q("髙﨑") << QByteArray("\xFB\xFC\xFA\xB1");
    }
    void textIsStoredAsTypedInCodePage932() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "");
        f.Show(card);
        TypeText(f.Line("nameEdit"), typed);
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(QByteArray::fromStdString(card->m_strName.str()), stored);
        QVERIFY(f.user.ui.Problems().empty());
    }

    void characterTheCodePageCannotHoldIsRefusedAndNothingIsLost() {
        FormFixture f(NOTATION_ENGLISH);
        CAddrCard* card = f.doc.AddCard(NOTATION_ENGLISH, "Kim");
        f.Show(card);
        QLineEdit* name = f.Line("nameEdit");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_End);
        Compose(name, QString(), Q(" 😀 Lee"));
        const QColor normal = f.Line("titleEdit")->palette().color(QPalette::Base);
        QVERIFY(name->palette().color(QPalette::Base) != normal);
        QCOMPARE(name->toolTip(), Q(kEmojiMessage));

        // Leaving the field with Tab: the message, and back into the field
        // with the character selected.
        f.user.ui.ExpectMessage(kEmojiMessage);
        QTest::keyClick(name, Qt::Key_Tab);
        QTRY_VERIFY(name->hasFocus());
        QCOMPARE(name->selectedText(), Q("😀"));
        QCOMPARE(name->text(), Q("Kim 😀 Lee"));

        // A commit is refused the same way and leaves the card alone.
        f.user.ui.ExpectMessage(kEmojiMessage);
        f.Line("titleEdit")->setText(QStringLiteral("Manager"));
        QVERIFY(!f.form->SaveToCard());
        QCOMPARE(Utf8(card->m_strName), std::string("Kim"));
        QCOMPARE(Utf8(card->m_strTitle), std::string());
        QVERIFY(f.doc.hints.empty());
        QVERIFY(name->hasFocus());

        // Fixed: the mark goes and the commit takes every field.
        name->setText(QStringLiteral("Kim Lee"));
        QCOMPARE(name->palette().color(QPalette::Base), normal);
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(Utf8(card->m_strName), std::string("Kim Lee"));
        QCOMPARE(Utf8(card->m_strTitle), std::string("Manager"));

        // A character beyond JIS X 0208 and the extensions, in a contact slot.
        f.form->SlotEdit(0)->setText(Q("𠮷野家"));
        f.user.ui.ExpectMessage("「𠮷」(U+20BB7) は住所録に保存できない文字です。\n"
                                "別の文字に置き換えてください。");
        QVERIFY(!f.form->SaveToCard());
        QCOMPARE(f.form->SlotEdit(0)->selectedText(), Q("𠮷"));
        QCOMPARE(f.form->SlotEdit(0)->text(), Q("𠮷野家"));
        QVERIFY(f.user.ui.Problems().empty());
    }

    void bytesTheCodePageDoesNotDefineSurviveAnUntouchedField() {
        FormFixture f(NOTATION_JAPANESE);
        CAddrCard* card = f.doc.AddCard(NOTATION_JAPANESE, "");
        // 0x85 0x40 is no character of code page 932.
        const std::string damaged = std::string("A\x85\x40") + "B";
        card->m_strName = CString(std::string_view(damaged));
        card->m_strNotes = CString(std::string_view("line1\nline2"));
        f.Show(card);
        QLineEdit* name = f.Line("nameEdit");
        QCOMPARE(name->text(), Q("A\xEF\xBF\xBD") + Q("B"));
        // Untouched, the field is not marked and may be left.
        QCOMPARE(name->palette().color(QPalette::Base),
                 f.Line("titleEdit")->palette().color(QPalette::Base));
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Tab);
        QTest::qWait(20);
        TypeText(f.Line("companyEdit"), Q("会社"));
        QVERIFY(f.form->SaveToCard());
        QCOMPARE(card->m_strName.str(), damaged);
        QCOMPARE(card->m_strNotes.str(), std::string("line1\nline2"));
        QVERIFY(f.user.ui.Problems().empty());

        // Edited, the replacement character must go before the card takes it.
        TypeText(name, QStringLiteral("C"));
        f.user.ui.ExpectMessage("「\xEF\xBF\xBD」(U+FFFD) は住所録に保存できない文字です。\n"
                                "別の文字に置き換えてください。");
        QVERIFY(!f.form->SaveToCard());
        QCOMPARE(card->m_strName.str(), damaged);
        QVERIFY(f.user.ui.Problems().empty());
    }
};

KOLVANE_FORMS_TEST(CardFormInputTest);

#include "CardFormInputTest.moc"
