// Start-up, the title bar, closing the window, the recent-file menu, help and
// about, and a second copy. The document on its own is tested in tests/doc.

#include "GuiTestSupport.h"

#include "platform/StringTable.h"
#include "views/CommandIds.h"
#include "views/MainFrame.h"
#include "zklib/ZkSingleInstance.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <fstream>

class DocumentLifecycleTest : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened << url; } // the help page, as the desktop would

private:
    QList<QUrl> opened;
    std::unique_ptr<GuiSession> s;
    QTemporaryDir files; // outlives the sessions

    void NewSession() {
        s.reset();
        s = std::make_unique<GuiSession>();
    }
    std::string File(const char* name) const {
        return files.filePath(QString::fromUtf8(name)).toStdString();
    }
    void StartOn(const std::string& path) {
        QVERIFY(s->Start({QString::fromStdString(path)}));
        QCOMPARE(s->Doc().GetPathName(), path);
    }
    void StartOnSample() {
        WriteBook(File("book.kvd"), SampleCards());
        StartOn(File("book.kvd"));
    }
    void DeleteFirstCard() {
        s->SelectRows({0});
        s->ui.ExpectMessage("選択されているｶｰﾄﾞを削除します。\n削除してもいいですか?", IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
    }

private slots:
    void init() { NewSession(); }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
    }

    void startUpOpensTheNamedOrTheLastFileOrAsksForOne() {
        // The first start asks for a new file and creates it.
        const std::string path = File("new.kvd");
        s->ui.PickFile(path);
        QVERIFY(s->Start());
        QCOMPARE(ReadBytes(path), std::string());
        // No last file, Ctrl held, OpenPrevDoc 0: the prompt comes; cancelled, no start.
        const std::string book = File("book.kvd");
        WriteBook(book, SampleCards());
        for (int run = 0; run < 3; ++run) {
            NewSession();
            if (run > 0)
                s->settings.WriteProfileString("Most Recent File", "File", book.c_str());
            if (run == 2)
                s->settings.WriteProfileInt("Settings", "OpenPrevDoc", 0);
            s->ui.CancelFilePrompt();
            QVERIFY(!s->Start({}, run == 1));
            QCOMPARE(s->App().GetStartFailureStatus(), 0);
        }
        // A file that cannot be created is reported and nothing starts.
        NewSession();
        const std::string nowhere = File("no/such/folder/x.kvd");
        s->ui.PickFile(nowhere).ExpectMessage(
            nowhere + " cannot be created.  Make sure to create new files on read-write media.");
        QVERIFY(!s->Start());
        // A named book that cannot be read is reported and the program ends
        // with a failure status.
        NewSession();
        const std::string damaged = File("notes.kvd");
        std::ofstream(damaged) << "not a book";
        s->ui.ExpectMessage("このﾌｧｲﾙは住所録ﾌｧｲﾙではないか、壊れています。\n" + damaged);
        QVERIFY(!s->Start({QString::fromStdString(damaged)}));
        QCOMPARE(s->App().GetStartFailureStatus(), 1);
        // A file named on the command line wins over the last file.
        NewSession();
        s->settings.WriteProfileString("Most Recent File", "File", book.c_str());
        WriteBook(File("named.kvd"), {{0, "あ", "阿", "", ""}});
        StartOn(File("named.kvd"));
    }

    void recentFilesKeepPathsTheCodePageCannotHold() {
        QVERIFY(QDir(files.path()).mkdir(QStringLiteral("Café 住所録")));
        const std::string cafe = File("Café 住所録/book.kvd");
        WriteBook(cafe, SampleCards());
        StartOnSample();
        s->ui.PickFile(cafe);
        QVERIFY(s->Frame().RunCommand(ID_FILE_OPEN));
        const QString first = s->Frame().Action(ID_FILE_MRU_FIRST)->text();
        QVERIFY(first.endsWith(QStringLiteral("Café 住所録/book.kvd")));
        // Kept as an address in the settings, as the code page has no é.
        const CString stored = s->settings.GetProfileString("Recent File List", "File1");
        QVERIFY(stored.view().starts_with("file:///"));
        // The second entry opens the plain book again.
        QVERIFY(s->Frame().RunCommand(ID_FILE_MRU_FIRST + 1));
        QCOMPARE(s->Doc().GetPathName(), File("book.kvd"));

        NewSession();
        s->settings.WriteProfileString("Most Recent File", "File", stored);
        QVERIFY(s->Start());
        QCOMPARE(s->Doc().GetPathName(), cafe);
    }

    void helpAboutTheTitleBarAndClosing() {
        s->settings.WriteProfileInt("Settings", "AutoSave", 0);
        StartOnSample();
        const std::string page = s->Path("help/help.html");
        s->ui.ExpectMessage("ﾌｧｲﾙ '" + page + "' が開けません:\n指定されたﾊﾟｽが見つかりません。");
        QVERIFY(s->Frame().RunCommand(ID_HELP_FINDER));
        // The page is looked up beside the program, not in the current folder.
        QVERIFY(QDir(s->dir.path()).mkdir(QStringLiteral("help")));
        QFile(QString::fromStdString(page)).open(QIODevice::WriteOnly);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
        QVERIFY(QDir::setCurrent(QDir::rootPath()));
        QVERIFY(s->Frame().RunCommand(ID_HELP_FINDER));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(page))});

        QString shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = static_cast<QDialog*>(QApplication::activeModalWidget());
            shown = dialog->windowTitle() + QLatin1Char('|') +
                    dialog->findChild<QLabel*>(QStringLiteral("aboutVersion"))->text();
            dialog->accept();
        });
        QVERIFY(s->Frame().RunCommand(ID_APP_ABOUT));
        QCOMPARE(shown, QStringLiteral("ｺﾙｳﾞｧﾈ のﾊﾞｰｼﾞｮﾝ情報|ｺﾙｳﾞｧﾈ ver.1.11 (build 2500)"));
        s->ui.PickFile(File("copy.kvd"));
        QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE_AS));
        QCOMPARE(s->Frame().windowTitle(), QStringLiteral("copy.kvd[*] - ｺﾙｳﾞｧﾈ"));
        DeleteFirstCard();
        s->ui.ExpectMessage("copy.kvd への変更を保存しますか?", IDCANCEL);
        QVERIFY(!s->Close());
        s->ui.ExpectMessage("copy.kvd への変更を保存しますか?", IDNO);
        QVERIFY(s->Close());
    }

    void aSecondCopyHandsItsFileToTheRunningOne() {
        const QString runtime = s->dir.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
        CStringTable names;
        QVERIFY(names.Load("9999\tKolvaneGuiTest\\n\n"));
        AfxSetResourceStrings(&names);
        const std::string first = File("book.kvd");
        WriteBook(first, SampleCards());
        WriteBook(File("second.kvd"), {{0, "い", "伊藤", "", ""}});
        QVERIFY(s->Start({QString::fromStdString(first)}, false, 9999));
        const std::string before = ReadBytes(first);
        DeleteFirstCard(); // auto-save keeps this when the other file comes
        CZkSingleInstance other;
        QVERIFY(!other.Create(9999, File("second.kvd").c_str()));
        QTRY_COMPARE(s->Doc().GetPathName(), File("second.kvd"));
        QVERIFY(ReadBytes(first) != before);
        AfxSetResourceStrings(nullptr);
    }
};

QTEST_MAIN(DocumentLifecycleTest)
#include "DocumentLifecycleTest.moc"
