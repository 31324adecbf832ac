#pragma once
// The one way the system talks to the user: message boxes, file prompts, the
// print and printer dialogs, the font dialog and the colour chooser.
// The program installs a dialog-showing implementation; command-line tools and
// tests install their own (see RecordingUserInteraction).

#include "platform/CString.h"
#include "platform/Types.h"

#include <optional>
#include <string>
#include <vector>

struct FilePrompt {
    bool open = true;        // an open prompt, else a save prompt
    std::string title;       // UTF-8
    std::string filter;      // UTF-8, "Name (*.ext)|*.ext|..."
    std::string defaultExt;  // without the dot
    std::string initialPath; // native path
    bool overwritePrompt = true;
    bool createPrompt = false; // an open prompt that offers to create a missing file
};

// What the print dialog offers: pages 1 to lastPage, and printing only the
// selection when there is one.
struct PrintPrompt {
    int lastPage = 0;
    bool selectionEnabled = false;
};

// What the user chose in the print dialog.
struct PrintChoice {
    enum class Range { all, selection, pages };
    struct Pages {
        int from = 0; // counted from 1
        int to = 0;
    };
    Range range = Range::all;
    std::vector<Pages> pages; // Range::pages only, in order
    std::string outputFile;   // native path of a PDF file; empty prints on the printer
};

class IUserInteraction {
public:
    virtual ~IUserInteraction() = default;
    // text is UTF-8. Returns IDOK, IDYES, IDNO, IDCANCEL ...
    virtual int MessageBox(const std::string& text, UINT type) = 0;
    // The chosen native path, or nothing when the user cancelled.
    virtual std::optional<std::string> PromptFileName(const FilePrompt& prompt) = 0;
    // The print dialog on the application's printer; nothing when cancelled.
    // Without a dialog to show, printing is cancelled.
    virtual std::optional<PrintChoice> PromptPrint(const PrintPrompt&) { return std::nullopt; }
    // The printer setup dialog on the application's printer; true on OK.
    virtual bool PromptPrinterSetup() { return false; }
    // The font dialog started from font, whose height is in pixels at dpi
    // pixels per inch; the chosen font in the same units, or nothing when
    // cancelled.
    virtual std::optional<LOGFONT> PromptFont(const LOGFONT&, int) { return std::nullopt; }
    // The colour chooser started from colour; the chosen colour, or nothing
    // when cancelled.
    virtual std::optional<COLORREF> PromptColor(COLORREF) { return std::nullopt; }
};

// The installed service; a console implementation writing to standard error
// until another is installed.
ZKLIB_API IUserInteraction& AfxGetUserInteraction();
// Installs a service (not owned); null restores the console implementation.
void AfxSetUserInteraction(IUserInteraction* service);

// The answer a box of this type gives when nobody chooses: its default button.
int DefaultAnswer(UINT type);
// A box given no icon shows the exclamation icon.
UINT WithDefaultIcon(UINT type);

ZKLIB_API int AfxMessageBoxUtf8(const std::string& text, UINT type = MB_OK);
// Shift_JIS text.
ZKLIB_API int AfxMessageBox(const CString& text, UINT type = MB_OK);
