// The document without a window: open, save with backups, the question before
// closing, Save As, a host that refuses, the options in the settings.

#include "doc/KolvaneDoc.h"
#include "model/AddrBookFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingUserInteraction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <tuple>

namespace {

std::string ReadBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void WriteBook(const std::string& path, int cards) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    for (int i = 0; i < cards; ++i)
        book.GetAt(book.AddCard(new CAddrCard))->m_strName = "Sato Hanako, Sato Trading, Tokyo";
    ASSERT_FALSE(SaveAddrBook(path.c_str(), book));
}

// The number of cards in the file; -1 when it cannot be read.
int CardsIn(const std::string& path) {
    CAddrBook book;
    return LoadAddrBook(path.c_str(), book) ? -1 : book.GetCount();
}

struct Host : IDocumentHost {
    BOOL allow = TRUE;
    int asked = 0;
    BOOL CommitActiveView() override { return ++asked, allow; }
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() {
        AfxSetProfile(&settings);
        AfxSetUserInteraction(&ui);
        Renew();
    }
    ~DocumentTest() override {
        doc.reset();
        AfxSetUserInteraction(nullptr);
        AfxSetProfile(nullptr);
    }
    void TearDown() override { EXPECT_EQ(ui.Problems(), ""); }

    // A fresh hosted document, over book.kvd with `cards` cards unless -1.
    void Renew(int cards = -1) {
        doc = std::make_unique<CKolvaneDoc>();
        recorded.clear();
        QObject::connect(doc.get(), &CKolvaneDoc::fileRecorded,
                         [this](const std::string& path) { recorded.push_back(path); });
        doc->SetHost(&host);
        if (cards >= 0) {
            WriteBook(book, cards);
            ASSERT_TRUE(doc->OnOpenDocument(book.c_str()));
            recorded.clear();
        }
    }
    void Edit() {
        doc->GetBook().AddCard(new CAddrCard);
        doc->SetModifiedFlag();
    }
    std::string File(const char* name) const {
        return dir.filePath(QString::fromUtf8(name)).toStdString();
    }
    // The files of the folder, each with the cards it holds.
    std::string Listing() const {
        std::string out;
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files, QDir::Name))
            out +=
                name.toStdString() + " " + std::to_string(CardsIn(File(qPrintable(name)))) + ", ";
        return out;
    }

    QTemporaryDir dir;
    const std::string book = File("book.kvd");
    CMemorySettingsStore settings;
    RecordingUserInteraction ui;
    Host host;
    std::unique_ptr<CKolvaneDoc> doc;
    std::vector<std::string> recorded;
};

// The main window's tests show the title, the list and the recent files after an open.
TEST_F(DocumentTest, OpenTakesTheWholeBookOrNothing) {
    WriteBook(book, 3);
    Edit();
    ASSERT_TRUE(doc->OnOpenDocument(book.c_str()));
    EXPECT_EQ(doc->GetBook().GetCount(), 3);
    EXPECT_FALSE(doc->IsModified());

    std::ofstream(File("damaged.kvd"), std::ios::binary) << ReadBytes(book).substr(0, 300);
    // A file cut short keeps the damaged record's icon; one that cannot be read stops.
    const struct {
        const char* name;
        const char* after; // the path
        UINT type;
    } failures[] = {{"damaged.kvd", " は途中で終わっています。壊れている可能性があります。",
                     MB_OK | MB_ICONEXCLAMATION},
                    {"gone.kvd", " が見つかりません。", MB_OK | MB_ICONSTOP}};
    Edit();
    const CAddrBook* before = &doc->GetBook();
    for (const auto& failure : failures) {
        ui.ExpectMessage("ﾌｧｲﾙ " + File(failure.name) + failure.after);
        EXPECT_FALSE(doc->OnOpenDocument(File(failure.name).c_str()));
        EXPECT_EQ(ui.messages.back().type, failure.type) << failure.name;
        EXPECT_TRUE(&doc->GetBook() == before && doc->GetPathName() == book && doc->IsModified());
    }
    EXPECT_EQ(recorded, std::vector<std::string>{book}); // the open, not the failures
}

// Three saves over a book of 1 card, each with one card more.
TEST_F(DocumentTest, SavesRotateTheBackups) {
    const struct {
        BOOL make;
        int generations;
        const char* ext;
        const char* files;
    } cases[] = {
        {TRUE, 5, "bak", "book.kvd 4, book.kvd.bak 3, book.kvd.bak.1 2, book.kvd.bak.2 1, "},
        {TRUE, 1, "old", "book.kvd 4, book.kvd.old 3, book.kvd.old.1 2, "},
        {TRUE, 0, ".bak", "book.kvd 4, book.kvd.bak 3, "},
        {TRUE, 0, "a/b", "book.kvd 4, book.kvd.bak 3, "},
        {FALSE, 5, "bak", "book.kvd 4, "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ext + std::to_string(c.generations));
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        Renew(1);
        doc->Options() = COptions{
            .m_bMakeBackup = c.make, .m_nMaxBackup = c.generations, .m_strBackupExt = c.ext};
        for (int i = 0; i < 3; ++i) {
            Edit();
            ASSERT_TRUE(doc->DoFileSave());
            EXPECT_FALSE(doc->IsModified());
        }
        EXPECT_EQ(Listing(), c.files);
        EXPECT_EQ(recorded, std::vector<std::string>(3, book));
    }
}

TEST_F(DocumentTest, AFailedSaveKeepsTheFileAndItsBackups) {
    Renew(300);
    Edit();
    ASSERT_TRUE(doc->DoFileSave());
    const std::string saved = ReadBytes(book), backup = ReadBytes(book + ".bak");
    ASSERT_GT(saved.size(), 8192u);
    Edit();
    const std::string diskFull = "ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ " + book + " に書き込めません。";
    // Files larger than the limit cannot be written while it is in force.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{8192, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    ui.ExpectMessage(diskFull);
    EXPECT_FALSE(doc->DoFileSave());
    // With auto-save on, a close whose save fails does not happen.
    ui.ExpectMessage(diskFull);
    EXPECT_FALSE(doc->SaveModified());
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(ui.messages.back().type, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(ReadBytes(book), saved);
    EXPECT_EQ(ReadBytes(book + ".bak"), backup);
    EXPECT_EQ(Listing(), "book.kvd 301, book.kvd.bak 300, ");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(recorded.size(), 1u);
}

TEST_F(DocumentTest, ClosingSavesAsksOrLetsGo) {
    const struct {
        const char* what;
        BOOL autoSave;
        bool named;
        bool edited;
        int answer;       // to the question; 0: no question
        const char* pick; // the Save As prompt's answer; "" cancels
        BOOL closes;
        int cardsSaved; // in book.kvd or, unnamed, saved.kvd; -1 none
    } cases[] = {
        {"unchanged", FALSE, true, false, 0, nullptr, TRUE, 1},
        {"auto-save", TRUE, true, true, 0, nullptr, TRUE, 2},
        {"cancel", FALSE, true, true, IDCANCEL, nullptr, FALSE, 1},
        {"no", FALSE, true, true, IDNO, nullptr, TRUE, 1},
        {"yes", FALSE, true, true, IDYES, nullptr, TRUE, 2},
        {"unnamed, cancel", TRUE, false, true, IDCANCEL, nullptr, FALSE, -1},
        {"unnamed, no name", TRUE, false, true, IDYES, "", FALSE, -1},
        {"unnamed, named", TRUE, false, true, IDYES, "saved.kvd", TRUE, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(QString::fromStdString(File("saved.kvd")));
        Renew(c.named ? 1 : -1);
        doc->Options().m_bAutoSave = c.autoSave;
        if (c.edited)
            Edit();
        if (c.answer)
            ui.ExpectMessage(c.named ? "book.kvd への変更を保存しますか?"
                                     : "無題 への変更を保存しますか?",
                             c.answer);
        if (c.pick && *c.pick)
            ui.PickFile(File(c.pick));
        else if (c.pick)
            ui.CancelFilePrompt();
        EXPECT_EQ(doc->SaveModified(), c.closes);
        if (c.answer) {
            EXPECT_EQ(ui.messages.back().type, UINT(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
        }
        EXPECT_EQ(CardsIn(c.named ? book : File("saved.kvd")), c.cardsSaved);
        EXPECT_EQ(doc->IsModified(), c.edited && c.cardsSaved != (c.named ? 2 : 1));
    }
}

// The main window's tests save as through the window and show the prompt.
TEST_F(DocumentTest, SaveAsAsksForTheName) {
    ui.CancelFilePrompt();
    EXPECT_FALSE(doc->DoFileSave());
    EXPECT_EQ(ui.prompts.back().initialPath, "Kolvan.kvd");
    Renew(2);
    ui.PickFile(File("copy.kvd"));
    ASSERT_TRUE(doc->DoSave(nullptr));
    EXPECT_EQ(ui.prompts.back().initialPath, book);
    EXPECT_EQ(recorded, std::vector<std::string>{File("copy.kvd")});
    EXPECT_EQ(Listing(), "book.kvd 2, copy.kvd 2, ");
}

TEST_F(DocumentTest, AHostThatRefusesStopsOpenSaveAndClose) {
    WriteBook(File("other.kvd"), 5);
    const std::pair<const char*, std::function<BOOL()>> operations[] = {
        {"open", [&] { return doc->OnOpenDocument(File("other.kvd").c_str()); }},
        {"save", [&] { return doc->DoFileSave(); }},
        {"save as", [&] { return doc->DoSave(nullptr); }},
        {"close", [&] { return doc->SaveModified(); }},
    };
    for (const auto& [what, operation] : operations) {
        SCOPED_TRACE(what);
        host.allow = TRUE;
        Renew(1);
        Edit();
        host.allow = FALSE;
        host.asked = 0;
        EXPECT_FALSE(operation());
        EXPECT_EQ(host.asked, 1);
        EXPECT_TRUE(doc->GetPathName() == book && doc->IsModified() && recorded.empty());
        EXPECT_EQ(doc->GetBook().GetCount() + CardsIn(book), 2 + 1);
    }
    EXPECT_TRUE(ui.messages.empty() && ui.prompts.empty());
}

// The options sheet's tests show each part written by its owner.
TEST(OptionsTest, DamagedSettingsLoadInRange) {
    CMemorySettingsStore settings;
    AfxSetProfile(&settings);
    for (const auto& [key, value] : {std::pair{"MaxMRU", 99}, {"MaxBackup", -3}, {"AutoSave", 7}})
        settings.WriteProfileInt("Settings", key, value);
    {
        CKolvaneDoc doc;
        const COptions& o = doc.Options();
        EXPECT_EQ(std::tuple(o.m_nMaxMRU, o.m_nMaxBackup, o.m_bAutoSave), std::tuple(16, 0, 1));
    }
    AfxSetProfile(nullptr);
}

} // namespace
