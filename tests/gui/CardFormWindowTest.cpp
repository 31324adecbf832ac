// The card forms in the main window: showing, editing and paging through cards,
// switching notation, new cards, a form that refuses a character the file
// cannot hold, and the options and contact-method dialogs.

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
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <vector>

namespace {

const char* const kEmojiRefused =
    "「😀」(U+1F600) は住所録に保存できない文字です。\n別の文字に置き換えてください。";
const char* const kDeleteQuestion = "選択されているｶｰﾄﾞを削除します。\n削除してもいいですか?";
const char* const kMaxMruRestart =
    "新しいﾌｧｲﾙ履歴の表示数を有効にするには、\nﾌﾟﾛｸﾞﾗﾑを再起動する必要があります。";

// Rows of the sample book as the list sorts them.
constexpr int kRowKappa = 3;  // 河童 一郎, Japanese, no contacts
constexpr int kRowGakkou = 4; // 学校 花子, Japanese, telephone 03-1111-0005

QString Text(const CString& sjis) {
    return SjisToQString(sjis);
}

// Key by key, any characters, as a keyboard or an input method delivers them.
void TypeText(QWidget* field, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text.mid(i, length),
                            Qt::NoModifier);
        i += length - 1;
    }
}

void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    TypeText(field, text);
}

// Runs action on the modal dialog named so, once it has opened.
void WhenDialogOpens(const QString& name, const std::function<void(QDialog*)>& action) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(timer, &QTimer::timeout, [timer, waited, name, action] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool found = modal && modal->objectName() == name && modal->isVisible();
        if (!found && waited->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        if (found)
            action(modal);
        else if (modal)
            modal->reject();
    });
    timer->start(10);
}

void ClickButton(QWidget* dialog, const QString& text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->text() == text && button->isVisible()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no button ") + text));
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
    QWidget* ShowingForm() const {
        ICardForm* form = s->Frame().Form(s->Frame().ActiveSlot());
        return form ? form->Widget() : nullptr;
    }
    template <class Field> Field* FieldOf(int slot, const char* name) const {
        return s->Frame().Form(slot)->Widget()->findChild<Field*>(QString::fromLatin1(name));
    }
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
        const std::pair<int, const char*> forms[]{{1, "english"}, {kRowKappa, "japanese"}};
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

    void doubleClickShowsTheCardAndPageDownCommitsTheEdit() {
        StartOnSample();
        DoubleClickRow(kRowKappa);
        QCOMPARE(Slot(), int(CMainFrame::SLOT_JAPANESE));
        QCOMPARE(Edit("furiganaEdit")->text(), QStringLiteral("かっぱ"));
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("河童 一郎"));
        // The reading field takes the keyboard first.
        QCOMPARE(QApplication::focusWidget(), Edit("furiganaEdit"));
        QVERIFY(!s->Doc().IsModified());

        Retype(Edit("nameEdit"), QStringLiteral("河童 次郎"));
        QTest::keyClick(Edit("nameEdit"), Qt::Key_PageDown);
        QCOMPARE(Slot(), int(CMainFrame::SLOT_JAPANESE));
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("学校 花子"));
        QCOMPARE(Edit("companyEdit")->text(), QStringLiteral("学園"));
        QCOMPARE(s->Column(0).at(kRowKappa), QStringLiteral("河童 次郎"));
        QCOMPARE(Text(Kappa()->m_strName), QStringLiteral("河童 次郎"));
        QVERIFY(s->Doc().IsModified());
        QVERIFY(s->Frame().isWindowModified());

        // The page keys move between cards from a multi-line box too.
        auto* address = ShowingForm()->findChild<QPlainTextEdit*>(QStringLiteral("addressEdit"));
        address->setFocus();
        QTest::keyClick(address, Qt::Key_PageUp);
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("河童 次郎"));
        QCOMPARE(s->Doc().GetCurrentCard(), Kappa());
        // Paging back over the English cards shows them in the English form.
        QTest::keyClick(Edit("nameEdit"), Qt::Key_PageUp); // 青木 優子
        QTest::keyClick(Edit("nameEdit"), Qt::Key_PageUp); // smith john
        QCOMPARE(Slot(), int(CMainFrame::SLOT_ENGLISH));
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("smith john"));
        QCOMPARE(Edit("companyEdit")->text(), QStringLiteral("Acme Corp."));
    }

    void switchingNotationKeepsTheReadingAndThePostalCode() {
        StartOnSample();
        s->SelectRows({kRowKappa});
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        Retype(Edit("zipEdit"), QStringLiteral("123-4567"));

        QTest::mouseClick(s->ButtonOf(ID_CARD_ENGLISH), Qt::LeftButton);
        QCOMPARE(Slot(), int(CMainFrame::SLOT_ENGLISH));
        QVERIFY(s->ButtonOf(ID_CARD_ENGLISH)->isChecked());
        QVERIFY(!s->ButtonOf(ID_CARD_JAPANESE)->isChecked());
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("河童 一郎"));
        QVERIFY(!Edit("furiganaEdit"));
        QVERIFY(Kappa()->IsEnglish());
        QCOMPARE(Text(Kappa()->m_strZip), QStringLiteral("123-4567"));
        Retype(Edit("titleEdit"), QStringLiteral("Manager"));

        QTest::mouseClick(s->ButtonOf(ID_CARD_JAPANESE), Qt::LeftButton);
        QCOMPARE(Slot(), int(CMainFrame::SLOT_JAPANESE));
        QVERIFY(Kappa()->IsJapanese());
        QCOMPARE(Edit("furiganaEdit")->text(), QStringLiteral("かっぱ"));
        QCOMPARE(Edit("zipEdit")->text(), QStringLiteral("123-4567"));
        QCOMPARE(Edit("titleEdit")->text(), QStringLiteral("Manager"));
        QCOMPARE(Text(Kappa()->m_strFurigana), QStringLiteral("かっぱ"));
    }

    void aNewCardIsMadeOnlyForSomethingTyped() {
        StartOnSample();
        QTest::mouseClick(s->ButtonOf(ID_CARD_NEW), Qt::LeftButton);
        QCOMPARE(Slot(), int(CMainFrame::SLOT_JAPANESE));
        QVERIFY(!s->Doc().GetCurrentCard());
        QCOMPARE(Edit("furiganaEdit")->text(), QString());
        QVERIFY(!s->Frame().Action(ID_CARD_DELETE)->isEnabled());
        QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QVERIFY(!s->Doc().IsModified());

        QVERIFY(s->Frame().RunCommand(ID_CARD_NEW));
        Retype(Edit("furiganaEdit"), QStringLiteral("あらい"));
        Retype(Edit("nameEdit"), QStringLiteral("新井 新"));
        Retype(Edit("slotEdit1"), QStringLiteral("03-2222-0001"));
        // A second new card commits the first.
        QVERIFY(s->Frame().RunCommand(ID_CARD_NEW));
        QCOMPARE(Edit("nameEdit")->text(), QString());
        QCOMPARE(s->Count(), QStringLiteral("7 / 7"));
        QCOMPARE(s->Column(0).at(3), QStringLiteral("新井 新"));
        QCOMPARE(s->Column(2).at(3), QStringLiteral("03-2222-0001"));
        QVERIFY(s->Doc().GetBook().GetAt(6)->IsJapanese());
        QVERIFY(s->Doc().IsModified());
    }

    void aClickInTheListCommitsTheFormIntoItsOwnCard() {
        StartOnSample();
        DoubleClickRow(kRowKappa);
        Retype(Edit("nameEdit"), QStringLiteral("河童 五郎"));
        // The list lies under the form; its row becomes current on the press.
        DoubleClickRow(0);
        QCOMPARE(Slot(), int(CMainFrame::SLOT_ENGLISH));
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("Brown Anna"));
        QCOMPARE(Text(Kappa()->m_strName), QStringLiteral("河童 五郎"));
        QCOMPARE(Text(s->Doc().GetBook().GetAt(5)->m_strName), QStringLiteral("Brown Anna"));
        QCOMPARE(s->Column(0).at(kRowKappa), QStringLiteral("河童 五郎"));
    }

    void showingTheCardFormAfterEmptyingACardLeavesTheNextCardAlone() {
        StartOnSample();
        DoubleClickRow(kRowKappa);
        Retype(Edit("furiganaEdit"), QString());
        Retype(Edit("nameEdit"), QString());
        // The emptied card goes; the first row, an English card, is shown as it is.
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QCOMPARE(s->Doc().GetBook().GetCount(), 5);
        QCOMPARE(s->Count(), QStringLiteral("5 / 5"));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_ENGLISH));
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("Brown Anna"));
        QCOMPARE(Edit("companyEdit")->text(), QStringLiteral("Zeta Ltd."));
        QVERIFY(s->Doc().GetCurrentCard()->IsEnglish());
    }

    void deletingFromAFormShowsTheNextCardInItsOwnNotation() {
        StartOnSample();
        DoubleClickRow(1); // smith john, English
        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_JAPANESE));
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("青木 優子"));
        QVERIFY(s->Doc().GetCurrentCard()->IsJapanese());
    }

    void openingAnotherFileCommitsTheFormIntoTheFileItCameFrom() {
        StartOnSample();
        WriteBook(s->Path("other.kvd"), {{0, "べつ", "別所 一", "", ""}});
        DoubleClickRow(kRowKappa);
        Retype(Edit("companyEdit"), QStringLiteral("河童堂"));
        s->ui.PickFile(s->Path("other.kvd"));
        QVERIFY(s->Frame().RunCommand(ID_FILE_OPEN));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_LIST));
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("別所 一")});
        QVERIFY(!s->Doc().IsModified());
        CAddrBook reread;
        QVERIFY(!LoadAddrBook(s->Path("book.kvd").c_str(), reread));
        QCOMPARE(Text(reread.GetAt(3)->m_strCompany), QStringLiteral("河童堂"));
        // The form shows the new book's card, not the old one's.
        DoubleClickRow(0);
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("別所 一"));
        QCOMPARE(Edit("companyEdit")->text(), QString());
    }

    void anUnstorableCharacterKeepsTheFormOnEveryWayOut() {
        StartOnSample();
        DoubleClickRow(kRowKappa);
        const std::string before = ReadBytes(s->Path("book.kvd"));
        Retype(Edit("nameEdit"), QStringLiteral("河童 😀"));
        auto stays = [this](const char* way) {
            QCOMPARE(Slot(), int(CMainFrame::SLOT_JAPANESE));
            QVERIFY2(s->Frame().Form(CMainFrame::SLOT_JAPANESE)->Widget()->isVisible(), way);
            QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("河童 😀"));
            QCOMPARE(QApplication::focusWidget(), Edit("nameEdit"));
            QCOMPARE(Edit("nameEdit")->selectedText(), QStringLiteral("😀"));
            QCOMPARE(s->Doc().GetCurrentCard(), Kappa());
            QCOMPARE(Text(Kappa()->m_strName), QStringLiteral("河童 一郎"));
            QCOMPARE(s->Column(0).at(kRowKappa), QStringLiteral("河童 一郎"));
            QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
            QCOMPARE(Utf8(s->ui.Problems()), QString());
            QVERIFY2(!s->Doc().IsModified(), way);
        };

        CMainFrame& frame = s->Frame();
        const std::vector<std::pair<const char*, std::function<void()>>> ways{
            {"next card", [&] { QTest::keyClick(Edit("nameEdit"), Qt::Key_PageDown); }},
            {"previous card", [&] { frame.RunCommand(ID_VIEW_PREV_CARD); }},
            {"list", [&] { frame.RunCommand(ID_VIEW_LIST); }},
            {"other notation",
             [&] { QTest::mouseClick(s->ButtonOf(ID_CARD_ENGLISH), Qt::LeftButton); }},
            {"new card", [&] { frame.RunCommand(ID_CARD_NEW); }},
            {"card form", [&] { frame.RunCommand(ID_VIEW_CARD); }},
            {"index button",
             [&] { QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST), Qt::LeftButton); }},
            {"duplicates", [&] { frame.RunCommand(ID_CARD_DUPLICATES); }},
            {"search text", [&] { frame.SearchBox().setText(QStringLiteral("acme")); }},
            {"search box", [&] { frame.RunCommand(ID_EDIT_FIND); }},
            // A double click in the list would make another card current under the form.
            {"double click in the list", [&] { DoubleClickRow(0); }},
            {"save", [&] { frame.RunCommand(ID_FILE_SAVE); }},
            {"save as", [&] { frame.RunCommand(ID_FILE_SAVE_AS); }},
            {"open", [&] { frame.RunCommand(ID_FILE_OPEN); }},
            {"new file", [&] { frame.RunCommand(ID_FILE_NEW); }},
            {"close", [&] { QVERIFY(!s->Close()); }},
            {"options", [&] { frame.RunCommand(ID_EDIT_OPTIONS); }},
        };
        // Were the options sheet to open over the form, it would be closed here.
        QTimer watch;
        bool modalOpened = false;
        QObject::connect(&watch, &QTimer::timeout, [&modalOpened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalOpened = true;
                modal->close();
            }
        });
        watch.start(10);
        for (const auto& [way, act] : ways) {
            s->ui.ExpectMessage(kEmojiRefused);
            act();
            stays(way);
        }
        watch.stop();
        QVERIFY(!modalOpened);
        QVERIFY(s->Frame().isVisible());
        QVERIFY(!s->Frame().Action(ID_VIEW_LIST)->isChecked());
        QVERIFY(s->ButtonOf(ID_CARD_JAPANESE)->isChecked());
        QVERIFY(s->ButtonOf(ID_INDEX_LAST)->isChecked()); // 全
        QCOMPARE(s->Frame().SearchBox().text(), QString());
        // Nothing was saved and nothing asked.
        QVERIFY(s->ui.prompts.empty());
        QVERIFY(ReadBytes(s->Path("book.kvd")) == before);

        // Mended, the form lets go.
        Retype(Edit("nameEdit"), QStringLiteral("河童 三郎"));
        QTest::keyClick(Edit("nameEdit"), Qt::Key_PageDown);
        QCOMPARE(Edit("nameEdit")->text(), QStringLiteral("学校 花子"));
        QCOMPARE(s->Column(0).at(kRowKappa), QStringLiteral("河童 三郎"));
        QVERIFY(s->Close());
        QCOMPARE(s->ui.messages.size(), size_t(17));
        CAddrBook reread;
        QVERIFY(!LoadAddrBook(s->Path("book.kvd").c_str(), reread));
        QCOMPARE(Text(reread.GetAt(3)->m_strName), QStringLiteral("河童 三郎"));
    }

    void deletingTheOnlyListedCardWaitsForTheFormToBeMended() {
        StartOnSample();
        QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST + 26 + 1), Qt::LeftButton); // か
        QCOMPARE(s->Count(), QStringLiteral("1 / 6"));
        DoubleClickRow(0);
        Retype(Edit("companyEdit"), QStringLiteral("😀"));
        s->ui.ExpectMessage(kDeleteQuestion, IDYES).ExpectMessage(kEmojiRefused);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_JAPANESE));
        QCOMPARE(s->Doc().GetBook().GetCount(), 6);
        QCOMPARE(s->Doc().GetCurrentCard(), Kappa());

        Retype(Edit("companyEdit"), QStringLiteral("河童屋"));
        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_LIST));
        QCOMPARE(s->Count(), QStringLiteral("0 / 5"));
        QVERIFY(!s->Doc().GetCurrentCard());
    }

    void optionsReachTheirOwners() {
        StartOnSample();
        QTest::keyClicks(&s->Frame().SearchBox(), QStringLiteral("acme"));
        QCOMPARE(s->Count(), QStringLiteral("1 / 6"));

        WhenDialogOpens(QStringLiteral("optionsSheet"), [](QDialog* sheet) {
            auto* autoSave = sheet->findChild<QAbstractButton*>(QStringLiteral("autoSave"));
            QVERIFY(autoSave->isChecked());
            QTest::mouseClick(autoSave, Qt::LeftButton);
            QTest::mouseClick(sheet->findChild<QAbstractButton*>(QStringLiteral("saveWndPos")),
                              Qt::LeftButton);
            QTest::mouseClick(sheet->findChild<QAbstractButton*>(QStringLiteral("newCardEnglish")),
                              Qt::LeftButton);
            auto* maxMru = sheet->findChild<QLineEdit*>(QStringLiteral("maxMru"));
            QCOMPARE(maxMru->text(), QStringLiteral("4"));
            Retype(maxMru, QStringLiteral("9"));
            Retype(sheet->findChild<QLineEdit*>(QStringLiteral("backupExt")),
                   QStringLiteral("old"));
            Retype(sheet->findChild<QLineEdit*>(QStringLiteral("maxBackup")), QStringLiteral("2"));
            QTest::mouseClick(sheet->findChild<QAbstractButton*>(QStringLiteral("matchCase")),
                              Qt::LeftButton);
            ClickButton(sheet, QStringLiteral("OK"));
        });
        s->ui.ExpectMessage(kMaxMruRestart);
        QVERIFY(s->Frame().RunCommand(ID_EDIT_OPTIONS));
        // "Acme Corp." no longer matches "acme".
        QCOMPARE(s->Count(), QStringLiteral("0 / 6"));
        const COptions& options = s->Doc().Options();
        QVERIFY(options.m_bMatchCase);
        QVERIFY(!options.m_bAutoSave);
        QCOMPARE(options.m_nMaxBackup, 2);
        QCOMPARE(Text(options.m_strBackupExt), QStringLiteral("old"));
        QVERIFY(!options.m_bSaveWndPos);
        QCOMPARE(options.m_nMaxMRU, 9);
        // The recent-file list keeps its length until the next start.
        QCOMPARE(s->App().RecentFiles().GetSize(), 4);

        // A new card now starts in the English form.
        QVERIFY(s->Frame().RunCommand(ID_CARD_NEW));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_ENGLISH));

        s->App().ExitInstance();
        s->End();
        QCOMPARE(s->settings.GetProfileInt("Settings", "MatchCase", -1), 1);
        QCOMPARE(s->settings.GetProfileInt("Settings", "NewCardLang", -1), 1);
        QCOMPARE(s->settings.GetProfileInt("Settings", "SaveWndPos", -1), 0);
        QCOMPARE(s->settings.GetProfileInt("Settings", "AutoSave", -1), 0);
        QCOMPARE(s->settings.GetProfileInt("Settings", "MaxMRU", -1), 9);
        QCOMPARE(s->settings.GetProfileInt("Settings", "MaxBackup", -1), 2);
        QCOMPARE(Text(s->settings.GetProfileString("Settings", "BackupExt", "")),
                 QStringLiteral("old"));
    }

    void aSearchRuleChangedOverAFormCommitsItAndShowsTheList() {
        StartOnSample();
        DoubleClickRow(kRowKappa);
        Retype(Edit("nameEdit"), QStringLiteral("河童 四郎"));
        WhenDialogOpens(QStringLiteral("optionsSheet"), [](QDialog* sheet) {
            QTest::mouseClick(sheet->findChild<QAbstractButton*>(QStringLiteral("matchCase")),
                              Qt::LeftButton);
            ClickButton(sheet, QStringLiteral("OK"));
        });
        QVERIFY(s->Frame().RunCommand(ID_EDIT_OPTIONS));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_LIST));
        QCOMPARE(s->Doc().GetBook().GetCount(), 6);
        QCOMPARE(s->Column(0).at(kRowKappa), QStringLiteral("河童 四郎"));
        QVERIFY(!s->Doc().GetCurrentCard());
    }

    void renamedContactMethodsReachTheShowingForm() {
        StartOnSample();
        DoubleClickRow(kRowGakkou);
        auto* caption = FieldOf<CCaptionLabel>(CMainFrame::SLOT_JAPANESE, "slotCaption1");
        QCOMPARE(caption->Text(), QStringLiteral("電話"));
        Retype(Edit("slotEdit1"), QStringLiteral("03-1111-9999"));

        // Cancel leaves the table and the flag alone.
        WhenDialogOpens(QStringLiteral("contactMethodDlg"),
                        [](QDialog* dialog) { ClickButton(dialog, QStringLiteral("ｷｬﾝｾﾙ")); });
        QVERIFY(s->Frame().RunCommand(ID_CARD_CONTACT_METHODS));
        QVERIFY(!s->Doc().IsModified());

        WhenDialogOpens(QStringLiteral("contactMethodDlg"), [](QDialog* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("methodList"));
            QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("電話"));
            list->setCurrentItem(list->topLevelItem(0));
            WhenDialogOpens(QStringLiteral("contactMethodEditDlg"), [](QDialog* edit) {
                Retype(edit->findChild<QLineEdit*>(QStringLiteral("japaneseName")),
                       QStringLiteral("固定電話"));
                ClickButton(edit, QStringLiteral("OK"));
            });
            QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("editMethod")),
                              Qt::LeftButton);
            ClickButton(dialog, QStringLiteral("OK"));
        });
        QVERIFY(s->Frame().RunCommand(ID_CARD_CONTACT_METHODS));
        QCOMPARE(caption->Text(), QStringLiteral("固定電話"));
        QVERIFY(s->Doc().IsModified());
        QVERIFY(s->Frame().isWindowModified());
        // What was typed into the form stays and is committed with the card.
        QCOMPARE(Edit("slotEdit1")->text(), QStringLiteral("03-1111-9999"));
        QVERIFY(s->Frame().RunCommand(ID_VIEW_PREV_CARD));
        QCOMPARE(s->Column(2).at(kRowGakkou), QStringLiteral("03-1111-9999"));
    }

    void screenshotsOfBothForms() {
        StartOnSample();
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(folder);
        DoubleClickRow(kRowGakkou);
        QTest::qWait(50);
        QVERIFY(s->Frame().grab().save(folder + QStringLiteral("/window_japanese_form.png")));
        QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
        s->SelectRows({1}); // smith john
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QCOMPARE(Slot(), int(CMainFrame::SLOT_ENGLISH));
        QTest::qWait(50);
        QVERIFY(s->Frame().grab().save(folder + QStringLiteral("/window_english_form.png")));
    }
};

QTEST_MAIN(CardFormWindowTest)
#include "CardFormWindowTest.moc"
