#include "LayoutLookup.h"

#include "CliCommands.h"
#include "CliMessages.h"

#include "doc/LayoutFolders.h"
#include "layouts/LayoutSet.h"
#include "platform/CodePage.h"
#include "zklib/ZkFile.h"

#include <cstring>
#include <strings.h>

namespace {

bool IsLayoutFile(const std::string& given, const char* extension) {
    const size_t n = std::strlen(extension);
    return given.find('/') != std::string::npos ||
           (given.size() > n && given[given.size() - n - 1] == '.' &&
            strcasecmp(given.c_str() + given.size() - n, extension) == 0);
}

} // namespace

int LoadNamedLayout(const char* command, const LayoutKind& kind, const std::string& given,
                    CLayout& layout, std::string& path) {
    if (IsLayoutFile(given, layout.GetExtension())) {
        path = given;
        return ReportFileError(layout.Load(given.c_str()));
    }
    CString name;
    cp932::Error error;
    if (!cp932::FromUtf8(given, name, &error))
        return UsageError(command, Format(Tr("the layout name holds \"%1\", which code page 932 "
                                             "cannot hold",
                                             "ﾚｲｱｳﾄ名の \"%1\" はｺｰﾄﾞﾍﾟｰｼﾞ 932 にない文字です"),
                                          {error.characterUtf8}));
    // The layouts sit beside the program, or in the user's data folder when
    // the program's folder cannot be written.
    ChooseLayoutFolders(ZkFile_GetModuleDirName().str());
    CLayoutSet set;
    for (const CFileError& unreadable : set.Build(layout))
        ReportFileError(unreadable);
    std::vector<const CLayoutSet::Entry*> found, exact;
    std::string names;
    for (const auto& entry : set.Entries()) {
        if (entry.name.CompareNoCase(name) == 0) {
            found.push_back(&entry);
            if (entry.name == name)
                exact.push_back(&entry);
        }
        names += "\n  ";
        names += cp932::ToUtf8Lossy(entry.name.view());
    }
    if (found.size() > 1 && exact.size() == 1)
        found = exact;
    if (found.size() != 1) {
        const std::string problem = found.empty()
                                        ? Tr("no %2 is named \"%1\"; the %2s are:",
                                             "\"%1\" という%2はありません。%2は次のとおりです:")
                                        : Tr("several %2s are named \"%1\"; the %2s are:",
                                             "\"%1\" という%2が複数あります。%2は次のとおりです:");
        PrintError(std::string(command) + ": " +
                   Format(problem, {given, Tr(kind.english, kind.japanese)}) +
                   (names.empty() ? Tr("\n  (none)", "\n  (なし)") : names));
        return EXIT_USAGE;
    }
    path = found.front()->path.str();
    return ReportFileError(layout.Load(found.front()->path));
}
