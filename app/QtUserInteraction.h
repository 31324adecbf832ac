#pragma once
// Message boxes and file prompts as real dialogs, titled with the program's
// name and owned by the window the user is working in.

#include "platform/UserInteraction.h"

class CQtUserInteraction final : public IUserInteraction {
public:
    int MessageBox(const std::string& text, UINT type) override;
    std::optional<std::string> PromptFileName(const FilePrompt& prompt) override;
};
