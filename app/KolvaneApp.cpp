#include "app/KolvaneApp.h"

#include "app/HelpPage.h"
#include "doc/AppSettings.h"
#include "doc/DocumentType.h"
#include "doc/ProfilePath.h"
#include "doc/UpdateHints.h"
#include "platform/File.h"
#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/CommandIcons.h"
#include "views/CommandIds.h"
#include "views/MainFrame.h"
#include "views/dialogs/ImportDlg.h"
#include "views/dialogs/LayoutDialogs.h"
#include "views/dialogs/VCardImportDlg.h"
#include "zklib/ZkFile.h"
#include "zklib/dialogs/ZkAboutDlg.h"
#include "zklib/dialogs/ZkHyperLink.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <utility>

namespace {

constexpr UINT IDS_NEW_FILE_TITLE = 158;
constexpr UINT IDS_CANNOT_CREATE = 159;
constexpr UINT IDS_CARDS_IMPORTED = 240;
constexpr UINT IDS_OPEN_TITLE = 61442;
constexpr UINT IDS_APP_NAME = 57344;

std::string AbsolutePath(const std::string& path) {
    return qtext::ToPath(QFileInfo(qtext::FromPath(path)).absoluteFilePath());
}

} // namespace

CKolvaneApp::CKolvaneApp() : CKolvaneApp(Options()) {}

CKolvaneApp::CKolvaneApp(Options options) : m_options(std::move(options)) {
    if (!m_options.isCtrlHeld)
        m_options.isCtrlHeld = [] {
            return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
        };
    if (m_options.programDir.isEmpty())
        m_options.programDir = QCoreApplication::applicationDirPath();
}

CKolvaneApp::~CKolvaneApp() = default;

BOOL CKolvaneApp::InitInstance(const QStringList& arguments) {
    QString file;
    for (const QString& argument : arguments)
        if (!argument.startsWith(QLatin1Char('-')) && file.isEmpty())
            file = argument;
    const std::string filePath = file.isEmpty() ? std::string() : AbsolutePath(qtext::ToPath(file));

    if (m_options.guardId) {
        if (!m_guard.Create(m_options.guardId, filePath.c_str()))
            return FALSE;
        if (m_guard.GetListenSocket() >= 0) {
            m_pNotifier =
                new QSocketNotifier(m_guard.GetListenSocket(), QSocketNotifier::Read, this);
            connect(m_pNotifier, &QSocketNotifier::activated, this,
                    &CKolvaneApp::OnInstanceMessage);
        }
    }

    m_pDoc = std::make_unique<CKolvaneDoc>();
    const COptions& options = m_pDoc->Options();
    m_pRecentFiles = std::make_unique<CRecentFileList>(kRecentFileSection, options.m_nMaxMRU);
    m_pRecentFiles->ReadList();
    m_pFrame = std::make_unique<CMainFrame>(*m_pDoc);
    m_pFrame->ShowRecentFiles(m_pRecentFiles->Paths());
    ConnectCommands();

    bool opened = false;
    if (options.m_bOpenPrevDoc && !m_options.isCtrlHeld() && filePath.empty()) {
        const std::string last = LoadProfilePath(kLastFileSection, kLastFileKey);
        opened = !last.empty() && OpenDocumentFile(last);
    }
    if (!opened) {
        if (!filePath.empty())
            m_nStartFailureStatus = OpenDocumentFile(filePath) ? 0 : 1;
        else
            OnFileNew();
        if (!m_bHasDocument)
            return FALSE;
    }

    m_pFrame->CreateCardForms();
    m_pFrame->show();
    if (!m_strPendingFile.empty())
        OpenDocumentFile(std::exchange(m_strPendingFile, std::string()));
    return TRUE;
}

void CKolvaneApp::ExitInstance() {
    m_pDoc->Options().SaveApplicationPart();
}

void CKolvaneApp::ConnectCommands() {
    CMainFrame& frame = *m_pFrame;
    frame.OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    frame.OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    frame.OnCommand(ID_FILE_SAVE, [this] { m_pDoc->DoFileSave(); });
    frame.OnCommand(ID_FILE_SAVE_AS, [this] { m_pDoc->DoSave(nullptr); });
    frame.OnCommand(ID_FILE_IMPORT, [this] { OnFileImport(); });
    frame.OnCommand(ID_FILE_VCARD_IMPORT, [this] {
        if (!m_pFrame->CommitActiveView())
            return;
        m_pDoc->UpdateAllViews(nullptr, HINT_SHOW_LIST);
        ImportVCardFile(*m_pDoc, m_pFrame.get());
    });
    frame.OnCommand(ID_HELP_FINDER, [this] { OnHelp(); });
    frame.OnCommand(ID_APP_ABOUT, [this] { OnAbout(); });
    frame.OnCommand(ID_EDIT_OPTIONS, [this] { OnOptions(); });
    connect(&frame, &CMainFrame::recentFileChosen, this, &CKolvaneApp::OnRecentFile);
    connect(m_pDoc.get(), &CKolvaneDoc::fileRecorded, this, [this](const std::string& path) {
        m_pRecentFiles->Add(path);
        m_pFrame->ShowRecentFiles(m_pRecentFiles->Paths());
    });
}

CKolvaneApp::OpenResult CKolvaneApp::Open(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    if (m_bHasDocument && absolute == m_pDoc->GetPathName()) {
        m_pFrame->BringToFront();
        return OpenResult::opened;
    }
    if (m_bHasDocument && !m_pDoc->SaveModified())
        return OpenResult::cancelled;
    if (!m_pDoc->OnOpenDocument(absolute.c_str()))
        return OpenResult::failed;
    m_bHasDocument = true;
    return OpenResult::opened;
}

BOOL CKolvaneApp::OpenDocumentFile(const std::string& path) {
    return Open(path) == OpenResult::opened;
}

void CKolvaneApp::OnRecentFile(int index) {
    const std::vector<std::string>& paths = m_pRecentFiles->Paths();
    if (index < 0 || index >= static_cast<int>(paths.size()))
        return;
    // A file that can no longer be opened leaves the list.
    if (Open(std::string(paths[static_cast<size_t>(index)])) == OpenResult::failed) {
        m_pRecentFiles->Remove(index);
        m_pFrame->ShowRecentFiles(m_pRecentFiles->Paths());
    }
}

void CKolvaneApp::OnFileNew() {
    // A card form that refuses is mended before any file name is asked for.
    if (!m_pFrame->CommitActiveView())
        return;
    FilePrompt prompt = DocumentFilePrompt(LoadAppStringUtf8(IDS_NEW_FILE_TITLE), true);
    prompt.createPrompt = true;
    prompt.overwritePrompt = false;
    const std::optional<std::string> chosen = AfxGetUserInteraction().PromptFileName(prompt);
    if (!chosen)
        return;
    if (!ZkFile_DoesExist(chosen->c_str())) {
        CFile file;
        if (!file.Open(chosen->c_str(), CFile::modeCreate | CFile::modeWrite)) {
            std::string message = LoadAppStringUtf8(IDS_CANNOT_CREATE);
            message.replace(message.find("%1"), 2, *chosen);
            AfxMessageBoxUtf8(message);
            return;
        }
        file.Close();
    }
    OpenDocumentFile(*chosen);
}

void CKolvaneApp::OnFileOpen() {
    if (!m_pFrame->CommitActiveView())
        return;
    FilePrompt prompt = DocumentFilePrompt(LoadAppStringUtf8(IDS_OPEN_TITLE), true);
    prompt.initialPath = ZkFile_SplitDirName(m_pDoc->GetPathName().c_str()).str();
    if (const std::optional<std::string> chosen = AfxGetUserInteraction().PromptFileName(prompt))
        OpenDocumentFile(*chosen);
}

void CKolvaneApp::OnFileImport() {
    if (!m_pFrame->CommitActiveView())
        return;
    m_pDoc->UpdateAllViews(nullptr, HINT_SHOW_LIST);
    FilePrompt prompt;
    prompt.filter = CsvFileFilter();
    prompt.overwritePrompt = false;
    const std::optional<std::string> chosen = AfxGetUserInteraction().PromptFileName(prompt);
    if (!chosen)
        return;
    CImportDlg dialog(*chosen, m_pDoc->GetBook(), m_pFrame.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Every card was made before the first is appended: all of them or none.
    std::vector<std::unique_ptr<CAddrCard>> cards = dialog.TakeCards();
    const int count = static_cast<int>(cards.size());
    m_pDoc->GetBook().AddCards(std::move(cards));
    m_pDoc->UpdateAllViews(nullptr, HINT_REBUILD_LIST);
    m_pDoc->SetModifiedFlag();
    CString done;
    done.Format(LoadAppString(IDS_CARDS_IMPORTED), count);
    AfxMessageBox(done);
}

void CKolvaneApp::OnHelp() {
    const std::string page = FindHelpPage(m_options.programDir);
    CZkHyperLink link(page.c_str());
    const int result = link.Navigate();
    if (result <= 32)
        CZkHyperLink::ReportError(page.c_str(), result);
}

void CKolvaneApp::OnAbout() {
    CZkAboutDlg dialog(m_pFrame.get());
    dialog.setObjectName(QStringLiteral("aboutDialog"));
    dialog.m_icon = ProgramIcon();
    dialog.m_strProductName = LoadAppString(IDS_APP_NAME);
    dialog.m_nMajor = 1;
    dialog.m_nMinor = 1;
    dialog.m_nRevision = 1;
    dialog.m_nBuild = 2500;
    dialog.m_nFirstYear = 1999;
    dialog.m_nLastYear = 2003;
    dialog.m_strHolder = "Tavrin";
    qtext::ToSjis(QStringLiteral("住所録ﾌｧｲﾙ (*.kvd) の作成と編集、ﾗﾍﾞﾙ印刷"), dialog.m_strInfo);
    qtext::ToSjis(QStringLiteral("ﾍﾙﾌﾟ:"), dialog.m_strLinkTitle);
    dialog.m_strLinkTarget = FindHelpPage(m_options.programDir).c_str();
    dialog.DoModal();
}

void CKolvaneApp::OnInstanceMessage() {
    // Opening may ask questions; further copies wait until it is done.
    m_pNotifier->setEnabled(false);
    CString message;
    while (m_guard.ReceiveMessage(message)) {
        // A file that comes while start-up still asks for the first one is
        // opened once the window is up.
        if (!m_bHasDocument)
            m_strPendingFile = message.str();
        else if (!message.IsEmpty())
            OpenDocumentFile(message.str());
        if (m_pFrame->isVisible())
            m_pFrame->BringToFront();
    }
    m_pNotifier->setEnabled(true);
}
