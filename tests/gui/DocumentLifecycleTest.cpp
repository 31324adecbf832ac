// Start-up, opening, saving and closing, with files on the disk.

#include "GuiTestSupport.h"

#include "model/AddrBookFile.h"
#include "platform/QtText.h"
#include "platform/StringTable.h"
#include "views/AddrListView.h"
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

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace {

const char* const kDeleteQuestion = "選択されているｶｰﾄﾞを削除します。\n削除してもいいですか?";

QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Files larger than the limit cannot be written while it is in force.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

std::vector<CardFields> ManyCards(int count) {
    std::vector<CardFields> cards;
    for (int i = 0; i < count; ++i)
        cards.push_back(
            {0, "さとう はなこ", "佐藤 花子", "佐藤商事株式会社 東京本社 営業部", "03-0000-0000"});
    return cards;
}

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
        QCOMPARE(s->settings.GetProfileString("Most Recent File", "File"), CString(path.c_str()));
    }

    void withoutALastFileTheProgramEndsWhenThePromptIsCancelled() {
        s->ui.CancelFilePrompt();
        QVERIFY(!s->Start());
        // Ctrl held, or OpenPrevDoc 0: the last file is not reopened.
        NewSession();
        WriteBook(File("book.kvd"), SampleCards());
        s->settings.WriteProfileString("Most Recent File", "File", File("book.kvd").c_str());
        s->ui.CancelFilePrompt();
        QVERIFY(!s->Start({}, true));
        NewSession();
        WriteBook(File("book.kvd"), SampleCards());
        s->settings.WriteProfileString("Most Recent File", "File", File("book.kvd").c_str());
        s->settings.WriteProfileInt("Settings", "OpenPrevDoc", 0);
        s->ui.CancelFilePrompt();
        QVERIFY(!s->Start());
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
        s.reset();

        NewSession();
        const std::string gone = File("gone.kvd");
        const std::string other = File("other.kvd");
        WriteBook(other, SampleCards());
        s->settings.WriteProfileString("Most Recent File", "File", gone.c_str());
        s->ui.ExpectMessage("ﾌｧｲﾙ " + gone + " が見つかりません。");
        // File-New on an existing book opens it unchanged.
        s->ui.PickFile(other);
        const std::string before = ReadBytes(other);
        QVERIFY(s->Start());
        QCOMPARE(s->ui.messages.front().type, UINT(MB_OK | MB_ICONSTOP));
        QCOMPARE(s->Doc().GetPathName(), other);
        QCOMPARE(ReadBytes(other), before);
        // A file named on the command line wins over the last file.
        s.reset();
        NewSession();
        s->settings.WriteProfileString("Most Recent File", "File", other.c_str());
        WriteBook(File("named.kvd"), {{0, "あ", "阿", "", ""}});
        StartOn(File("named.kvd"));
        QCOMPARE(s->Count(), QStringLiteral("1 / 1"));
    }

    void savesWithRotatingBackups() {
        const std::string book = File("book.kvd");
        WriteBook(book, SampleCards());
        const std::string original = ReadBytes(book);
        StartOn(book);
        DeleteFirstCard();
        QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE));
        QVERIFY(!s->Doc().IsModified());
        QCOMPARE(ReadBytes(book + ".bak"), original);
        const std::string afterFirst = ReadBytes(book);
        QVERIFY(afterFirst.size() < original.size());
        DeleteFirstCard();
        QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE));
        QCOMPARE(ReadBytes(book + ".bak"), afterFirst);
        QCOMPARE(ReadBytes(book + ".bak.1"), original);
        QCOMPARE(Files(files->path()),
                 (QStringList{QStringLiteral("book.kvd"), QStringLiteral("book.kvd.bak"),
                              QStringLiteral("book.kvd.bak.1")}));
        // Save As writes the new name and takes it as the document's path.
        const std::string copy = File("copy.kvd");
        s->ui.PickFile(copy);
        QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE_AS));
        QCOMPARE(Utf8(s->ui.prompts.back().title), QStringLiteral("名前を付けて保存"));
        QCOMPARE(s->Doc().GetPathName(), copy);
        QCOMPARE(ReadBytes(copy), ReadBytes(book));
        QCOMPARE(s->Frame().windowTitle(), QStringLiteral("copy.kvd[*] - ｺﾙｳﾞｧﾈ"));
    }

    void aFailedWriteLeavesTheFileAndItsBackupsAsTheyWere() {
        const std::string book = File("book.kvd");
        WriteBook(book, ManyCards(300));
        StartOn(book);
        DeleteFirstCard();
        QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE));
        const std::string saved = ReadBytes(book);
        const std::string backup = ReadBytes(book + ".bak");
        QVERIFY(saved.size() > 8192);

        DeleteFirstCard();
        {
            // The disk fills up half-way through the new file.
            const FileSizeLimit limit(8192);
            s->ui.ExpectMessage("ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ " + book + " に書き込めません。");
            QVERIFY(s->Frame().RunCommand(ID_FILE_SAVE));
        }
        QCOMPARE(s->ui.messages.back().type, UINT(MB_OK | MB_ICONSTOP));
        QCOMPARE(ReadBytes(book), saved);
        QCOMPARE(ReadBytes(book + ".bak"), backup);
        QCOMPARE(Files(files->path()),
                 (QStringList{QStringLiteral("book.kvd"), QStringLiteral("book.kvd.bak")}));
        QVERIFY(s->Doc().IsModified());

        // With auto-save on, a close whose save fails does not happen.
        {
            const FileSizeLimit limit(8192);
            s->ui.AnswerMessage(IDOK);
            QVERIFY(!s->Close());
        }
        QCOMPARE(ReadBytes(book), saved);
        QVERIFY(s->Close());
        QVERIFY(ReadBytes(book) != saved);
        QCOMPARE(ReadBytes(book + ".bak"), saved);
    }

    void closingSavesSilentlyWithAutoSaveAndAsksWithout() {
        const std::string book = File("book.kvd");
        WriteBook(book, SampleCards());
        const std::string original = ReadBytes(book);
        StartOn(book);
        QVERIFY(s->Close()); // nothing changed: no question, no save
        QCOMPARE(ReadBytes(book), original);
        QVERIFY(!QFile::exists(Q(book + ".bak")));
        s.reset();

        NewSession();
        WriteBook(book, SampleCards());
        StartOn(book);
        DeleteFirstCard();
        QVERIFY(s->Close());
        QVERIFY(ReadBytes(book).size() < original.size());
        s.reset();

        NewSession();
        WriteBook(book, SampleCards());
        s->settings.WriteProfileInt("Settings", "AutoSave", 0);
        StartOn(book);
        DeleteFirstCard();
        const char* question = "book.kvd への変更を保存しますか?";
        s->ui.ExpectMessage(question, IDCANCEL);
        QVERIFY(!s->Close());
        QCOMPARE(s->ui.messages.back().type, UINT(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
        s->ui.ExpectMessage(question, IDNO);
        QVERIFY(s->Close());
        QCOMPARE(ReadBytes(book), original);
    }

    void aModifiedDocumentWithoutAPathIsNotDroppedOnClose() {
        CKolvaneDoc doc;
        QVERIFY(doc.Options().m_bAutoSave);
        doc.GetBook().AddCard(MakeCard({0, "あ", "阿部", "", ""}));
        doc.SetModifiedFlag();
        const char* question = "無題 への変更を保存しますか?";
        s->ui.ExpectMessage(question, IDCANCEL);
        QVERIFY(!doc.SaveModified());
        const std::string path = File("saved.kvd");
        s->ui.ExpectMessage(question, IDYES);
        s->ui.PickFile(path);
        QVERIFY(doc.SaveModified());
        QCOMPARE(doc.GetPathName(), path);
        QVERIFY(!doc.IsModified());
        CAddrBook reread;
        QVERIFY(!LoadAddrBook(path.c_str(), reread));
        QCOMPARE(reread.GetCount(), 1);
    }

    void aFailedOpenKeepsThePreviousDocument() {
        const std::string good = File("good.kvd");
        WriteBook(good, SampleCards());
        const std::string original = ReadBytes(good);
        const std::string damaged = File("damaged.kvd");
        {
            QFile file(Q(damaged));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(original.data(), qint64(original.size() * 2 / 3));
        }
        StartOn(good);
        s->ui.PickFile(damaged);
        s->ui.AnswerMessage(IDOK);
        QVERIFY(s->Frame().RunCommand(ID_FILE_OPEN));
        QCOMPARE(s->ui.messages.size(), size_t(1));
        QCOMPARE(s->Doc().GetPathName(), good);
        QCOMPARE(s->Count(), QStringLiteral("6 / 6"));
        QVERIFY(!s->Doc().IsModified());
        QCOMPARE(s->App().RecentFiles().Paths(), std::vector<std::string>{good});
        QVERIFY(s->Close());
        QCOMPARE(ReadBytes(good), original);
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
