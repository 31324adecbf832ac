#pragma once
// What the GUI tests share: settings in memory, a scripted user-interaction
// service, address books made in one line, and ways to read and drive the
// main window as a user would.

#include "app/KolvaneApp.h"
#include "model/AddrBook.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingUserInteraction.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CAddrListView;
class QAbstractItemView;
class QToolButton;

struct CardFields {
    int notation = 0;
    const char* furigana = "";
    const char* name = "";
    const char* company = "";
    const char* contact = ""; // the first contact's text, method 1
};

// Shift_JIS from UTF-8; the test fails on text the code page cannot hold.
CString Sjis(const char* utf8);
QString Utf8(const std::string& text);
CAddrCard* MakeCard(const CardFields& fields);
// Writes a .kvd file with these cards and the default contact methods.
void WriteBook(const std::string& path, const std::vector<CardFields>& cards);
std::string ReadBytes(const std::string& path);

// One program run per test: its own settings, its own answers, its own folder.
class GuiSession {
public:
    GuiSession();
    ~GuiSession();

    std::string Path(const char* name) const;
    // Starts the program as main() does; guarded only when given a guard id.
    BOOL Start(const QStringList& arguments = {}, bool ctrlHeld = false, UINT guardId = 0);
    // The close request of the main window; true when the window closed.
    bool Close();
    // Ends the run as the program ends: the window and the views go, writing
    // their settings into this session's store.
    void End() { m_app.reset(); }

    CKolvaneApp& App() const { return *m_app; }
    CMainFrame& Frame() const;
    CKolvaneDoc& Doc() const;
    CAddrListView& List() const;

    // What the list shows, column by column, top to bottom.
    QStringList Column(int column) const;
    QString Count() const;
    QToolButton* ButtonOf(int commandId) const;
    void ClickHeader(int column) const;
    void SelectRows(std::initializer_list<int> rows) const;

    QTemporaryDir dir;
    CMemorySettingsStore settings;
    RecordingUserInteraction ui;

private:
    std::unique_ptr<CKolvaneApp> m_app;
};

// The sample cards most tests start from.
std::vector<CardFields> SampleCards();

// Clicks the button of the dialog that shows this text; fails without one.
void Click(QWidget& dialog, const char* text);
// The rows' first column, the selected one in brackets, joined by '|'.
QString Shown(const QAbstractItemView& view);

// Runs fn on the next modal dialog of type T once it shows.
template <class T> void WhenShown(std::function<void(T&)> fn) {
    QTimer::singleShot(0, [fn] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            fn(*dialog);
        else
            WhenShown<T>(fn);
    });
}
