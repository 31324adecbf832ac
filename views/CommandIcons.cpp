#include "views/CommandIcons.h"

#include "views/CommandIds.h"

#include <algorithm>
#include <iterator>

// Q_INIT_RESOURCE may not stand inside a namespace. The call is also what
// pulls the icons' resource out of its static library: nothing else refers to it.
static void LoadIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace {

struct IconFile {
    int commandId;
    const char* name;
};

constexpr IconFile kIconFiles[] = {
    {ID_FILE_NEW, "file-new"},
    {ID_FILE_OPEN, "file-open"},
    {ID_FILE_SAVE, "file-save"},
    {ID_FILE_SAVE_AS, "file-save-as"},
    {ID_FILE_IMPORT, "file-import"},
    {ID_FILE_EXPORT, "file-export"},
    {ID_FILE_PRINT, "file-print"},
    {ID_FILE_PRINT_PREVIEW, "file-print-preview"},
    {ID_FILE_PAGE_SETUP, "file-page-setup"},
    {ID_FILE_PRINT_SETUP, "file-print-setup"},
    {ID_APP_EXIT, "app-exit"},
    {ID_EDIT_UNDO, "edit-undo"},
    {ID_EDIT_CUT, "edit-cut"},
    {ID_EDIT_COPY, "edit-copy"},
    {ID_EDIT_PASTE, "edit-paste"},
    {ID_EDIT_COPY_SETTINGS, "edit-copy-settings"},
    {ID_EDIT_FIND, "edit-find"},
    {ID_EDIT_OPTIONS, "edit-options"},
    {ID_CARD_NEW, "card-new"},
    {ID_CARD_DELETE, "card-delete"},
    {ID_CARD_DUPLICATES, "card-duplicates"},
    {ID_CARD_JAPANESE, "card-japanese"},
    {ID_CARD_ENGLISH, "card-english"},
    {ID_CARD_CONTACT_METHODS, "card-contact-methods"},
    {ID_VIEW_LIST, "view-list"},
    {ID_VIEW_CARD, "view-card"},
    {ID_VIEW_PREV_CARD, "view-prev-card"},
    {ID_VIEW_NEXT_CARD, "view-next-card"},
    {ID_HELP_FINDER, "help-finder"},
    {ID_APP_ABOUT, "app-about"},
};

QIcon IconFromResource(const char* name) {
    static const bool loaded = (LoadIconResource(), true);
    Q_UNUSED(loaded);
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

QIcon CommandIcon(int commandId) {
    const auto* file = std::find_if(std::begin(kIconFiles), std::end(kIconFiles),
                                    [&](const IconFile& f) { return f.commandId == commandId; });
    return file == std::end(kIconFiles) ? QIcon() : IconFromResource(file->name);
}

QIcon ProgramIcon() {
    return IconFromResource("kolvane");
}
