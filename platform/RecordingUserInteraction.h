#pragma once
// User-interaction service for tests: answers from a script, records every
// message and prompt, and notes surprises (an unscripted box, a text other than
// the expected one, a scripted answer left over).

#include "platform/UserInteraction.h"

#include <deque>
#include <vector>

class RecordingUserInteraction final : public IUserInteraction {
public:
    struct Message {
        std::string text;
        UINT type = 0;
    };

    RecordingUserInteraction();
    ~RecordingUserInteraction() override;

    // The next message box must show this text and is answered so.
    RecordingUserInteraction& ExpectMessage(std::string text, int answer = IDOK);
    // The next message box, whatever its text, is answered so.
    RecordingUserInteraction& AnswerMessage(int answer);
    // The next file prompt picks this path, or is cancelled.
    RecordingUserInteraction& PickFile(std::string path);
    RecordingUserInteraction& CancelFilePrompt();
    // The next print dialog is answered with this choice, or is cancelled.
    RecordingUserInteraction& ChoosePrint(PrintChoice choice);
    RecordingUserInteraction& CancelPrint();
    // The next printer setup dialog is closed with OK (true) or Cancel.
    RecordingUserInteraction& AnswerPrinterSetup(bool ok);
    // The next font dialog chooses this font, or is cancelled.
    RecordingUserInteraction& ChooseFont(const LOGFONT& font);
    RecordingUserInteraction& CancelFont();
    // The next colour chooser takes this colour, or is cancelled.
    RecordingUserInteraction& ChooseColor(COLORREF color);
    RecordingUserInteraction& CancelColor();

    int MessageBox(const std::string& text, UINT type) override;
    std::optional<std::string> PromptFileName(const FilePrompt& prompt) override;
    std::optional<PrintChoice> PromptPrint(const PrintPrompt& prompt) override;
    bool PromptPrinterSetup() override;
    std::optional<LOGFONT> PromptFont(const LOGFONT& font, int dpi) override;
    std::optional<COLORREF> PromptColor(COLORREF color) override;

    // Everything that went against the script, one line each; empty when all went to plan.
    std::string Problems() const;
    void Clear();

    std::vector<Message> messages;
    std::vector<FilePrompt> prompts;
    std::vector<PrintPrompt> printPrompts;
    int printerSetups = 0;
    std::vector<LOGFONT> fontPrompts; // the fonts the dialogs started from
    std::vector<COLORREF> colorPrompts; // the colours the choosers started from

private:
    enum class Kind { message, file, print, printerSetup, font, color };
    struct Step {
        Kind kind = Kind::message;
        bool checkText = false;
        std::string text;
        int answer = IDOK;
        std::optional<std::string> file;
        std::optional<PrintChoice> print;
        std::optional<LOGFONT> font;
        std::optional<COLORREF> color;
    };
    // The next step when it is of this kind, else a noted problem and nothing.
    std::optional<Step> Take(Kind kind, const std::string& shown);
    std::deque<Step> m_script;
    std::vector<std::string> m_problems;
};
