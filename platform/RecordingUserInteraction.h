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

    int MessageBox(const std::string& text, UINT type) override;
    std::optional<std::string> PromptFileName(const FilePrompt& prompt) override;

    // Everything that went against the script, one line each; empty when all went to plan.
    std::string Problems() const;
    void Clear();

    std::vector<Message> messages;
    std::vector<FilePrompt> prompts;

private:
    struct Step {
        bool isMessage = true;
        bool checkText = false;
        std::string text;
        int answer = IDOK;
        std::optional<std::string> file;
    };
    std::deque<Step> m_script;
    std::vector<std::string> m_problems;
};
