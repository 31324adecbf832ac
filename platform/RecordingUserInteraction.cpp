#include "platform/RecordingUserInteraction.h"

RecordingUserInteraction::RecordingUserInteraction() {
    AfxSetUserInteraction(this);
}

RecordingUserInteraction::~RecordingUserInteraction() {
    AfxSetUserInteraction(nullptr);
}

RecordingUserInteraction& RecordingUserInteraction::ExpectMessage(std::string text, int answer) {
    Step step;
    step.kind = Kind::message;
    step.checkText = true;
    step.text = std::move(text);
    step.answer = answer;
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::AnswerMessage(int answer) {
    Step step;
    step.kind = Kind::message;
    step.answer = answer;
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::PickFile(std::string path) {
    Step step;
    step.kind = Kind::file;
    step.answer = IDOK;
    step.file = std::move(path);
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::CancelFilePrompt() {
    Step step;
    step.kind = Kind::file;
    step.answer = IDCANCEL;
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::ChoosePrint(PrintChoice choice) {
    Step step;
    step.kind = Kind::print;
    step.answer = IDOK;
    step.print = std::move(choice);
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::CancelPrint() {
    Step step;
    step.kind = Kind::print;
    step.answer = IDCANCEL;
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::ChooseFont(const LOGFONT& font) {
    Step step;
    step.kind = Kind::font;
    step.answer = IDOK;
    step.font = font;
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::CancelFont() {
    Step step;
    step.kind = Kind::font;
    step.answer = IDCANCEL;
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::ChooseColor(COLORREF color) {
    Step step;
    step.kind = Kind::color;
    step.color = color;
    m_script.push_back(step);
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::CancelColor() {
    Step step;
    step.kind = Kind::color;
    m_script.push_back(std::move(step));
    return *this;
}

RecordingUserInteraction& RecordingUserInteraction::AnswerPrinterSetup(bool ok) {
    Step step;
    step.kind = Kind::printerSetup;
    step.answer = ok ? IDOK : IDCANCEL;
    m_script.push_back(std::move(step));
    return *this;
}

std::optional<RecordingUserInteraction::Step>
RecordingUserInteraction::Take(Kind kind, const std::string& shown) {
    if (m_script.empty() || m_script.front().kind != kind) {
        m_problems.push_back("unexpected " + shown);
        return std::nullopt;
    }
    Step step = std::move(m_script.front());
    m_script.pop_front();
    return step;
}

int RecordingUserInteraction::MessageBox(const std::string& text, UINT type) {
    messages.push_back({text, type});
    const std::optional<Step> step = Take(Kind::message, "message: " + text);
    if (!step)
        return DefaultAnswer(type);
    if (step->checkText && step->text != text)
        m_problems.push_back("message differs:\n  expected: " + step->text +
                             "\n  shown:    " + text);
    return step->answer;
}

std::optional<std::string> RecordingUserInteraction::PromptFileName(const FilePrompt& prompt) {
    prompts.push_back(prompt);
    const std::optional<Step> step = Take(Kind::file, "file prompt: " + prompt.title);
    return step ? step->file : std::nullopt;
}

std::optional<PrintChoice> RecordingUserInteraction::PromptPrint(const PrintPrompt& prompt) {
    printPrompts.push_back(prompt);
    const std::optional<Step> step = Take(Kind::print, "print dialog");
    return step ? step->print : std::nullopt;
}

bool RecordingUserInteraction::PromptPrinterSetup() {
    ++printerSetups;
    const std::optional<Step> step = Take(Kind::printerSetup, "printer setup dialog");
    return step && step->answer == IDOK;
}

std::optional<LOGFONT> RecordingUserInteraction::PromptFont(const LOGFONT& font, int) {
    fontPrompts.push_back(font);
    const std::optional<Step> step = Take(Kind::font, "font dialog");
    return step ? step->font : std::nullopt;
}

std::optional<COLORREF> RecordingUserInteraction::PromptColor(COLORREF color) {
    colorPrompts.push_back(color);
    const std::optional<Step> step = Take(Kind::color, "colour chooser");
    return step ? step->color : std::nullopt;
}

std::string RecordingUserInteraction::Problems() const {
    std::string out;
    for (const auto& p : m_problems)
        out += p + "\n";
    for (const auto& step : m_script) {
        switch (step.kind) {
        case Kind::message:
            out += "message never shown: " + step.text + "\n";
            break;
        case Kind::file:
            out += "file prompt never shown\n";
            break;
        case Kind::print:
            out += "print dialog never shown\n";
            break;
        case Kind::printerSetup:
            out += "printer setup dialog never shown\n";
            break;
        case Kind::font:
            out += "font dialog never shown\n";
            break;
        case Kind::color:
            out += "colour chooser never shown\n";
            break;
        }
    }
    return out;
}

void RecordingUserInteraction::Clear() {
    messages.clear();
    prompts.clear();
    printPrompts.clear();
    printerSetups = 0;
    fontPrompts.clear();
    colorPrompts.clear();
    m_script.clear();
    m_problems.clear();
}
