// The card forms in the main window: fitting, scrolling, editing, paging, new
// and deleted cards, refused characters, the options and contact methods.

#include "GuiTestSupport.h"

#include "model/AddrBookFile.h"
#include "views/AddrListView.h"
#include "views/CardForm.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"
#include "views/controls/CaptionLabel.h"
#include "views/dialogs/SjisText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace {

const char* const kEmojiRefused =
    "「😀」(U+1F600) は住所録に保存できない文字です。\n別の文字に置き換えてください。";

// Rows of the sample book as the list sorts them.
constexpr int kRowSmith = 1;  // smith john, English
constexpr int kRowKappa = 3;  // 河童 一郎, Japanese, no contacts
constexpr int kRowGakkou = 4; // 学校 花子, Japanese, telephone 03-1111-0005

// Replaces the field's text key by key, as a keyboard or an input method would.
void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text.mid(i, length),
                            Qt::NoModifier);
        i += length - 1;
    }
}

// Runs action on the modal dialog named so once it has opened.
void WhenDialogOpens(const QString& name, const std::function<void(QDialog*)>& action,
                     int tries = 500) {
    QTimer::singleShot(10, [=] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal && modal->objectName() == name && modal->isVisible())
            action(modal);
        else if (tries > 0)
            WhenDialogOpens(name, action, tries - 1);
        else if (modal)
            modal->reject();
    });
}

// The fields of the form the scroll area does not show whole.
QStringList OutOfView(QWidget* form) {
    QWidget* viewport = form->parentWidget();
    QStringList hidden;
    for (QWidget* child : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible() &&
            !viewport->rect().contains(QRect(child->mapTo(viewport, QPoint()), child->size())))
            hidden << child->objectName();
    return hidden;
}

} // namespace

class CardFormWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiSession> s;

    void StartOnSample() {
        WriteBook(s->Path("book.kvd"), SampleCards());
        QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
        s->Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s->Frame()));
    }
    void DoubleClickRow(int row) {
        const QRect r = s->List().visualRect(s->List().model()->index(row, 0));
        QTest::mouseClick(s->List().viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(s->List().viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseRelease(s->List().viewport(), Qt::LeftButton, {}, r.center());
    }
    QWidget* ShowingForm() const { return s->Frame().Form(Slot())->Widget(); }
    QLineEdit* Edit(const char* name) const {
        return ShowingForm()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    CAddrCard* Kappa() const { return s->Doc().GetBook().GetAt(3); }
    int Slot() const { return s->Frame().ActiveSlot(); }

private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }
    void init() { s = std::make_unique<GuiSession>(); }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
    }

    void theFormsFitTheWindowAndScrollWhenItIsSmaller() {
        StartOnSample();
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(folder);
        for (CAddrCard* card : {s->Doc().GetBook().GetAt(2), Kappa()})
            for (int i = 0; i < 8; ++i)
                card->m_contacts.Add(1, "03-0000-0000");
        const std::pair<int, const char*> forms[]{{kRowSmith, "english"}, {kRowKappa, "japanese"}};
        for (const auto& [row, name] : forms) {
            QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
            DoubleClickRow(row);
            QTRY_COMPARE(OutOfView(ShowingForm()), QStringList());
            QVERIFY(s->Frame().grab().save(
                folder + QStringLiteral("/window_%1_form.png").arg(QLatin1String(name))));
        }
        // At its smallest the window scrolls the form, and the notes come into view.
        s->Frame().resize(s->Frame().minimumSize());
        auto* scroll = qobject_cast<QScrollArea*>(ShowingForm()->parentWidget()->parentWidget());
        QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
        QVERIFY(OutOfView(ShowingForm()).contains(QStringLiteral("notesEdit")));
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        QTRY_VERIFY(!OutOfView(ShowingForm()).contains(QStringLiteral("notesEdit")));
        QVERIFY(s->Frame().grab().save(folder + QStringLiteral("/window_smallest.png")));
    }

    void editingPagingAndSwitchingNotation() {
        StartOnSample();
        DoubleClickRow(kRowKappa);
        // The reading field takes the keyboard first; the other notation keeps
        // the reading and the postal code.
        QCOMPARE(QApplication::focusWidget(), Edit("furiganaEdit"));
        Retype(Edit("zipEdit"), QStringLiteral("123-4567"));
        QTest::mouseClick(s->ButtonOf(ID_CARD_ENGLISH), Qt::LeftButton);
        Retype(Edit("titleEdit"), QStringLiteral("Manager"));
        QTest::mouseClick(s->ButtonOf(ID_CARD_JAPANESE), Qt::LeftButton);
        QCOMPARE(Edit("furiganaEdit")->text(), QStringLiteral("かっぱ"));
        QCOMPARE(Edit("zipEdit")->text(), QStringLiteral("123-4567"));
        QCOMPARE(Edit("titleEdit")->text(), QStringLiteral("Manager"));

        Retype(Edit("nameEdit"), QStringLiteral("河童 次郎"));
        QTest::keyClick(Edit("nameEdit"), Qt::Key_PageDown);
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("学校 花子"));
        QCOMPARE(s->Column(0).at(kRowKappa), QStringLiteral("河童 次郎"));
        // The page keys move between cards from a multi-line box too, and an
        // English card shows in the English form.
        auto* address = ShowingForm()->findChild<QPlainTextEdit*>(QStringLiteral("addressEdit"));
        address->setFocus();
        QTest::keyClick(address, Qt::Key_PageUp);
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("河童 次郎"));
        QTest::keyClick(Edit("nameEdit"), Qt::Key_PageUp); // 青木 優子
        QTest::keyClick(Edit("nameEdit"), Qt::Key_PageUp); // smith john
        QCOMPARE(Slot(), int(CMainFrame::SLOT_ENGLISH));
        QCOMPARE(Edit("companyEdit")->text(), QStringLiteral("Acme Corp."));
    }

    void aNewCardIsMadeOnlyForSomethingTyped() {
        StartOnSample();
        QTest::mouseClick(s->ButtonOf(ID_CARD_NEW), Qt::LeftButton);
        QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QVERIFY(!s->Doc().IsModified());
        QVERIFY(s->Frame().RunCommand(ID_CARD_NEW));
        Retype(Edit("furiganaEdit"), QStringLiteral("あらい"));
        Retype(Edit("nameEdit"), QStringLiteral("新井 新"));
        Retype(Edit("slotEdit1"), QStringLiteral("03-2222-0001"));
        // A second new card commits the first.
        QVERIFY(s->Frame().RunCommand(ID_CARD_NEW));
        QCOMPARE(s->Count(), QStringLiteral("7 / 7"));
        QCOMPARE(s->Column(2).at(3), QStringLiteral("03-2222-0001"));
    }

    void theListAndOtherFilesTakeTheFormIntoItsOwnCard() {
        StartOnSample();
        DoubleClickRow(kRowKappa);
        Retype(Edit("nameEdit"), QStringLiteral("河童 五郎"));
        // The list lies under the form; its row becomes current on the press.
        DoubleClickRow(0);
        QCOMPARE(Slot(), int(CMainFrame::SLOT_ENGLISH));
        QCOMPARE(s->Column(0).at(kRowKappa), QStringLiteral("河童 五郎"));
        // Opening another file commits the form into the file it came from.
        WriteBook(s->Path("other.kvd"), {{0, "べつ", "別所 一", "", ""}});
        Retype(Edit("companyEdit"), QStringLiteral("Zeta Inc."));
        s->ui.PickFile(s->Path("other.kvd"));
        QVERIFY(s->Frame().RunCommand(ID_FILE_OPEN));
        CAddrBook reread;
        QVERIFY(!LoadAddrBook(s->Path("book.kvd").c_str(), reread));
        QCOMPARE(SjisToQString(reread.GetAt(5)->m_strCompany), QStringLiteral("Zeta Inc."));
    }

    void deletingOrEmptyingACardShowsTheNextInItsOwnNotation() {
        StartOnSample();
        DoubleClickRow(kRowSmith);
        s->ui.ExpectMessage("選択されているｶｰﾄﾞを削除します。\n削除してもいいですか?", IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_JAPANESE));
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("青木 優子"));
        QVERIFY(s->Doc().GetCurrentCard()->IsJapanese());
        // An emptied card goes when the form is left.
        Retype(Edit("furiganaEdit"), QString());
        Retype(Edit("nameEdit"), QString());
        Retype(Edit("companyEdit"), QString());
        Retype(Edit("slotEdit1"), QString());
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QCOMPARE(s->Count(), QStringLiteral("4 / 4"));
    }

    void anUnstorableCharacterKeepsTheFormOnEveryWayOut() {
        StartOnSample();
        DoubleClickRow(kRowKappa);
        const std::string before = ReadBytes(s->Path("book.kvd"));
        Retype(Edit("nameEdit"), QStringLiteral("河童 😀"));
        // Every way out of the form: keys, buttons, the list and commands.
        CMainFrame& frame = s->Frame();
        std::vector<std::function<void()>> ways{
            [&] { QTest::keyClick(Edit("nameEdit"), Qt::Key_PageDown); },
            [&] { QTest::mouseClick(s->ButtonOf(ID_CARD_ENGLISH), Qt::LeftButton); },
            [&] { QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST), Qt::LeftButton); },
            [&] { frame.SearchBox().setText(QStringLiteral("acme")); },
            // A double click in the list would make another card current under the form.
            [&] { DoubleClickRow(0); }, [&] { QVERIFY(!s->Close()); }};
        for (int id : {ID_VIEW_PREV_CARD, ID_VIEW_LIST, ID_CARD_NEW, ID_VIEW_CARD,
                       ID_CARD_DUPLICATES, ID_EDIT_FIND, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                       ID_FILE_OPEN, ID_FILE_NEW, ID_EDIT_OPTIONS})
            ways.emplace_back([&frame, id] { frame.RunCommand(id); });
        QTimer watch; // a dialog opening over the form is counted and closed
        int dialogs = 0;
        QObject::connect(&watch, &QTimer::timeout, [&dialogs] {
            if (QWidget* modal = QApplication::activeModalWidget())
                dialogs += modal->close();
        });
        watch.start(10);
        for (size_t way = 0; way < ways.size(); ++way) {
            s->ui.ExpectMessage(kEmojiRefused);
            ways[way]();
            const QByteArray at = QByteArray::number(qulonglong(way));
            QVERIFY2(Slot() == CMainFrame::SLOT_JAPANESE && ShowingForm()->isVisible(), at);
            QCOMPARE(QApplication::focusWidget(), Edit("nameEdit"));
            QCOMPARE(Edit("nameEdit")->selectedText(), QStringLiteral("😀"));
            QCOMPARE(s->Doc().GetCurrentCard(), Kappa());
            QCOMPARE(SjisToQString(Kappa()->m_strName), QStringLiteral("河童 一郎"));
            QCOMPARE(Utf8(s->ui.Problems()), QString());
            QVERIFY2(dialogs == 0 && !s->Doc().IsModified(), at);
        }
        QVERIFY(ReadBytes(s->Path("book.kvd")) == before);

        // Mended, the form lets go.
        Retype(Edit("nameEdit"), QStringLiteral("河童 三郎"));
        QTest::keyClick(Edit("nameEdit"), Qt::Key_PageDown);
        QCOMPARE(s->Column(0).at(kRowKappa), QStringLiteral("河童 三郎"));
    }

    void optionsReachTheirOwnersAndCommitTheForm() {
        StartOnSample();
        QTest::keyClicks(&s->Frame().SearchBox(), QStringLiteral("acme"));
        DoubleClickRow(0);
        Retype(Edit("nameEdit"), QStringLiteral("Smith John"));
        WhenDialogOpens(QStringLiteral("optionsSheet"), [](QDialog* sheet) {
            for (const char* name : {"autoSave", "saveWndPos", "newCardEnglish", "matchCase"})
                QTest::mouseClick(sheet->findChild<QAbstractButton*>(QLatin1String(name)),
                                  Qt::LeftButton);
            const std::pair<const char*, const char*> texts[]{
                {"maxMru", "9"}, {"backupExt", "old"}, {"maxBackup", "2"}};
            for (const auto& [name, text] : texts)
                Retype(sheet->findChild<QLineEdit*>(QString::fromLatin1(name)),
                       QString::fromLatin1(text));
            sheet->accept();
        });
        s->ui.ExpectMessage(
            "新しいﾌｧｲﾙ履歴の表示数を有効にするには、\nﾌﾟﾛｸﾞﾗﾑを再起動する必要があります。");
        QVERIFY(s->Frame().RunCommand(ID_EDIT_OPTIONS));
        // The form is committed and the list refilled: "Acme Corp." no longer
        // matches "acme".
        QCOMPARE(Slot(), int(CMainFrame::SLOT_LIST));
        QCOMPARE(SjisToQString(s->Doc().GetBook().GetAt(2)->m_strName),
                 QStringLiteral("Smith John"));
        QCOMPARE(s->Count(), QStringLiteral("0 / 6"));
        s->App().ExitInstance();
        s->End();
        const std::pair<const char*, int> stored[]{{"MatchCase", 1},  {"NewCardLang", 1},
                                                   {"SaveWndPos", 0}, {"AutoSave", 0},
                                                   {"MaxMRU", 9},     {"MaxBackup", 2}};
        for (const auto& [key, value] : stored)
            QCOMPARE(s->settings.GetProfileInt("Settings", key, -1), value);
        QCOMPARE(SjisToQString(s->settings.GetProfileString("Settings", "BackupExt", "")),
                 QStringLiteral("old"));
    }

    void renamedContactMethodsReachTheShowingForm() {
        StartOnSample();
        DoubleClickRow(kRowGakkou);
        auto* caption = ShowingForm()->findChild<CCaptionLabel*>(QStringLiteral("slotCaption1"));
        Retype(Edit("slotEdit1"), QStringLiteral("03-1111-9999"));
        // Cancel leaves the table and the flag alone.
        WhenDialogOpens(QStringLiteral("contactMethodDlg"),
                        [](QDialog* dialog) { dialog->reject(); });
        QVERIFY(s->Frame().RunCommand(ID_CARD_CONTACT_METHODS));
        QVERIFY(!s->Doc().IsModified());
        WhenDialogOpens(QStringLiteral("contactMethodDlg"), [](QDialog* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("methodList"));
            list->setCurrentItem(list->topLevelItem(0));
            WhenDialogOpens(QStringLiteral("contactMethodEditDlg"), [](QDialog* edit) {
                Retype(edit->findChild<QLineEdit*>(QStringLiteral("japaneseName")),
                       QStringLiteral("固定電話"));
                edit->accept();
            });
            QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("editMethod")),
                              Qt::LeftButton);
            dialog->accept();
        });
        QVERIFY(s->Frame().RunCommand(ID_CARD_CONTACT_METHODS));
        QCOMPARE(caption->Text(), QStringLiteral("固定電話"));
        // What was typed into the form stays and is committed with the card.
        QVERIFY(s->Frame().RunCommand(ID_VIEW_PREV_CARD));
        QCOMPARE(s->Column(2).at(kRowGakkou), QStringLiteral("03-1111-9999"));
    }
};

QTEST_MAIN(CardFormWindowTest)
#include "CardFormWindowTest.moc"
