// The main window and its card list, driven as a user drives them.

#include "GuiTestSupport.h"

#include "doc/AppSettings.h"
#include "doc/UpdateHints.h"
#include "platform/CodePage.h"
#include "views/AddrListView.h"
#include "views/CardForm.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QStringList kSortedNames{QStringLiteral("Brown Anna"), QStringLiteral("smith john"),
                               QStringLiteral("青木 優子"),  QStringLiteral("河童 一郎"),
                               QStringLiteral("学校 花子"),  QStringLiteral("山田 太郎")};

const char* const kDeleteQuestion = "選択されているｶｰﾄﾞを削除します。\n削除してもいいですか?";

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiSession> s;

    void StartOnSample() {
        WriteBook(s->Path("book.kvd"), SampleCards());
        QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
        QVERIFY(QTest::qWaitForWindowExposed(&s->Frame()));
    }
    // Latin letters as keys, Japanese as an input method commits them.
    void Type(const QString& text) {
        QLineEdit* box = &s->Frame().SearchBox();
        for (QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(box, QString(c));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(box, &commit);
            }
        }
    }
    void ClearSearch() {
        s->Frame().SearchBox().selectAll();
        QTest::keyClick(&s->Frame().SearchBox(), Qt::Key_Backspace);
    }
    QStringList Pressed() const {
        QStringList faces;
        for (int id = ID_INDEX_FIRST; id <= ID_INDEX_LAST; ++id)
            if (s->ButtonOf(id)->isChecked())
                faces << s->ButtonOf(id)->text();
        return faces;
    }

private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }
    void init() { s = std::make_unique<GuiSession>(); }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
    }

    void listsTheBookSortedByReadingWithTheCount() {
        StartOnSample();
        QCOMPARE(s->Column(0), kSortedNames);
        QCOMPARE(s->Column(1),
                 (QStringList{QStringLiteral("Zeta Ltd."), QStringLiteral("Acme Corp."),
                              QStringLiteral("青葉商事"), QString(), QStringLiteral("学園"),
                              QStringLiteral("山田商事")}));
        QCOMPARE(s->Column(2).at(1), QStringLiteral("555-0100"));
        QCOMPARE(s->Column(2).at(3), QString());
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QCOMPARE(s->List().model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("名前"));
        QCOMPARE(s->List().model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("連絡先"));
        QCOMPARE(s->Frame().windowTitle(), QStringLiteral("book.kvd[*] - ｺﾙｳﾞｧﾈ"));
        QCOMPARE(Pressed(), QStringList{QStringLiteral("全")});
        QCOMPARE(s->Frame().findChild<QWidget*>(QStringLiteral("readyText"))->property("text"),
                 QVariant(QStringLiteral("ﾚﾃﾞｨ")));
    }

    void searchBoxRefiltersOnEveryKeystroke() {
        StartOnSample();
        Type(QStringLiteral("山"));
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("山田 太郎")});
        QCOMPARE(s->Count(), QStringLiteral("1 / 6"));
        QCOMPARE(Pressed(), QStringList());
        // Letter case is ignored; contact texts and companies are searched.
        ClearSearch();
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QCOMPARE(Pressed(), QStringList{QStringLiteral("全")});
        Type(QStringLiteral("acme"));
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("smith john")});
        ClearSearch();
        Type(QStringLiteral("0002"));
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("青木 優子")});
        Type(QStringLiteral("x"));
        QCOMPARE(s->Column(0), QStringList());
        QCOMPARE(s->Count(), QStringLiteral("0 / 6"));
        // A character no card can hold lists nothing, says why and stays in the box.
        ClearSearch();
        Type(QStringLiteral("é"));
        QCOMPARE(s->Count(), QStringLiteral("0 / 6"));
        QCOMPARE(s->Frame().SearchBox().text(), QStringLiteral("é"));
        QCOMPARE(
            s->Frame().statusBar()->currentMessage(),
            QStringLiteral("「é」は住所録で使えない文字です。この文字を含むｶｰﾄﾞはありません。"));
        ClearSearch();
        QCOMPARE(s->Frame().statusBar()->currentMessage(), QString());
        // After a refill no card is current.
        s->SelectRows({2});
        QVERIFY(s->Doc().GetCurrentCard());
        Type(QStringLiteral("a"));
        QVERIFY(!s->Doc().GetCurrentCard());
    }

    void indexButtonsFilterAndClearTheSearchBox() {
        StartOnSample();
        Type(QStringLiteral("山"));
        QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST + 26 + 1), Qt::LeftButton); // か
        QCOMPARE(s->Frame().SearchBox().text(), QString());
        // がっこう begins with a voiced kana and is under no kana button.
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("河童 一郎")});
        QCOMPARE(s->Count(), QStringLiteral("1 / 6"));
        QCOMPARE(Pressed(), QStringList{QStringLiteral("か")});
        QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST + 'S' - 'A'), Qt::LeftButton);
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("smith john")});
        QTest::mouseClick(s->ButtonOf(32823), Qt::LeftButton); // 日
        QCOMPARE(s->Count(), QStringLiteral("4 / 6"));
        QTest::mouseClick(s->ButtonOf(32824), Qt::LeftButton); // 英
        QCOMPARE(s->Column(0),
                 (QStringList{QStringLiteral("Brown Anna"), QStringLiteral("smith john")}));
        // Pressing the pressed button again keeps it pressed.
        QTest::mouseClick(s->ButtonOf(32824), Qt::LeftButton);
        QCOMPARE(Pressed(), QStringList{QStringLiteral("英")});
        QTest::mouseClick(s->ButtonOf(32825), Qt::LeftButton); // 全
        QCOMPARE(s->Column(0), kSortedNames);
    }

    void columnHeadersSortAscendingThenDescending() {
        StartOnSample();
        s->ClickHeader(0); // the key was already the name: now descending
        QCOMPARE(s->Column(0).front(), QStringLiteral("山田 太郎"));
        QCOMPARE(s->List().header()->sortIndicatorOrder(), Qt::DescendingOrder);
        s->ClickHeader(1);
        const QStringList byCompany{QString(),
                                    QStringLiteral("Acme Corp."),
                                    QStringLiteral("Zeta Ltd."),
                                    QStringLiteral("学園"),
                                    QStringLiteral("山田商事"),
                                    QStringLiteral("青葉商事")};
        QCOMPARE(s->Column(1), byCompany);
        // The contact column sorts by company too.
        s->ClickHeader(2);
        QCOMPARE(s->Column(1), byCompany);
        QCOMPARE(s->List().header()->sortIndicatorSection(), 2);
        s->ClickHeader(2);
        QCOMPARE(s->Column(1).front(), QStringLiteral("青葉商事"));
        // The selection follows its card through a sort.
        s->SelectRows({0});
        s->ClickHeader(0);
        QCOMPARE(s->List().selectionModel()->selectedRows().front().row(), 2);
        QCOMPARE(
            QString::fromStdString(cp932::ToUtf8Lossy(s->Doc().GetCurrentCard()->m_strName.view())),
            QStringLiteral("青木 優子"));
    }

    void deletingACardAsksAndRemovesItsRow() {
        StartOnSample();
        QVERIFY(!s->Frame().Action(ID_CARD_DELETE)->isEnabled());
        s->SelectRows({2});
        QVERIFY(s->Frame().Action(ID_CARD_DELETE)->isEnabled());
        s->ui.ExpectMessage(kDeleteQuestion, IDNO);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QCOMPARE(s->ui.messages.back().type, UINT(MB_YESNO | MB_ICONQUESTION));
        QVERIFY(!s->Doc().IsModified());

        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(s->Count(), QStringLiteral("5 / 5"));
        QVERIFY(!s->Column(0).contains(QStringLiteral("青木 優子")));
        // The following card became current.
        QCOMPARE(s->List().selectionModel()->selectedRows().front().data().toString(),
                 QStringLiteral("河童 一郎"));
        QVERIFY(s->Doc().IsModified());
        QCOMPARE(s->Frame().windowTitle(), QStringLiteral("book.kvd[*] - ｺﾙｳﾞｧﾈ"));
        QVERIFY(s->Frame().isWindowModified());

        s->SelectRows({0, 4});
        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(s->Column(0),
                 (QStringList{QStringLiteral("smith john"), QStringLiteral("河童 一郎"),
                              QStringLiteral("学校 花子")}));
        QVERIFY(!s->Doc().GetCurrentCard());
        QCOMPARE(s->Doc().GetBook().GetCount(), 3);

        // Deleting the last listed card leaves an empty list and no current card.
        QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST + 'S' - 'A'), Qt::LeftButton);
        s->SelectRows({0});
        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(s->Count(), QStringLiteral("0 / 2"));
        QVERIFY(!s->Doc().GetCurrentCard());
    }

    void listFollowsTheDocumentsHints() {
        StartOnSample();
        CKolvaneDoc& doc = s->Doc();
        QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST + 26 + 1), Qt::LeftButton); // か
        CAddrCard* kappa = doc.GetBook().GetAt(3);
        // An edit that takes a card out of the filter removes its row at once.
        kappa->m_strFurigana = CZkString(Sjis("やまだ"));
        doc.UpdateAllViews(nullptr, HINT_CARD_CHANGED, kappa);
        QCOMPARE(s->Count(), QStringLiteral("0 / 6"));
        QVERIFY(doc.IsModified());

        QTest::mouseClick(s->ButtonOf(32825), Qt::LeftButton); // 全
        CAddrCard* abe = MakeCard({0, "あ", "阿部 一", "", ""});
        doc.GetBook().AddCard(abe);
        doc.UpdateAllViews(nullptr, HINT_CARD_CHANGED, abe);
        QCOMPARE(s->Count(), QStringLiteral("7 / 7"));
        QCOMPARE(s->Column(0).at(2), QStringLiteral("阿部 一"));
        QCOMPARE(doc.GetCurrentCard(), abe);
        QCOMPARE(s->List().selectionModel()->selectedRows().front().row(), 2);
        // A changed sort key moves the row; the card stays selected.
        abe->m_strFurigana = CZkString(Sjis("わたなべ"));
        abe->m_strCompany = CZkString(Sjis("渡辺組"));
        doc.UpdateAllViews(nullptr, HINT_CARD_CHANGED, abe);
        QCOMPARE(s->Column(0).back(), QStringLiteral("阿部 一"));
        QCOMPARE(s->Column(1).back(), QStringLiteral("渡辺組"));
        QCOMPARE(s->List().selectionModel()->selectedRows().front().row(), 6);

        // Deleting a card that is not current leaves the current card alone.
        CAddrCard* brown = doc.GetBook().GetAt(5);
        doc.UpdateAllViews(nullptr, HINT_CARD_DELETED, brown);
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QVERIFY(!s->Column(0).contains(QStringLiteral("Brown Anna")));
        QCOMPARE(doc.GetCurrentCard(), abe);
        // Deleting the current card any other way leaves no card current.
        doc.UpdateAllViews(nullptr, HINT_CARD_DELETED, abe);
        QVERIFY(!doc.GetCurrentCard());
        QCOMPARE(s->Count(), QStringLiteral("5 / 5"));

        s->SelectRows({0, 1});
        doc.UpdateAllViews(nullptr, HINT_DESELECT_ALL);
        QCOMPARE(s->List().selectionModel()->selectedRows().size(), 0);
        QVERIFY(!doc.GetCurrentCard());

        Type(QStringLiteral("acme"));
        QCOMPARE(s->Count(), QStringLiteral("1 / 5"));
        doc.Options().m_bMatchCase = TRUE;
        doc.UpdateAllViews(nullptr, HINT_REBUILD_LIST);
        QCOMPARE(s->Count(), QStringLiteral("0 / 5"));

        QVERIFY(s->Frame().RunCommand(ID_CARD_NEW));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_JAPANESE));
        doc.UpdateAllViews(nullptr, HINT_SHOW_LIST);
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_LIST));

        // Under the duplicates filter a new card gets its row untested.
        QVERIFY(s->Frame().RunCommand(ID_CARD_DUPLICATES));
        QCOMPARE(s->Count(), QStringLiteral("0 / 5"));
        CAddrCard* unique = MakeCard({1, "", "Unique Name", "", ""});
        doc.GetBook().AddCard(unique);
        doc.UpdateAllViews(nullptr, HINT_CARD_CHANGED, unique);
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("Unique Name")});
    }

    void deletingTheOnlyListedCardFromItsFormReturnsToTheList() {
        StartOnSample();
        QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST + 26 + 1), Qt::LeftButton); // か
        s->SelectRows({0});
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_JAPANESE));
        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_LIST));
        QCOMPARE(s->Count(), QStringLiteral("0 / 5"));
        QVERIFY(!s->Doc().GetCurrentCard());
        QVERIFY(!s->Frame().Action(ID_CARD_DELETE)->isEnabled());
    }

    void nextAndPreviousCardWrapAroundWithPageKeys() {
        StartOnSample();
        s->Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s->Frame()));
        s->SelectRows({5});
        QTest::keyClick(&s->List(), Qt::Key_PageDown);
        QCOMPARE(s->List().selectionModel()->selectedRows().front().row(), 0);
        QTest::keyClick(&s->List(), Qt::Key_PageUp);
        QCOMPARE(s->List().selectionModel()->selectedRows().front().row(), 5);
        QVERIFY(s->Frame().RunCommand(ID_VIEW_PREV_CARD));
        QCOMPARE(s->List().selectionModel()->selectedRows().front().row(), 4);
        QCOMPARE(s->Doc().GetCurrentCard(), s->Doc().GetBook().GetAt(4)); // 学校 花子
    }

    void duplicatesListEveryCardSharingItsName() {
        std::vector<CardFields> cards = SampleCards();
        cards.push_back({0, "さんだ たろう", "山田 太郎", "", ""});
        cards.push_back({0, "やまだ", "山田 太郎 ", "", ""});
        WriteBook(s->Path("dup.kvd"), cards);
        QVERIFY(s->Start({QString::fromStdString(s->Path("dup.kvd"))}));
        Type(QStringLiteral("青"));
        QVERIFY(s->Frame().RunCommand(ID_CARD_DUPLICATES));
        QCOMPARE(s->Column(0),
                 (QStringList{QStringLiteral("山田 太郎"), QStringLiteral("山田 太郎")}));
        QCOMPARE(s->Count(), QStringLiteral("2 / 8"));
        QCOMPARE(s->Frame().SearchBox().text(), QStringLiteral("青"));
        QVERIFY(s->Frame().Action(ID_CARD_DUPLICATES)->isChecked());
        QCOMPARE(Pressed(), QStringList());
    }

    void cardFormCommandsSwitchViewsAndTheirRules() {
        StartOnSample();
        // A command the list carries is enabled only while the list shows.
        s->Frame().OnCommand(ID_FILE_EXPORT, [] {});
        QVERIFY(s->Frame().Action(ID_FILE_EXPORT)->isEnabled());
        s->SelectRows({3}); // 河童 一郎, a Japanese card
        QTest::keyClick(&s->List(), Qt::Key_Return);
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_JAPANESE));
        QVERIFY(s->Frame().Action(ID_VIEW_CARD)->isChecked());
        QVERIFY(s->Frame().Action(ID_CARD_JAPANESE)->isChecked());
        QVERIFY(!s->Frame().Action(ID_FILE_EXPORT)->isEnabled());
        QWidget* form = s->Frame().Form(CMainFrame::SLOT_JAPANESE)->Widget();
        QVERIFY(form->isVisible());
        QVERIFY(form->findChildren<QLineEdit*>().at(1)->text() == QStringLiteral("河童 一郎"));
        // Next card while a form shows moves on and shows the card in its notation.
        QVERIFY(s->Frame().RunCommand(ID_VIEW_NEXT_CARD));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_JAPANESE));
        QVERIFY(form->findChildren<QLineEdit*>().at(1)->text() == QStringLiteral("学校 花子"));
        // Typing into the search box goes back to the list.
        Type(QStringLiteral("b"));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_LIST));
        QVERIFY(s->Frame().Action(ID_VIEW_LIST)->isChecked());
        // A new card shows an empty form in the notation of the options.
        QVERIFY(s->Frame().RunCommand(ID_CARD_NEW));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_JAPANESE));
        QVERIFY(!s->Doc().GetCurrentCard());
        QVERIFY(form->findChildren<QLineEdit*>().at(1)->text().isEmpty());
        QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_LIST));
        // The card form command on no current card takes the first row.
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_ENGLISH));
        QVERIFY(s->Frame().Action(ID_CARD_ENGLISH)->isChecked());
    }

    void showingACardInTheOtherNotationConvertsIt() {
        StartOnSample();
        s->SelectRows({3}); // 河童 一郎, Japanese
        CAddrCard* card = s->Doc().GetCurrentCard();
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
        QVERIFY(!s->Doc().IsModified());
        QVERIFY(s->Frame().RunCommand(ID_CARD_ENGLISH));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_ENGLISH));
        QVERIFY(card->IsEnglish());
        QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
        QVERIFY(s->Doc().IsModified());
        // Now filed by its name: 河童 一郎 sorts after the readings.
        QCOMPARE(s->Column(0).back(), QStringLiteral("河童 一郎"));
    }

    void menusCarryCaptionsPromptsIconsAndTooltips() {
        StartOnSample();
        QStringList titles;
        for (QAction* menu : s->Frame().menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("編集(&E)"),
                                      QStringLiteral("ｶｰﾄﾞ(&C)"), QStringLiteral("表示(&V)"),
                                      QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
        QStringList cardMenu;
        for (QAction* item : s->Frame().menuBar()->actions().at(2)->menu()->actions())
            cardMenu << (item->isSeparator() ? QStringLiteral("-") : item->text());
        QCOMPARE(
            cardMenu,
            (QStringList{QStringLiteral("新規(&N)\tCtrl+Ins"), QStringLiteral("削除(&D)\tCtrl+Del"),
                         QStringLiteral("-"), QStringLiteral("重複検出(&P)"), QStringLiteral("-"),
                         QStringLiteral("日本語表記(&J)"), QStringLiteral("英語表記(&E)"),
                         QStringLiteral("-"), QStringLiteral("連絡方法の設定(&C)...")}));
        QAction* remove = s->Frame().Action(ID_CARD_DELETE);
        QCOMPARE(remove->statusTip(), QStringLiteral("選択中の住所ｶｰﾄﾞの削除"));
        QCOMPARE(remove->toolTip(), QStringLiteral("ｶｰﾄﾞ削除"));
        QCOMPARE(remove->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
        // Ctrl+Insert copies; it is not the new card's key.
        QVERIFY(s->Frame()
                    .Action(ID_EDIT_COPY)
                    ->shortcuts()
                    .contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)));
        QVERIFY(s->Frame().Action(ID_CARD_NEW)->shortcuts().isEmpty());
        for (int id : {ID_CARD_NEW, ID_EDIT_COPY, ID_CARD_DELETE, ID_VIEW_PREV_CARD,
                       ID_VIEW_NEXT_CARD, ID_CARD_JAPANESE, ID_CARD_ENGLISH, ID_FILE_NEW,
                       ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_HELP_FINDER, ID_APP_ABOUT})
            QVERIFY2(!s->Frame().Action(id)->icon().isNull(), qPrintable(QString::number(id)));
        // Commands whose dialogs come later are present but disabled.
        for (int id : {ID_FILE_IMPORT, ID_EDIT_PASTE})
            QVERIFY(!s->Frame().Action(id)->isEnabled());
        for (int id : {ID_EDIT_OPTIONS, ID_CARD_CONTACT_METHODS})
            QVERIFY(s->Frame().Action(id)->isEnabled());
        // The card bar shows tooltips; the index bars do not.
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), QPoint(2, 2));
        QVERIFY(QApplication::sendEvent(s->ButtonOf(ID_INDEX_FIRST), &tip));
        QCOMPARE(s->ButtonOf(ID_CARD_DELETE)->toolTip(), QStringLiteral("ｶｰﾄﾞ削除"));
        QCOMPARE(s->ButtonOf(ID_CARD_DELETE)->statusTip(),
                 QStringLiteral("選択中の住所ｶｰﾄﾞの削除"));
    }

    void windowPositionIsSavedAndRestoredWhenOnScreen() {
        StartOnSample();
        QCOMPARE(s->Frame().minimumSize(), s->Frame().MinTrackSize());
        QVERIFY(!s->Frame().IsPosRestored());
        s->Frame().setGeometry(100, 120, 900, 600);
        // The rectangle saved is the window's with its frame.
        const QRect frame = s->Frame().frameGeometry();
        const QString expected = QStringLiteral("%1,%2,%3,%4")
                                     .arg(frame.left())
                                     .arg(frame.top())
                                     .arg(frame.left() + frame.width())
                                     .arg(frame.top() + frame.height());
        QVERIFY(frame.contains(QRect(100, 120, 900, 600)));
        QVERIFY(s->Close());
        QCOMPARE(Utf8(s->settings.GetProfileString("Settings", "WindowPos").str()), expected);
        QVERIFY(!s->settings.GetProfileString("Bar States", "Layout").IsEmpty());
        s.reset();

        s = std::make_unique<GuiSession>();
        WriteBook(s->Path("book.kvd"), SampleCards());
        s->settings.WriteProfileString("Settings", "WindowPos", "50,60,950,760");
        QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
        QVERIFY(s->Frame().IsPosRestored());
        QVERIFY(QTest::qWaitForWindowExposed(&s->Frame()));
        QCOMPARE(s->Frame().frameGeometry(), QRect(50, 60, 900, 700));
        s.reset();

        // Wholly off the screen, or not a rectangle at all: ignored.
        for (const char* stored : {"-5000,-5000,-4000,-4000", "10,20"}) {
            s = std::make_unique<GuiSession>();
            WriteBook(s->Path("book.kvd"), SampleCards());
            s->settings.WriteProfileString("Settings", "WindowPos", stored);
            QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
            QVERIFY(!s->Frame().IsPosRestored());
            QCOMPARE(s->Frame().size(), s->Frame().MinTrackSize());
            s.reset();
        }

        // With SaveWndPos 0 the position is saved but not used.
        s = std::make_unique<GuiSession>();
        WriteBook(s->Path("book.kvd"), SampleCards());
        s->settings.WriteProfileInt("Settings", "SaveWndPos", 0);
        s->settings.WriteProfileString("Settings", "WindowPos", "50,60,950,760");
        QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
        QVERIFY(!s->Frame().IsPosRestored());
        s->Frame().move(10, 20);
        QVERIFY(s->Close());
        QVERIFY(s->settings.GetProfileString("Settings", "WindowPos").view().starts_with("10,20,"));
    }

    void screenshotsOfTheMainWindow() {
        StartOnSample();
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(folder);
        QVERIFY(s->Frame().grab().save(folder + QStringLiteral("/first_start.png")));
        s->Frame().resize(1024, 768);
        s->SelectRows({2});
        QTest::qWait(50);
        const QImage shot = s->Frame().grab().toImage();
        QCOMPARE(shot.size(), QSize(1024, 768));
        QVERIFY(shot.save(folder + QStringLiteral("/main_window.png")));
        QMenu* cardMenu = s->Frame().menuBar()->actions().at(2)->menu();
        cardMenu->popup(s->Frame().mapToGlobal(QPoint(100, 30)));
        QVERIFY(QTest::qWaitForWindowExposed(cardMenu));
        QVERIFY(cardMenu->grab().save(folder + QStringLiteral("/card_menu.png")));
        cardMenu->hide();
        QMenu* fileMenu = s->Frame().menuBar()->actions().at(0)->menu();
        fileMenu->popup(s->Frame().mapToGlobal(QPoint(10, 30)));
        QVERIFY(QTest::qWaitForWindowExposed(fileMenu));
        QVERIFY(fileMenu->grab().save(folder + QStringLiteral("/file_menu.png")));
        fileMenu->hide();
        QTimer::singleShot(0, [folder] {
            QWidget* about = QApplication::activeModalWidget();
            QVERIFY(about);
            QVERIFY(about->grab().save(folder + QStringLiteral("/about.png")));
            about->close();
        });
        QVERIFY(s->Frame().RunCommand(ID_APP_ABOUT));
        s->SelectRows({3});
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QVERIFY(s->Frame().grab().save(folder + QStringLiteral("/card_form.png")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
