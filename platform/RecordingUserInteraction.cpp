#include "platform/RecordingUserInteraction.h"

RecordingUserInteraction::RecordingUserInteraction() {
    AfxSetUserInteraction(this);
}

RecordingUserInteraction::~RecordingUserInteraction() {
    AfxSetUserInteraction(nullptr);
}

RecordingUserInteraction& RecordingUserInteraction::ExpectMessage(std::string text, int answer) {
    m_script.push_back({true, true, std::move(text), answer, std::nullopt});
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::AnswerMessage(int answer) {
    m_script.push_back({true, false, {}, answer, std::nullopt});
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::PickFile(std::string path) {
    m_script.push_back({false, false, {}, IDOK, std::move(path)});
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::CancelFilePrompt() {
    m_script.push_back({false, false, {}, IDCANCEL, std::nullopt});
    return *this;
}

int RecordingUserInteraction::MessageBox(const std::string& text, UINT type) {
    messages.push_back({text, type});
    if (m_script.empty() || !m_script.front().isMessage) {
        m_problems.push_back("unexpected message: " + text);
        return DefaultAnswer(type);
    }
    Step step = std::move(m_script.front());
    m_script.pop_front();
    if (step.checkText && step.text != text)
        m_problems.push_back("message differs:\n  expected: " + step.text +
                             "\n  shown:    " + text);
    return step.answer;
}

std::optional<std::string> RecordingUserInteraction::PromptFileName(const FilePrompt& prompt) {
    prompts.push_back(prompt);
    if (m_script.empty() || m_script.front().isMessage) {
        m_problems.push_back("unexpected file prompt: " + prompt.title);
        return std::nullopt;
    }
    Step step = std::move(m_script.front());
    m_script.pop_front();
    return step.file;
}

std::string RecordingUserInteraction::Problems() const {
    std::string out;
    for (const auto& p : m_problems)
        out += p + "\n";
    for (const auto& step : m_script)
        out += step.isMessage ? "message never shown: " + step.text + "\n"
                              : std::string("file prompt never shown\n");
    return out;
}

void RecordingUserInteraction::Clear() {
    messages.clear();
    prompts.clear();
    m_script.clear();
    m_problems.clear();
}
