#include "views/dialogs/LayoutDialogs.h"

#include "platform/UserInteraction.h"
#include "res/AppStrings.h"

namespace {

constexpr UINT IDS_TEXT_FILES = 148; // then the CSV files' and all files' filters

} // namespace

bool AskAndRemoveLayout(CLayoutSet& set, int entry) {
    if (entry < 0 || AfxMessageBox(set.RemoveQuestion(entry), MB_ICONQUESTION | MB_YESNO) != IDYES)
        return false;
    if (const std::optional<CFileError> error = set.Remove(entry)) {
        error->Show();
        return false;
    }
    return true;
}

std::string CsvFileFilter() {
    std::string filter;
    for (UINT id = IDS_TEXT_FILES; id < IDS_TEXT_FILES + 3; ++id)
        filter += LoadAppStringUtf8(id);
    return filter + '|';
}
