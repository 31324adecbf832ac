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

    void indexButtonsFilterAndClearTheSearchBox_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("face");
        QTest::addColumn<QStringList>("names");
        // がっこう begins with a voiced kana and is under no kana button.
        QTest::newRow("ka") << ID_INDEX_FIRST + 26 + 1 << QStringLiteral("か")
                            << QStringList{QStringLiteral("河童 一郎")};
        QTest::newRow("S") << ID_INDEX_FIRST + 'S' - 'A' << QStringLiteral("S")
                           << QStringList{QStringLiteral("smith john")};
        QTest::newRow("Japanese") << 32823 << QStringLiteral("日") << kSortedNames.mid(2);
        QTest::newRow("English") << 32824 << QStringLiteral("英") << kSortedNames.mid(0, 2);
        QTest::newRow("all") << 32825 << QStringLiteral("全") << kSortedNames;
    }
    void indexButtonsFilterAndClearTheSearchBox() {
        QFETCH(int, button);
        QFETCH(QString, face);
        QFETCH(QStringList, names);
        StartOnSample();
        Type(QStringLiteral("山"));
        QTest::mouseClick(s->ButtonOf(button), Qt::LeftButton);
        QCOMPARE(s->Frame().SearchBox().text(), QString());
        QCOMPARE(s->Column(0), names);
        QCOMPARE(s->Count(), QStringLiteral("%1 / 6").arg(names.size()));
        // Pressing the pressed button again keeps it pressed.
        QTest::mouseClick(s->ButtonOf(button), Qt::LeftButton);
        QCOMPARE(Pressed(), QStringList{face});
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
        // The contact column sorts by the first contact's text, cards without one first.
        s->ClickHeader(2);
        QCOMPARE(s->Column(2),
                 (QStringList{QString(), QString(), QStringLiteral("03-1111-0001"),
                              QStringLiteral("03-1111-0002"), QStringLiteral("03-1111-0005"),
                              QStringLiteral("555-0100")}));
        QCOMPARE(s->List().header()->sortIndicatorSection(), 2);
        s->ClickHeader(2);
        QCOMPARE(s->Column(2).front(), QStringLiteral("555-0100"));
        // The selection follows its card through a sort.
        s->SelectRows({0});
        s->ClickHeader(0);
        QCOMPARE(s->List().selectionModel()->selectedRows().front().row(), 1);
        QCOMPARE(
            QString::fromStdString(cp932::ToUtf8Lossy(s->Doc().GetCurrentCard()->m_strName.view())),
            QStringLiteral("smith john"));
    }

    void deletingACardAsksAndRemovesItsRow() {
        StartOnSample();
        QVERIFY(!s->Frame().Action(ID_CARD_DELETE)->isEnabled());
        // Ctrl+click takes the only selected row away: no card is left to delete.
        s->SelectRows({2, 2});
        QVERIFY(!s->Doc().GetCurrentCard());
        QVERIFY(!s->Frame().Action(ID_CARD_DELETE)->isEnabled());
        // Taking the current card's row away leaves the other selected one current.
        s->SelectRows({2, 3, 3});
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

        // A changed sort key moves the row; the card stays selected.
        QTest::mouseClick(s->ButtonOf(32825), Qt::LeftButton); // 全
        CAddrCard* aoki = doc.GetBook().GetAt(1);
        s->SelectRows({2});
        QCOMPARE(doc.GetCurrentCard(), aoki);
        aoki->m_strFurigana = CZkString(Sjis("わたなべ"));
        aoki->m_strCompany = CZkString(Sjis("渡辺組"));
        doc.UpdateAllViews(nullptr, HINT_CARD_CHANGED, aoki);
        QCOMPARE(s->Column(1).back(), QStringLiteral("渡辺組"));
        QCOMPARE(s->List().selectionModel()->selectedRows().front().row(), 5);

        // Deleting a card that is not current leaves the current card alone.
        doc.UpdateAllViews(nullptr, HINT_CARD_DELETED, doc.GetBook().GetAt(5)); // Brown Anna
        QCOMPARE(s->Count(), QStringLiteral("5 / 5"));
        QCOMPARE(doc.GetCurrentCard(), aoki);
        doc.UpdateAllViews(nullptr, HINT_DESELECT_ALL);
        QCOMPARE(s->List().selectionModel()->selectedRows().size(), 0);
        QVERIFY(!doc.GetCurrentCard());

        // Under the duplicates filter a new card gets its row untested.
        QVERIFY(s->Frame().RunCommand(ID_CARD_DUPLICATES));
        QCOMPARE(s->Count(), QStringLiteral("0 / 5"));
        CAddrCard* unique = MakeCard({1, "", "Unique Name", "", ""});
        doc.GetBook().AddCard(unique);
        doc.UpdateAllViews(nullptr, HINT_CARD_CHANGED, unique);
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("Unique Name")});
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
        // Typing into the search box goes back to the list.
        Type(QStringLiteral("b"));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_LIST));
        QVERIFY(s->Frame().Action(ID_VIEW_LIST)->isChecked());
        // A new card shows an empty form in the notation of the options.
        QVERIFY(s->Frame().RunCommand(ID_CARD_NEW));
        QCOMPARE(s->Frame().ActiveSlot(), int(CMainFrame::SLOT_JAPANESE));
        QVERIFY(!s->Doc().GetCurrentCard());
        QVERIFY(s->Frame().RunCommand(ID_VIEW_LIST));
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

    void windowPositionIsSavedWithItsFrame() {
        // Saved also when it is not to be used at the next start.
        s->settings.WriteProfileInt("Settings", "SaveWndPos", 0);
        StartOnSample();
        QCOMPARE(s->Frame().minimumSize(), s->Frame().MinTrackSize());
        s->Frame().setGeometry(100, 120, 900, 600);
        const QRect frame = s->Frame().frameGeometry();
        QVERIFY(frame.contains(QRect(100, 120, 900, 600)));
        QVERIFY(s->Close());
        QCOMPARE(Utf8(s->settings.GetProfileString("Settings", "WindowPos").str()),
                 QStringLiteral("%1,%2,%3,%4")
                     .arg(frame.left())
                     .arg(frame.top())
                     .arg(frame.left() + frame.width())
                     .arg(frame.top() + frame.height()));
        QVERIFY(!s->settings.GetProfileString("Bar States", "Layout").IsEmpty());
    }

    void windowPositionIsRestoredOnScreen_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("saveWndPos");
        QTest::addColumn<QRect>("frame"); // empty: the smallest size, not restored
        QTest::newRow("on screen") << "50,60,700,760" << 1 << QRect(50, 60, 650, 700);
        QTest::newRow("off screen") << "-5000,-5000,-4350,-4300" << 1 << QRect(0, 0, 650, 700);
        QTest::newRow("title bar above") << "100,-30,750,670" << 1 << QRect(100, 0, 650, 700);
        QTest::newRow("not a rectangle") << "10,20" << 1 << QRect();
        QTest::newRow("not to be used") << "50,60,700,760" << 0 << QRect();
    }
    void windowPositionIsRestoredOnScreen() {
        QFETCH(QString, stored);
        QFETCH(int, saveWndPos);
        QFETCH(QRect, frame);
        s->settings.WriteProfileString("Settings", "WindowPos", stored.toLatin1().constData());
        s->settings.WriteProfileInt("Settings", "SaveWndPos", saveWndPos);
        StartOnSample();
        QCOMPARE(bool(s->Frame().IsPosRestored()), !frame.isEmpty());
        if (!frame.isEmpty())
            QCOMPARE(s->Frame().frameGeometry(), frame);
    }

    void theWindowKeepsItsPlaceFromStartToStart() {
        // The first start has no position to restore.
        QStringList saved;
        for (int run = 0; run < 4; ++run) {
            StartOnSample();
            const QRect frame = s->Frame().frameGeometry();
            QVERIFY(s->Close());
            s->End();
            saved << Utf8(s->settings.GetProfileString("Settings", "WindowPos").str());
            QCOMPARE(saved.back(), QStringLiteral("%1,%2,%3,%4")
                                       .arg(frame.left())
                                       .arg(frame.top())
                                       .arg(frame.left() + frame.width())
                                       .arg(frame.top() + frame.height()));
        }
        QCOMPARE(saved, QStringList(4, saved.front()));
    }

    void screenshotsOfTheMainWindow() {
        StartOnSample();
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(folder);
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
        s->SelectRows({3});
        QVERIFY(s->Frame().RunCommand(ID_VIEW_CARD));
        QVERIFY(s->Frame().grab().save(folder + QStringLiteral("/card_form.png")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
