// The main window and its card list, driven as a user drives them.

#include "GuiTestSupport.h"

#include "doc/UpdateHints.h"
#include "views/AddrListView.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
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
    // One character at a time, as an input method commits them.
    void Type(const QString& text) {
        for (QChar c : text) {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(&s->Frame().SearchBox(), &commit);
        }
    }
    QStringList Pressed() const {
        QStringList faces;
        for (int id = ID_INDEX_FIRST; id <= ID_INDEX_LAST; ++id)
            if (s->ButtonOf(id)->isChecked())
                faces << s->ButtonOf(id)->text();
        return faces;
    }
    int SelectedRow() const { return s->List().selectionModel()->selectedRows().front().row(); }

private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }
    void init() { s = std::make_unique<GuiSession>(); }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
    }

    void listingMenusSearchAndIndexButtons() {
        StartOnSample();
        CMainFrame& frame = s->Frame();
        QCOMPARE(s->Column(0), kSortedNames);
        QCOMPARE(s->Column(2).at(1), QStringLiteral("555-0100"));
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QCOMPARE(Pressed(), QStringList{QStringLiteral("全")});
        QMenu* cardMenu = frame.menuBar()->actions().at(2)->menu();
        QStringList items;
        for (QAction* item : frame.menuBar()->actions() + cardMenu->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        QCOMPARE(items.join(u'|'),
                 QStringLiteral("ﾌｧｲﾙ(&F)|編集(&E)|ｶｰﾄﾞ(&C)|表示(&V)|ﾍﾙﾌﾟ(&H)|"
                                "新規(&N)\tCtrl+Ins|削除(&D)\tCtrl+Del|-|重複検出(&P)|"
                                "郵便番号と住所の確認(&Z)...|-|"
                                "日本語表記(&J)|英語表記(&E)|-|連絡方法の設定(&C)..."));
        QCOMPARE(frame.Action(ID_CARD_DELETE)->statusTip(),
                 QStringLiteral("選択中の住所ｶｰﾄﾞの削除"));
        QCOMPARE(s->ButtonOf(ID_CARD_DELETE)->toolTip(), QStringLiteral("ｶｰﾄﾞ削除"));
        QCOMPARE(frame.Action(ID_CARD_DELETE)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
        // Ctrl+Insert copies; it is not the new card's key.
        const QList<QKeySequence> copyKeys = frame.Action(ID_EDIT_COPY)->shortcuts();
        QVERIFY(copyKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)));
        QVERIFY(frame.Action(ID_CARD_NEW)->shortcuts().isEmpty());
        frame.resize(1024, 768);
        s->SelectRows({2});
        QTest::qWait(50);
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(folder);
        QVERIFY(frame.grab().save(folder + QStringLiteral("/main_window.png")));
        // Every keystroke refilters; after a refill no card is current.
        Type(QStringLiteral("山"));
        QCOMPARE(s->Column(0), QStringList{QStringLiteral("山田 太郎")});
        QCOMPARE(Pressed(), QStringList());
        QVERIFY(!s->Doc().GetCurrentCard());
        // A character no card can hold lists nothing, says why and stays in the box.
        s->Frame().SearchBox().clear();
        Type(QStringLiteral("é"));
        QCOMPARE(s->Count(), QStringLiteral("0 / 6"));
        QCOMPARE(s->Frame().SearchBox().text(), QStringLiteral("é"));
        QCOMPARE(
            s->Frame().statusBar()->currentMessage(),
            QStringLiteral("「é」は住所録で使えない文字です。この文字を含むｶｰﾄﾞはありません。"));
        s->Frame().SearchBox().clear();
        QCOMPARE(s->Frame().statusBar()->currentMessage(), QString());
        // An index button empties the search box; pressed again it stays pressed.
        // がっこう begins with a voiced kana and is under no kana button.
        const std::tuple<int, QString, QStringList> buttons[]{
            {ID_INDEX_FIRST + 26 + 1, QStringLiteral("か"), {QStringLiteral("河童 一郎")}},
            {32824, QStringLiteral("英"), kSortedNames.mid(0, 2)},
            {32825, QStringLiteral("全"), kSortedNames}};
        for (const auto& [button, face, names] : buttons) {
            Type(QStringLiteral("山"));
            QTest::mouseClick(s->ButtonOf(button), Qt::LeftButton);
            QCOMPARE(s->Frame().SearchBox().text(), QString());
            QCOMPARE(s->Column(0), names);
            QTest::mouseClick(s->ButtonOf(button), Qt::LeftButton);
            QCOMPARE(Pressed(), QStringList{face});
        }
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
        s->ui.ExpectMessage(kDeleteQuestion, IDNO);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QCOMPARE(s->ui.messages.back().type, UINT(MB_YESNO | MB_ICONQUESTION));
        QVERIFY(!s->Doc().IsModified());
        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(s->Count(), QStringLiteral("5 / 5"));
        // The following card became current.
        QCOMPARE(s->List().selectionModel()->selectedRows().front().data().toString(),
                 QStringLiteral("河童 一郎"));
        QVERIFY(s->Frame().isWindowModified());
        s->SelectRows({0, 4});
        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
        QCOMPARE(s->Column(0),
                 (QStringList{QStringLiteral("smith john"), QStringLiteral("河童 一郎"),
                              QStringLiteral("学校 花子")}));
        QVERIFY(!s->Doc().GetCurrentCard());
    }

    void sortingPagingAndTheDocumentsHints() {
        StartOnSample();
        s->ClickHeader(0); // the key was already the name: now descending
        QCOMPARE(s->Column(0).front(), QStringLiteral("山田 太郎"));
        // The contact column sorts by the first contact's text, cards without one first.
        s->ClickHeader(2);
        QCOMPARE(s->Column(2),
                 (QStringList{QString(), QString(), QStringLiteral("03-1111-0001"),
                              QStringLiteral("03-1111-0002"), QStringLiteral("03-1111-0005"),
                              QStringLiteral("555-0100")}));
        s->ClickHeader(2);
        QCOMPARE(s->Column(2).front(), QStringLiteral("555-0100"));
        // The selection follows its card through a sort.
        s->SelectRows({0});
        s->ClickHeader(0);
        QCOMPARE(SelectedRow(), 1);
        QCOMPARE(s->List().currentIndex().data().toString(), QStringLiteral("smith john"));
        CKolvaneDoc& doc = s->Doc();
        // Next and previous card wrap around.
        s->Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s->Frame()));
        s->SelectRows({5});
        QTest::keyClick(&s->List(), Qt::Key_PageDown);
        QCOMPARE(SelectedRow(), 0);
        QVERIFY(s->Frame().RunCommand(ID_VIEW_PREV_CARD));
        QCOMPARE(doc.GetCurrentCard(), doc.GetBook().GetAt(0)); // 山田 太郎, the last row
        // An edit that takes a card out of the filter removes its row at once.
        QTest::mouseClick(s->ButtonOf(ID_INDEX_FIRST + 26 + 1), Qt::LeftButton); // か
        CAddrCard* kappa = doc.GetBook().GetAt(3);
        kappa->m_strFurigana = CZkString(Sjis("やまだ"));
        doc.UpdateAllViews(nullptr, HINT_CARD_CHANGED, kappa);
        QCOMPARE(s->Count(), QStringLiteral("0 / 6"));
        // A changed sort key moves the row; the card stays selected.
        QTest::mouseClick(s->ButtonOf(32825), Qt::LeftButton); // 全
        CAddrCard* aoki = doc.GetBook().GetAt(1);
        s->SelectRows({2});
        aoki->m_strFurigana = CZkString(Sjis("わたなべ"));
        aoki->m_strCompany = CZkString(Sjis("渡辺組"));
        doc.UpdateAllViews(nullptr, HINT_CARD_CHANGED, aoki);
        QCOMPARE(s->Column(1).back(), QStringLiteral("渡辺組"));
        QCOMPARE(SelectedRow(), 5);
    }

    void cardFormCommandsSwitchViewsAndConvertNotation() {
        StartOnSample();
        CMainFrame& frame = s->Frame();
        // A command the list carries is enabled only while the list shows.
        frame.OnCommand(ID_FILE_EXPORT, [] {});
        QVERIFY(frame.Action(ID_FILE_EXPORT)->isEnabled());
        s->SelectRows({3}); // 河童 一郎, a Japanese card
        CAddrCard* kappa = s->Doc().GetCurrentCard();
        QTest::keyClick(&s->List(), Qt::Key_Return);
        QCOMPARE(frame.ActiveSlot(), int(CMainFrame::SLOT_JAPANESE));
        QVERIFY(frame.Action(ID_CARD_JAPANESE)->isChecked());
        QVERIFY(!frame.Action(ID_FILE_EXPORT)->isEnabled());
        // Typing into the search box goes back to the list.
        Type(QStringLiteral("b"));
        QVERIFY(frame.Action(ID_VIEW_LIST)->isChecked());
        // The card form command on no current card takes the first row.
        QVERIFY(frame.RunCommand(ID_VIEW_CARD));
        QVERIFY(frame.Action(ID_CARD_ENGLISH)->isChecked());
        // Showing a card in the other notation converts it; only that modifies.
        QVERIFY(frame.RunCommand(ID_VIEW_LIST));
        s->Frame().SearchBox().clear();
        s->SelectRows({3});
        QVERIFY(!s->Doc().IsModified());
        QVERIFY(frame.RunCommand(ID_CARD_ENGLISH));
        QVERIFY(kappa->IsEnglish());
        QVERIFY(frame.RunCommand(ID_VIEW_LIST));
        QVERIFY(s->Doc().IsModified());
        // Now filed by its name: 河童 一郎 sorts after the readings.
        QCOMPARE(s->Column(0).back(), QStringLiteral("河童 一郎"));
    }

    void theWindowKeepsItsPlaceOnScreenFromStartToStart() {
        // Saved even when not to be used at the next start, which then restores nothing.
        s->settings.WriteProfileInt("Settings", "SaveWndPos", 0);
        QStringList saved;
        for (int run = 0; run < 4; ++run) {
            StartOnSample();
            const QRect f = s->Frame().frameGeometry();
            QVERIFY(s->Close());
            s->End();
            saved << Utf8(s->settings.GetProfileString("Settings", "WindowPos").str());
            QCOMPARE(saved.back(), QStringLiteral("%1,%2,%3,%4")
                                       .arg(f.left())
                                       .arg(f.top())
                                       .arg(f.left() + f.width())
                                       .arg(f.top() + f.height()));
            s->settings.WriteProfileInt("Settings", "SaveWndPos", 1);
        }
        QCOMPARE(saved, QStringList(4, saved.front()));
        // A frame off every screen or with its title bar above comes back onto
        // one; an empty frame here means none is restored.
        const std::tuple<const char*, int, QRect> stored[]{
            {"50,60,700,760", 1, {50, 60, 650, 700}},
            {"-5000,-5000,-4350,-4300", 1, {0, 0, 650, 700}},
            {"100,-30,750,670", 1, {100, 0, 650, 700}},
            {"10,20", 1, {}},
            {"50,60,700,760", 0, {}}};
        for (const auto& [corners, saveWndPos, frame] : stored) {
            s.reset();
            s = std::make_unique<GuiSession>();
            s->settings.WriteProfileString("Settings", "WindowPos", corners);
            s->settings.WriteProfileInt("Settings", "SaveWndPos", saveWndPos);
            StartOnSample();
            QVERIFY2(bool(s->Frame().IsPosRestored()) == !frame.isEmpty(), corners);
            if (!frame.isEmpty())
                QCOMPARE(s->Frame().frameGeometry(), frame);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
