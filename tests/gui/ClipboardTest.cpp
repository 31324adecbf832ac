// The edit commands in the main window: on the text box with the focus or on
// the cards of the list, by menu and by every key of both key sets.

#include "GuiTestSupport.h"

#include "model/AddrBookFile.h"
#include "views/AddrListView.h"
#include "views/CardForm.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"
#include "views/dialogs/CopySetupSheet.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// Rows of the sample book as the list sorts them.
constexpr int kRowBrown = 0; // English, with a company
constexpr int kRowAoki = 2;
constexpr int kRowYamada = 5;

QClipboard& Clipboard() {
    return *QGuiApplication::clipboard();
}

} // namespace

class ClipboardTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiSession> s;

    void StartOn(const std::string& path) {
        QVERIFY(s->Start({QString::fromStdString(path)}));
        s->Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s->Frame()));
    }
    void StartOnSample() {
        WriteBook(s->Path("book.kvd"), SampleCards());
        StartOn(s->Path("book.kvd"));
    }
    QByteArray ClipboardCards() const {
        return Clipboard().mimeData()->data(QStringLiteral("Kolvane Cards"));
    }

private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }
    void init() {
        Clipboard().clear();
        s = std::make_unique<GuiSession>();
    }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
    }

    void theCommandsFollowTheFocus() {
        StartOnSample();
        CMainFrame& frame = s->Frame();
        // No row selected: the copy key leaves the clipboard alone, though a
        // row has the list's focus.
        s->SelectRows({kRowBrown, kRowBrown});
        QTest::keyClick(&s->List(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(Clipboard().text().isEmpty());
        s->SelectRows({kRowBrown});
        QVERIFY(frame.Action(ID_EDIT_COPY)->isEnabled());
        QVERIFY(!frame.Action(ID_EDIT_PASTE)->isEnabled()); // no cards on the clipboard
        // With text selected in a card field the edit menu offers all four.
        QVERIFY(frame.RunCommand(ID_VIEW_CARD));
        auto* name = frame.Form(frame.ActiveSlot())
                         ->Widget()
                         ->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        name->setFocus();
        QTest::keyClick(name, Qt::Key_X);
        name->selectAll();
        Clipboard().setText(QStringLiteral("y"));
        emit frame.menuBar()->actions().at(1)->menu()->aboutToShow();
        for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
            QVERIFY2(frame.Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(frame.RunCommand(ID_EDIT_CUT));
        QCOMPARE(Clipboard().text(), QStringLiteral("Brown Annax"));
        QVERIFY(!frame.Action(ID_EDIT_COPY)->isEnabled());
    }

    void everyKeyActsOnTheBoxOrOnTheCards() {
        StartOnSample();
        CMainFrame& frame = s->Frame();
        QLineEdit& box = frame.SearchBox();
        // What the box then holds and the clipboard's text after the box's
        // command, and how the number of cards changes on the list.
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int command;
            const char* box;
            const char* clipboard;
            int cards;
        };
        const Key keys[]{{Qt::Key_Z, Qt::ControlModifier, ID_EDIT_UNDO, "", "xyz", 0},
                         {Qt::Key_Backspace, Qt::AltModifier, ID_EDIT_UNDO, "", "xyz", 0},
                         {Qt::Key_X, Qt::ControlModifier, ID_EDIT_CUT, "", "abc", -1},
                         {Qt::Key_Delete, Qt::ShiftModifier, ID_EDIT_CUT, "", "abc", -1},
                         {Qt::Key_C, Qt::ControlModifier, ID_EDIT_COPY, "abc", "abc", 0},
                         {Qt::Key_Insert, Qt::ControlModifier, ID_EDIT_COPY, "abc", "abc", 0},
                         {Qt::Key_V, Qt::ControlModifier, ID_EDIT_PASTE, "xyz", "xyz", 1},
                         {Qt::Key_Insert, Qt::ShiftModifier, ID_EDIT_PASTE, "xyz", "xyz", 1}};
        const QString xyz = QStringLiteral("xyz");
        for (const Key& k : keys) {
            const QByteArray what = QKeySequence(k.key | k.modifiers).toString().toUtf8();
            // In the search box: the box's own undo, cut, copy and paste.
            box.clear();
            box.setFocus();
            QTest::keyClicks(&box, QStringLiteral("abc"));
            box.selectAll();
            Clipboard().setText(xyz);
            QTest::keyClick(&box, k.key, k.modifiers);
            QVERIFY2(box.text() == QString::fromUtf8(k.box), what);
            QVERIFY2(Clipboard().text() == QString::fromUtf8(k.clipboard), what);
            // On the list: cards, never the view's own copy of a cell's text.
            box.clear();
            s->SelectRows({kRowBrown});
            if (k.command == ID_EDIT_PASTE)
                QVERIFY(frame.RunCommand(ID_EDIT_COPY));
            else
                Clipboard().setText(xyz);
            const int before = s->Doc().GetBook().GetCount();
            QVERIFY2(!frame.Action(ID_EDIT_UNDO)->isEnabled(), what);
            QTest::keyClick(&s->List(), k.key, k.modifiers);
            QVERIFY2(s->Doc().GetBook().GetCount() == before + k.cards, what);
            QVERIFY2(k.command == ID_EDIT_UNDO ? Clipboard().text() == xyz
                                               : !ClipboardCards().isEmpty(),
                     what);
        }
        QVERIFY(s->ui.messages.empty()); // cut asks nothing
    }

    void cardsCopiedAndPastedUnderAFilter() {
        StartOnSample();
        CMainFrame& frame = s->Frame();
        // The copy settings command edits the list's own layouts.
        WhenShown<CCopySetupSheet>([](CCopySetupSheet& sheet) {
            CCopySetupPage& page = sheet.JapanesePage();
            page.CopyFields().setCurrentItem(page.CopyFields().topLevelItem(0));
            Click(page, "削除(&R)");
            sheet.accept();
        });
        QVERIFY(frame.RunCommand(ID_EDIT_COPY_SETTINGS));
        QCOMPARE(s->List().JapaneseCopyLayout().GetFields(), (std::vector<int>{5, 3, 2, 0}));
        s->List().JapaneseCopyLayout().SetDefaultFields();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        s->List().setFocus();
        // Each card in its own notation's layout, in row order.
        s->SelectRows({kRowBrown, kRowAoki, kRowYamada});
        QTest::keyClick(&s->List(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard().text(),
                 QStringLiteral("Brown Anna\r\nZeta Ltd.\r\n青葉商事\r\n青木 優子\r\n"
                                "山田商事\r\n山田 太郎\r\n"));
        QCOMPARE(ClipboardCards().left(4), QByteArray("\x03\x00\x00\x00", 4));
        // Under 日 only the Japanese ones get rows; the total grows by all.
        QTest::mouseClick(s->ButtonOf(32823), Qt::LeftButton);
        QCOMPARE(s->Count(), QStringLiteral("4 / 6"));
        QVERIFY(!s->Doc().IsModified());
        QVERIFY(frame.RunCommand(ID_EDIT_PASTE));
        QCOMPARE(s->Count(), QStringLiteral("6 / 9"));
        QCOMPARE(s->Column(0).join(u'|'),
                 QStringLiteral("青木 優子|青木 優子|河童 一郎|学校 花子|山田 太郎|山田 太郎"));
        QCOMPARE(s->List().selectionModel()->selectedRows().size(), 2);
        QCOMPARE(s->Doc().GetCurrentCard(), s->Doc().GetBook().GetAt(8));
        QVERIFY(s->Frame().isWindowModified());
    }

    void cardsKeepTheirContactMethodsInAnotherBook() {
        // Id 8 is 自宅 in one book and 勤務先 in the other.
        const auto write = [this](const char* file, const char* method, const char* english) {
            CAddrBook book;
            book.m_methods.SetDefaults();
            book.m_methods.Append({8, CZkString(Sjis(method)), CZkString(english)});
            CAddrCard* card = MakeCard({0, "ほんだ", "本田 一", "本田技研", ""});
            card->m_contacts.Add(8, Sjis("03-0000-0008"));
            card->m_contacts.Add(1, Sjis("03-0000-0001"));
            book.AddCard(card);
            QVERIFY(!SaveAddrBook(s->Path(file).c_str(), book));
        };
        write("home.kvd", "自宅", "Home");
        write("office.kvd", "勤務先", "Office");
        StartOn(s->Path("home.kvd"));
        s->SelectRows({0});
        QVERIFY(s->Frame().RunCommand(ID_EDIT_COPY));
        QVERIFY(s->App().OpenDocumentFile(s->Path("office.kvd")));
        QVERIFY(s->Frame().RunCommand(ID_EDIT_PASTE));
        const CAddrBook& book = s->Doc().GetBook();
        QCOMPARE(book.GetCount(), 2);
        const std::vector<AddrContact>& contacts = book.GetAt(1)->m_contacts.Entries();
        CString japanese, english;
        QCOMPARE(book.m_methods.Get(contacts.at(0).nMethodId, japanese, english), 0);
        QCOMPARE(japanese.str() + english.str(), Sjis("自宅Home").str());
        QCOMPARE(contacts.at(1).nMethodId, 1);
        QCOMPARE(s->Count(), QStringLiteral("2 / 2"));
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(folder);
        QVERIFY(s->Frame().grab().save(folder + QStringLiteral("/pasted_cards.png")));
    }
};

QTEST_MAIN(ClipboardTest)
#include "ClipboardTest.moc"
