// The document without a window: open, save with backups, the question before
// closing, Save As, a host that refuses, the options in the settings.

#include "doc/KolvaneDoc.h"
#include "doc/UpdateHints.h"
#include "model/AddrBookFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingUserInteraction.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>

namespace {

std::string ReadBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void AddCards(CAddrBook& book, int count) {
    for (int i = 0; i < count; ++i) {
        auto* card = new CAddrCard;
        card->m_nNotation = NOTATION_ENGLISH;
        card->m_strName = "Sato Hanako, Sato Trading Company, Tokyo head office, sales";
        book.AddCard(card);
    }
}

void WriteBook(const std::string& path, int cards) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    AddCards(book, cards);
    ASSERT_FALSE(SaveAddrBook(path.c_str(), book));
}

// The number of cards in the file; -1 when it cannot be read.
int CardsIn(const std::string& path) {
    CAddrBook book;
    return LoadAddrBook(path.c_str(), book) ? -1 : book.GetCount();
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

struct Host : IDocumentHost {
    BOOL allow = TRUE;
    int asked = 0;
    BOOL CommitActiveView() override { return ++asked, allow; }
};

struct View : IKolvaneView {
    std::vector<int> hints; // 0 for an initial update
    void OnInitialUpdate() override { hints.push_back(0); }
    void OnUpdate(IKolvaneView*, int hint, CAddrCard*) override { hints.push_back(hint); }
};

const UINT kStop = MB_OK | MB_ICONSTOP;

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

    // A fresh document over book.kvd with `cards` cards, hosted and viewed.
    void Renew(int cards = -1) {
        doc = std::make_unique<CKolvaneDoc>();
        recorded.clear();
        QObject::connect(doc.get(), &CKolvaneDoc::fileRecorded,
                         [this](const std::string& path) { recorded.push_back(path); });
        doc->SetHost(&host);
        doc->AddView(&view);
        if (cards >= 0) {
            WriteBook(book, cards);
            ASSERT_TRUE(doc->OnOpenDocument(book.c_str()));
            view.hints.clear();
            recorded.clear();
        }
    }
    void Edit() {
        AddCards(doc->GetBook(), 1);
        doc->SetModifiedFlag();
    }
    std::string File(const char* name) const {
        return dir.filePath(QString::fromUtf8(name)).toStdString();
    }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    const std::string book = File("book.kvd");
    CMemorySettingsStore settings;
    RecordingUserInteraction ui;
    Host host;
    View view;
    std::unique_ptr<CKolvaneDoc> doc;
    std::vector<std::string> recorded;
};

TEST_F(DocumentTest, OpenTakesTheWholeBookOrNothing) {
    EXPECT_EQ(doc->GetTitle().toStdString(), "無題");
    WriteBook(book, 3);
    Edit();
    ASSERT_TRUE(doc->OnOpenDocument(book.c_str()));
    EXPECT_EQ(doc->GetBook().GetCount(), 3);
    EXPECT_EQ(doc->GetTitle().toStdString(), "book.kvd");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(view.hints, (std::vector<int>{HINT_SHOW_LIST, 0}));
    EXPECT_EQ(recorded, std::vector<std::string>{book});
    EXPECT_EQ(settings.GetProfileString("Most Recent File", "File"), CString(book.c_str()));

    const std::string whole = ReadBytes(book);
    std::ofstream(File("damaged.kvd"), std::ios::binary) << whole.substr(0, whole.size() * 2 / 3);
    // A damaged record keeps its own icon; a file that cannot be read stops.
    const struct {
        const char* name;
        const char* message; // %1 for the path
        UINT type;
    } failures[] = {{"damaged.kvd", "ﾌｧｲﾙ %1 は途中で終わっています。壊れている可能性があります。",
                     MB_OK | MB_ICONEXCLAMATION},
                    {"gone.kvd", "ﾌｧｲﾙ %1 が見つかりません。", kStop}};
    Edit();
    const CAddrBook* before = &doc->GetBook();
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        const std::string path = File(failure.name);
        std::string message = failure.message;
        ui.ExpectMessage(message.replace(message.find("%1"), 2, path));
        view.hints.clear();
        EXPECT_FALSE(doc->OnOpenDocument(path.c_str()));
        EXPECT_EQ(ui.messages.back().type, failure.type);
        EXPECT_EQ(&doc->GetBook(), before);
        EXPECT_EQ(doc->GetBook().GetCount(), 4);
        EXPECT_EQ(doc->GetPathName(), book);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(view.hints.empty());
        EXPECT_EQ(recorded.size(), 1u);
        EXPECT_EQ(settings.GetProfileString("Most Recent File", "File"), CString(book.c_str()));
    }
}

TEST_F(DocumentTest, SavesRotateTheBackups) {
    // Three saves over a book of 1 card, each with one card more; a file is
    // named with the cards it holds.
    const struct {
        BOOL make;
        int generations;
        const char* ext;
        std::vector<std::pair<const char*, int>> files;
    } cases[] = {
        {TRUE,
         5,
         "bak",
         {{"book.kvd", 4}, {"book.kvd.bak", 3}, {"book.kvd.bak.1", 2}, {"book.kvd.bak.2", 1}}},
        {TRUE, 1, "old", {{"book.kvd", 4}, {"book.kvd.old", 3}, {"book.kvd.old.1", 2}}},
        {TRUE, 0, ".bak", {{"book.kvd", 4}, {"book.kvd.bak", 3}}},
        {TRUE, 0, "a/b", {{"book.kvd", 4}, {"book.kvd.bak", 3}}},
        {FALSE, 5, "bak", {{"book.kvd", 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ext + std::to_string(c.generations));
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        Renew(1);
        COptions& options = doc->Options();
        options.m_bMakeBackup = c.make;
        options.m_nMaxBackup = c.generations;
        options.m_strBackupExt = c.ext;
        for (int i = 0; i < 3; ++i) {
            Edit();
            ASSERT_TRUE(doc->DoFileSave());
            EXPECT_FALSE(doc->IsModified());
        }
        QStringList names;
        for (const auto& [name, cards] : c.files) {
            names << QString::fromUtf8(name);
            EXPECT_EQ(CardsIn(File(name)), cards) << name;
        }
        EXPECT_EQ(Files(), names);
        EXPECT_EQ(recorded, std::vector<std::string>(3, book));
    }
}

TEST_F(DocumentTest, AFailedSaveKeepsTheFileAndItsBackups) {
    Renew(300);
    Edit();
    ASSERT_TRUE(doc->DoFileSave());
    const std::string saved = ReadBytes(book);
    const std::string backup = ReadBytes(book + ".bak");
    ASSERT_GT(saved.size(), 8192u);
    Edit();
    const std::string diskFull = "ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ " + book + " に書き込めません。";
    {
        const FileSizeLimit limit(8192);
        ui.ExpectMessage(diskFull);
        EXPECT_FALSE(doc->DoFileSave());
        // With auto-save on, a close whose save fails does not happen.
        ui.ExpectMessage(diskFull);
        EXPECT_FALSE(doc->SaveModified());
    }
    EXPECT_EQ(ui.messages.back().type, kStop);
    EXPECT_EQ(ReadBytes(book), saved);
    EXPECT_EQ(ReadBytes(book + ".bak"), backup);
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("book.kvd"), QStringLiteral("book.kvd.bak")}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(recorded.size(), 1u);
}

TEST_F(DocumentTest, ClosingSavesAsksOrLetsGo) {
    const int none = 0;
    const struct {
        const char* what;
        BOOL autoSave;
        bool named;
        bool edited;
        int answer;       // to the question; none: no question
        const char* pick; // the Save As prompt's answer; "" cancels
        BOOL closes;
        int cardsSaved; // in book.kvd or, unnamed, saved.kvd; -1 none
    } cases[] = {
        {"unchanged", FALSE, true, false, none, nullptr, TRUE, 1},
        {"auto-save", TRUE, true, true, none, nullptr, TRUE, 2},
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
        const size_t shown = ui.messages.size();
        if (c.answer != none)
            ui.ExpectMessage(c.named ? "book.kvd への変更を保存しますか?"
                                     : "無題 への変更を保存しますか?",
                             c.answer);
        if (c.pick && *c.pick)
            ui.PickFile(File(c.pick));
        else if (c.pick)
            ui.CancelFilePrompt();
        EXPECT_EQ(doc->SaveModified(), c.closes);
        EXPECT_EQ(ui.messages.size() - shown, c.answer == none ? 0u : 1u);
        if (c.answer != none)
            EXPECT_EQ(ui.messages.back().type, UINT(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
        EXPECT_EQ(CardsIn(c.named ? book : File("saved.kvd")), c.cardsSaved);
        EXPECT_EQ(doc->IsModified(), c.edited && c.cardsSaved != (c.named ? 2 : 1));
    }
}

TEST_F(DocumentTest, SaveAsAsksForTheName) {
    ui.CancelFilePrompt();
    EXPECT_FALSE(doc->DoFileSave());
    EXPECT_EQ(ui.prompts.back().initialPath, "Kolvan.kvd");
    Renew(2);
    const std::string copy = File("copy.kvd");
    ui.CancelFilePrompt().PickFile(copy);
    EXPECT_FALSE(doc->DoSave(nullptr));
    ASSERT_TRUE(doc->DoSave(nullptr));
    const FilePrompt& prompt = ui.prompts.back();
    EXPECT_EQ(prompt.title, "名前を付けて保存");
    EXPECT_FALSE(prompt.open);
    EXPECT_EQ(prompt.filter + prompt.defaultExt, "住所録ﾌｧｲﾙ (*.kvd)|*.kvd|kvd");
    EXPECT_EQ(prompt.initialPath, book);
    EXPECT_EQ(doc->GetPathName(), copy);
    EXPECT_EQ(recorded, std::vector<std::string>{copy});
    EXPECT_EQ(CardsIn(copy), 2);
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
        Renew(1);
        Edit();
        host.allow = FALSE;
        host.asked = 0;
        EXPECT_FALSE(operation());
        EXPECT_EQ(host.asked, 1);
        EXPECT_EQ(doc->GetPathName(), book);
        EXPECT_EQ(doc->GetBook().GetCount(), 2);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(CardsIn(book), 1);
        EXPECT_TRUE(recorded.empty());
        host.allow = TRUE;
    }
    EXPECT_TRUE(ui.messages.empty() && ui.prompts.empty());
}

TEST(OptionsTest, LoadedInRangeAndEachPartWrittenByItsOwner) {
    CMemorySettingsStore settings;
    AfxSetProfile(&settings);
    for (const auto& [key, value] : {std::pair{"MaxMRU", 99}, {"MaxBackup", -3}, {"AutoSave", 7}})
        settings.WriteProfileInt("Settings", key, value);
    {
        CKolvaneDoc doc;
        COptions& options = doc.Options();
        EXPECT_EQ(options.m_nMaxMRU, 16);
        EXPECT_EQ(options.m_nMaxBackup, 0);
        EXPECT_EQ(options.m_bAutoSave, 1);
        EXPECT_EQ(options.m_strBackupExt, CString("bak"));
        options = COptions{.m_nMaxMRU = 8,
                           .m_bAutoSave = FALSE,
                           .m_nMaxBackup = 3,
                           .m_bMatchCase = TRUE,
                           .m_bSaveWndPos = FALSE};
    }
    // The document writes its own part; the window and the application write theirs.
    EXPECT_EQ(settings.GetProfileInt("Settings", "MaxMRU", -1), 99);
    EXPECT_FALSE(settings.Contains("Settings", "SaveWndPos"));
    COptions{.m_nMaxMRU = 8, .m_bSaveWndPos = FALSE}.SaveApplicationPart();
    COptions{.m_nMaxMRU = 9, .m_bSaveWndPos = FALSE}.SaveWindowPart();
    const std::pair<const char*, int> written[] = {
        {"OpenPrevDoc", 1}, {"MaxMRU", 8},    {"AutoSave", 0},   {"MakeBackup", 1},
        {"MaxBackup", 3},   {"MatchCase", 1}, {"SaveWndPos", 0}, {"NewCardLang", 0}};
    for (const auto& [key, value] : written)
        EXPECT_EQ(settings.GetProfileInt("Settings", key, -1), value) << key;
    EXPECT_EQ(settings.GetProfileString("Settings", "BackupExt"), CString("bak"));
    AfxSetProfile(nullptr);
}

} // namespace
