#pragma once
// The main window: the card list and the two card forms (one showing at a
// time), the index bars, the search box, the card bar, the menus and the
// status bar. Every command has its numeric id on one QAction and an
// enabling rule; a command without a handler stays disabled.

#include "doc/KolvaneDoc.h"
#include "platform/Types.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CAddrListView;
class CClipboardState;
class ICardForm;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QStackedWidget;
class QToolBar;

class CMainFrame : public QMainWindow, public IDocumentHost {
    Q_OBJECT
public:
    enum Slot : int { SLOT_LIST = 0, SLOT_ENGLISH = 1, SLOT_JAPANESE = 2 };

    // Reads, when the options say so, the saved window position.
    explicit CMainFrame(CKolvaneDoc& doc, QWidget* parent = nullptr);
    // Writes the main window's part of the document's options.
    ~CMainFrame() override;

    // Once, before the window is first shown: creates the two card forms, fits
    // the window to them and sets the smallest size the user may drag it to.
    void CreateCardForms();
    // FALSE, with the showing form staying, when the commit was refused.
    BOOL SwitchView(int slot, BOOL commit);
    // Writes the showing card form into the current card. FALSE when the form
    // refused (the user has been told and the field has the focus): whatever
    // was leaving the form must then stop.
    BOOL CommitActiveView() override;
    void ReloadActiveView();

    QAction* Action(int id) const;
    // Connects the command's handler; the command is enabled from now on
    // whenever its rule allows.
    void OnCommand(int id, std::function<void()> handler);
    // Triggers the command when it is enabled; false when it is not.
    bool RunCommand(int id);
    void UpdateCommandUI();

    // Shows the recent files (native paths) in the file menu.
    void ShowRecentFiles(const std::vector<std::string>& paths);
    void BringToFront();

    CAddrListView& ListView() const { return *m_pList; }
    ICardForm* Form(int slot) const;
    QLineEdit& SearchBox() const { return *m_pSearchBox; }
    int ActiveSlot() const { return m_nActiveSlot; }
    int CheckedFilter() const { return m_nCheckedFilter; }
    QSize MinTrackSize() const { return m_sizeMinTrack; }
    bool IsPosRestored() const { return m_bPosRestored; }

signals:
    void recentFileChosen(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // MainFrameUi.cpp
    void CreateActions();
    void CreateMenus();
    void CreateBars();
    void CreateStatusBar();
    QToolBar* CreateIndexBar(const QString& name, int first, int last, int separatorAfter);
    QAction* MakeAction(int id, const char* caption);
    // MainFrameWindowPos.cpp
    void RestoreWindowPos();
    void SaveWindowPos();
    void SaveBarStates();
    void RestoreBarStates();
    // MainFrameCommands.cpp
    void ConnectCommands();
    void OnViewCard();
    void MoveCard(bool next);
    void OnNewCard();
    void OnDeleteCard();
    void OnContactMethods();
    void OnPostcodeCheck();
    void OnIndexButton(int id);
    void OnDuplicates();
    void OnSearchChanged(const QString& text);
    void ShowSearchProblem(const QString& problem);
    bool IsEnabled(int id) const;
    // MainFrameEdit.cpp: undo, cut, copy and paste, on the text box that has
    // the focus (FocusTextBox) or else on the cards of the list.
    void ConnectEditCommands();
    QWidget* FocusTextBox() const;
    bool IsEditEnabled(int id) const;
    void UpdateEditCommandUI();
    void OnEditCommand(int id);

    void UpdateTitle();
    void UpdateCount(int listed, int total);

    CKolvaneDoc& m_doc;
    CAddrListView* m_pList;
    std::array<std::unique_ptr<ICardForm>, 2> m_forms; // English, Japanese
    QStackedWidget* m_pStack;
    QLineEdit* m_pSearchBox = nullptr;
    QLabel* m_pCount = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentAnchor = nullptr;
    std::vector<QAction*> m_recentActions;
    std::vector<QToolBar*> m_bars;
    std::map<int, QAction*> m_actions;
    std::map<int, bool> m_handled;
    int m_nActiveSlot = SLOT_LIST;
    int m_nCheckedFilter;
    QSize m_sizeMinTrack;
    bool m_bPosRestored = false;
    // The search text the list was last filled for.
    QString m_strSearch;
    // While the views change places the focus passes through the window on
    // its own; it must not count as the user entering the search box.
    bool m_bSwitching = false;
    CClipboardState* m_pClipboard = nullptr;
    std::vector<QMetaObject::Connection> m_boxConnections;
};
