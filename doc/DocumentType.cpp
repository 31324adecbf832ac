#include "doc/DocumentType.h"

#include "res/AppStrings.h"

namespace {

constexpr UINT IDR_MAINFRAME = 128;

} // namespace

std::string DocumentString(DocumentField field) {
    const std::string text = LoadAppStringUtf8(IDR_MAINFRAME);
    size_t start = 0;
    for (int i = 0; i < field; ++i) {
        start = text.find('\n', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return text.substr(start, text.find('\n', start) - start);
}

FilePrompt DocumentFilePrompt(std::string title, bool open) {
    FilePrompt prompt;
    prompt.open = open;
    prompt.title = std::move(title);
    const std::string ext = DocumentString(DOC_FILTER_EXT);
    prompt.filter = DocumentString(DOC_FILTER_NAME) + "|*" + ext + "|";
    prompt.defaultExt = ext.size() > 1 ? ext.substr(1) : std::string();
    return prompt;
}
