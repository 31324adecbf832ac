#include "platform/UserInteraction.h"

#include "platform/CodePage.h"

#include <cstdio>

namespace {

class ConsoleUserInteraction final : public IUserInteraction {
public:
    int MessageBox(const std::string& text, UINT type) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return DefaultAnswer(type);
    }
    std::optional<std::string> PromptFileName(const FilePrompt&) override { return std::nullopt; }
};

ConsoleUserInteraction g_console;
IUserInteraction* g_service = &g_console;

} // namespace

IUserInteraction& AfxGetUserInteraction() {
    return *g_service;
}

void AfxSetUserInteraction(IUserInteraction* service) {
    g_service = service ? service : &g_console;
}

int DefaultAnswer(UINT type) {
    static const int buttons[][3] = {
        {IDOK, IDOK, IDOK},      {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
    };
    const UINT kind = type & MB_TYPEMASK;
    const UINT def = (type & MB_DEFMASK) >> 8;
    if (kind >= std::size(buttons) || def > 2)
        return IDOK;
    return buttons[kind][def];
}

UINT WithDefaultIcon(UINT type) {
    return (type & MB_ICONMASK) ? type : type | MB_ICONEXCLAMATION;
}

int AfxMessageBoxUtf8(const std::string& text, UINT type) {
    return g_service->MessageBox(text, WithDefaultIcon(type));
}

int AfxMessageBox(const CString& text, UINT type) {
    return AfxMessageBoxUtf8(cp932::ToUtf8Lossy(text.view()), type);
}
