#pragma once
// The application: makes sure one copy runs, restores the recent-file list,
// opens the file used last time (or the one named on the command line, or
// asks for a new one), and carries out the file, help and about commands.

#include "doc/KolvaneDoc.h"
#include "doc/RecentFileList.h"
#include "zklib/ZkSingleInstance.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class CMainFrame;
class QSocketNotifier;

class CKolvaneApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        // String id naming the single-instance guard; 0 runs unguarded.
        UINT guardId = 128;
        // Whether Ctrl is held as the program starts; the keyboard by default.
        std::function<bool()> isCtrlHeld;
        // The program's folder, where the help page lies; the executable's by default.
        QString programDir;
    };

    CKolvaneApp();
    explicit CKolvaneApp(Options options);
    ~CKolvaneApp() override;

    // arguments: the command line without the program's name. FALSE when the
    // program is to end (another copy runs, or no document could be had).
    BOOL InitInstance(const QStringList& arguments);
    // After InitInstance returned FALSE: 1 when the book named on the command
    // line could not be opened, else 0 (another copy took the file, or the user
    // cancelled the question for a first file).
    int GetStartFailureStatus() const { return m_nStartFailureStatus; }
    void ExitInstance();

    // Opens path (native) as the document after the current one was saved or
    // let go; the same file as the open document is only brought forward.
    BOOL OpenDocumentFile(const std::string& path);
    void OnFileNew();
    void OnFileOpen();
    // The cards of a CSV file chosen through the import dialog, appended to the book.
    void OnFileImport();
    void OnHelp();
    void OnAbout();
    // The options sheet over the document's options; a change of the search
    // rule refills the card list.
    void OnOptions();

    CKolvaneDoc& Document() const { return *m_pDoc; }
    CMainFrame& MainFrame() const { return *m_pFrame; }
    const CRecentFileList& RecentFiles() const { return *m_pRecentFiles; }

private:
    enum class OpenResult { opened, cancelled, failed };
    OpenResult Open(const std::string& path);
    void OnRecentFile(int index);
    void OnInstanceMessage();
    void ConnectCommands();

    Options m_options;
    CZkSingleInstance m_guard;
    QSocketNotifier* m_pNotifier = nullptr;
    std::unique_ptr<CRecentFileList> m_pRecentFiles;
    std::unique_ptr<CKolvaneDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
    bool m_bHasDocument = false;
    int m_nStartFailureStatus = 0;
    std::string m_strPendingFile;
};
