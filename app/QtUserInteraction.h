#pragma once
// Message boxes, file prompts, the print and printer setup dialogs and the
// font dialog as real dialogs, owned by the window the user is working in; the print dialogs work
// on the application's printer.

#include "platform/UserInteraction.h"

class CQtUserInteraction final : public IUserInteraction {
public:
    int MessageBox(const std::string& text, UINT type) override;
    std::optional<std::string> PromptFileName(const FilePrompt& prompt) override;
    std::optional<PrintChoice> PromptPrint(const PrintPrompt& prompt) override;
    bool PromptPrinterSetup() override;
    std::optional<LOGFONT> PromptFont(const LOGFONT& font, int dpi) override;
    std::optional<COLORREF> PromptColor(COLORREF color) override;
};
