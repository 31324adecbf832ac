// Start-up, the file commands, the title bar and closing the window, with files
// on the disk. The document on its own is tested in tests/doc.

#include "GuiTestSupport.h"

#include "model/AddrBookFile.h"
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

namespace {

const char* const kDeleteQuestion = "選択されているｶｰﾄﾞを削除します。\n削除してもいいですか?";

} // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class DocumentLifecycleTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiSession> s;
    std::unique_ptr<QTemporaryDir> files; // outlives the sessions of one test

    void NewSession() {
        s.reset();
        s = std::make_unique<GuiSession>();
    }
    std::string File(const char* name) const {
        return files->filePath(QString::fromUtf8(name)).toStdString();
    }

    QString Q(const std::string& path) const { return QString::fromStdString(path); }
    void StartOn(const std::string& path) {
        QVERIFY(s->Start({Q(path)}));
        QCOMPARE(s->Doc().GetPathName(), path);
    }
    void DeleteFirstCard() {
        s->SelectRows({0});
        s->ui.ExpectMessage(kDeleteQuestion, IDYES);
        QVERIFY(s->Frame().RunCommand(ID_CARD_DELETE));
    }

private slots:
    void init() {
        files = std::make_unique<QTemporaryDir>();
        s = std::make_unique<GuiSession>();
    }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
        files.reset();
    }

    void firstStartAsksForANewFileAndCreatesIt() {
        const std::string path = File("new.kvd");
        s->ui.PickFile(path);
        QVERIFY(s->Start());
        QCOMPARE(s->ui.prompts.size(), size_t(1));
        QCOMPARE(Utf8(s->ui.prompts[0].title), QStringLiteral("新しい住所録ﾌｧｲﾙ"));
        QVERIFY(s->ui.prompts[0].open && s->ui.prompts[0].createPrompt);
        QCOMPARE(Utf8(s->ui.prompts[0].filter), QStringLiteral("住所録ﾌｧｲﾙ (*.kvd)|*.kvd|"));
        QCOMPARE(ReadBytes(path), std::string());
        QCOMPARE(s->Count(), QStringLiteral("0 / 0"));
        QCOMPARE(s->Doc().GetBook().m_methods.GetCount(), 8);
        QVERIFY(s->Frame().isVisible());
        // Saving the empty book writes a whole file: the header and the eight methods.
        QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE));
        QCOMPARE(ReadBytes(path).size(), size_t(211));
    }

    void withoutALastFileTheProgramEndsWhenThePromptIsCancelled() {
        // No last file; Ctrl held; OpenPrevDoc 0: the last file is not reopened.
        for (int run = 0; run < 3; ++run) {
            NewSession();
            if (run > 0) {
                WriteBook(File("book.kvd"), SampleCards());
                s->settings.WriteProfileString("Most Recent File", "File",
                                               File("book.kvd").c_str());
            }
            if (run == 2)
                s->settings.WriteProfileInt("Settings", "OpenPrevDoc", 0);
            s->ui.CancelFilePrompt();
            QVERIFY(!s->Start({}, run == 1));
        }
        // A file that cannot be created is reported and nothing starts.
        NewSession();
        const std::string nowhere = File("no/such/folder/x.kvd");
        s->ui.PickFile(nowhere);
        s->ui.ExpectMessage(
            nowhere + " cannot be created.  Make sure to create new files on read-write media.");
        QVERIFY(!s->Start());
    }

    void reopensTheLastFileAndAsksWhenItIsGone() {
        const std::string book = File("book.kvd");
        WriteBook(book, SampleCards());
        s->settings.WriteProfileString("Most Recent File", "File", book.c_str());
        QVERIFY(s->Start());
        QCOMPARE(s->Doc().GetPathName(), book);
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QVERIFY(s->ui.prompts.empty());

        NewSession();
        const std::string gone = File("gone.kvd");
        s->settings.WriteProfileString("Most Recent File", "File", gone.c_str());
        s->ui.ExpectMessage("ﾌｧｲﾙ " + gone + " が見つかりません。");
        // File-New on an existing book opens it unchanged.
        s->ui.PickFile(book);
        const std::string before = ReadBytes(book);
        QVERIFY(s->Start());
        QCOMPARE(s->Doc().GetPathName(), book);
        QCOMPARE(ReadBytes(book), before);
        // A file named on the command line wins over the last file.
        NewSession();
        s->settings.WriteProfileString("Most Recent File", "File", book.c_str());
        WriteBook(File("named.kvd"), {{0, "あ", "阿", "", ""}});
        StartOn(File("named.kvd"));
        QCOMPARE(s->Count(), QStringLiteral("1 / 1"));
    }

    void saveCommandsAndTheTitleBar() {
        const std::string book = File("book.kvd");
        WriteBook(book, SampleCards());
        StartOn(book);
        QCOMPARE(s->Frame().windowTitle(), QStringLiteral("book.kvd[*] - ｺﾙｳﾞｧﾈ"));
        DeleteFirstCard();
        QVERIFY(s->Frame().isWindowModified());
        QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE));
        QVERIFY(!s->Frame().isWindowModified());
        QVERIFY(QFile::exists(Q(book + ".bak")));
        const std::string copy = File("copy.kvd");
        s->ui.PickFile(copy);
        QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE_AS));
        QCOMPARE(s->Frame().windowTitle(), QStringLiteral("copy.kvd[*] - ｺﾙｳﾞｧﾈ"));
        QCOMPARE(ReadBytes(copy), ReadBytes(book));
    }

    void closingTheWindowAsksAboutChanges() {
        const std::string book = File("book.kvd");
        WriteBook(book, SampleCards());
        const std::string original = ReadBytes(book);
        s->settings.WriteProfileInt("Settings", "AutoSave", 0);
        StartOn(book);
        DeleteFirstCard();
        const char* question = "book.kvd への変更を保存しますか?";
        s->ui.ExpectMessage(question, IDCANCEL);
        QVERIFY(!s->Close());
        QVERIFY(s->Frame().isVisible());
        s->ui.ExpectMessage(question, IDNO);
        QVERIFY(s->Close());
        QCOMPARE(ReadBytes(book), original);
    }

    void recentFilesKeepPathsTheCodePageCannotHold() {
        QVERIFY(QDir(files->path()).mkdir(QStringLiteral("Café 住所録")));
        const std::string cafe = File("Café 住所録/book.kvd");
        const std::string plain = File("plain.kvd");
        WriteBook(cafe, SampleCards());
        WriteBook(plain, {{1, "", "Only One", "", ""}});
        StartOn(plain);
        s->ui.PickFile(cafe);
        QVERIFY(s->Frame().RunCommand(ID_FILE_OPEN));
        QCOMPARE(s->Doc().GetPathName(), cafe);
        QCOMPARE(s->App().RecentFiles().Paths(), (std::vector<std::string>{cafe, plain}));
        QVERIFY(s->Frame()
                    .Action(ID_FILE_MRU_FIRST)
                    ->text()
                    .endsWith(QStringLiteral("Café 住所録/book.kvd")));
        // Kept as an address in the settings, as the code page has no é.
        const CString stored = s->settings.GetProfileString("Recent File List", "File1");
        QVERIFY(stored.view().starts_with("file:///"));
        QCOMPARE(s->settings.GetProfileString("Recent File List", "File2"), CString(plain.c_str()));
        // The second entry opens the plain book again.
        QVERIFY(s->Frame().RunCommand(ID_FILE_MRU_FIRST + 1));
        QCOMPARE(s->Doc().GetPathName(), plain);
        const CString last = s->settings.GetProfileString("Most Recent File", "File");
        QVERIFY(s->Close());
        s.reset();

        NewSession();
        s->settings.WriteProfileString("Recent File List", "File1", stored);
        s->settings.WriteProfileString("Most Recent File", "File", stored);
        QVERIFY(s->Start());
        QCOMPARE(s->Doc().GetPathName(), cafe);
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QCOMPARE(last, CString(plain.c_str()));
    }

    void helpPageIsLookedUpBesideTheProgram() {
        const std::string book = File("book.kvd");
        WriteBook(book, SampleCards());
        StartOn(book);
        const std::string page = s->Path("help/help.html");
        s->ui.ExpectMessage("ﾌｧｲﾙ '" + page + "' が開けません:\n指定されたﾊﾟｽが見つかりません。");
        QVERIFY(s->Frame().RunCommand(ID_HELP_FINDER));
        QCOMPARE(s->ui.messages.back().type, UINT(MB_OK | MB_ICONSTOP));

        QVERIFY(QDir(s->dir.path()).mkdir(QStringLiteral("help")));
        QFile(Q(page)).open(QIODevice::WriteOnly);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        QVERIFY(QDir::setCurrent(QDir::rootPath())); // not the current folder
        QVERIFY(s->Frame().RunCommand(ID_HELP_FINDER));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(Q(page))});
    }

    void aboutBoxShowsTheProgramsVersion() {
        const std::string book = File("book.kvd");
        WriteBook(book, SampleCards());
        StartOn(book);
        QString version;
        QString title;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            title = dialog->windowTitle();
            version = dialog->findChild<QLabel*>(QStringLiteral("aboutVersion"))->text();
            static_cast<QDialog*>(dialog)->accept();
        });
        QVERIFY(s->Frame().RunCommand(ID_APP_ABOUT));
        QCOMPARE(title, QStringLiteral("ｺﾙｳﾞｧﾈ のﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(version, QStringLiteral("ｺﾙｳﾞｧﾈ ver.1.11 (build 2500)"));
    }

    void aSecondCopyHandsItsFileToTheRunningOne() {
        const QByteArray runtime = s->dir.filePath(QStringLiteral("run")).toUtf8();
        QVERIFY(QDir().mkpath(QString::fromUtf8(runtime)));
        QFile::setPermissions(QString::fromUtf8(runtime),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime);
        CStringTable names;
        QVERIFY(names.Load("9999\tKolvaneGuiTest\\n\n"));
        AfxSetResourceStrings(&names);

        const std::string first = File("first.kvd");
        const std::string second = File("second.kvd");
        WriteBook(first, SampleCards());
        WriteBook(second, {{0, "い", "伊藤", "", ""}});
        QVERIFY(s->Start({Q(first)}, false, 9999));
        DeleteFirstCard(); // auto-save keeps this when the other file comes

        CZkSingleInstance other;
        QVERIFY(!other.Create(9999, second.c_str()));
        QTRY_COMPARE(s->Doc().GetPathName(), second);
        QCOMPARE(s->Count(), QStringLiteral("1 / 1"));
        CAddrBook reread;
        QVERIFY(!LoadAddrBook(first.c_str(), reread));
        QCOMPARE(reread.GetCount(), 5);
        AfxSetResourceStrings(nullptr);
    }
};

QTEST_MAIN(DocumentLifecycleTest)
#include "DocumentLifecycleTest.moc"
