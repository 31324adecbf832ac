// labels: the cards list selects, as address labels on a page layout, to PDF.

#include "CliCommands.h"
#include "ListSelection.h"

#include "layouts/LayoutRoot.h"
#include "layouts/LayoutSet.h"
#include "model/AddrBookFile.h"
#include "platform/CodePage.h"
#include "platform/QtSettingsStore.h"
#include "print/LabelPdf.h"
#include "print/PageLayout.h"
#include "print/PrintCheck.h"
#include "zklib/ZkFile.h"

#include <QGuiApplication>
#include <QStandardPaths>

#include <cstring>

namespace {

enum : int { EXIT_NOTHING_TO_PRINT = 3 };

struct LabelsOptions {
    std::string layout;
    std::string out;
    std::string fontJa;
    std::string fontEn;
    bool outlines = false;
};

bool EndsWithNoCase(const std::string& text, const char* tail) {
    const size_t n = std::strlen(tail);
    return text.size() >= n && strncasecmp(text.c_str() + text.size() - n, tail, n) == 0;
}

// "FACE,PT" as a font description in pixels of the default printer resolution.
bool ParseFont(const std::string& text, LOGFONT& font) {
    const size_t comma = text.rfind(',');
    if (comma == std::string::npos || comma == 0)
        return false;
    char* end = nullptr;
    const double points = std::strtod(text.c_str() + comma + 1, &end);
    if (*end != '\0' || !(points >= 1 && points <= 500))
        return false;
    CString face;
    if (!cp932::FromUtf8(text.substr(0, comma), face) || face.GetLength() >= LF_FACESIZE)
        return false;
    font = LOGFONT{};
    font.lfHeight = -static_cast<LONG>(points * kDefaultFontDpi / 72.0 + 0.5);
    font.lfWeight = 400;
    font.lfCharSet = 128;
    std::memcpy(font.lfFaceName, face.GetString(), static_cast<size_t>(face.GetLength()));
    return true;
}

// The layouts sit beside the program, or in the user's data folder when the
// program's folder cannot be written.
void ChooseRoot() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/Tavrin/ｺﾙｳﾞｧﾈ");
    const CString root = ChooseLayoutRoot(FindBundledLayoutRoot(ZkFile_GetModuleDirName()),
                                          data.toLocal8Bit().constData());
    SetLayoutRoot(root);
}

// The layout named (byte for byte, in code page 932) or the file given.
int LoadLayout(const std::string& given, CPageLayout& layout) {
    if (EndsWithNoCase(given, ".kvl") || given.find('/') != std::string::npos)
        return ReportFileError(layout.Load(given.c_str()));
    CString name;
    cp932::Error error;
    if (!cp932::FromUtf8(given, name, &error)) {
        PrintError("labels: the layout name holds \"" + error.characterUtf8 +
                   "\", which code page 932 cannot hold");
        return EXIT_USAGE;
    }
    ChooseRoot();
    CLayoutSet set;
    for (const CFileError& unreadable : set.Build(layout))
        ReportFileError(unreadable);
    std::vector<const CLayoutSet::Entry*> found;
    std::string names;
    for (const auto& entry : set.Entries()) {
        if (entry.name == name)
            found.push_back(&entry);
        names += "\n  " + cp932::ToUtf8Lossy(entry.name.view());
    }
    if (found.size() != 1) {
        PrintError(
            std::string("labels: ") +
            (found.empty() ? "no page layout is named \"" : "several page layouts are named \"") +
            given + "\"; the page layouts are:" + (names.empty() ? "\n  (none)" : names));
        return EXIT_USAGE;
    }
    return ReportFileError(layout.Load(found.front()->path));
}

} // namespace

int RunLabels(const Args& args) {
    ListOptions options;
    LabelsOptions labels;
    const ExtraArgument extra = [&](const Args& a, size_t& i, int& status) {
        const std::string& arg = a[i];
        std::string* value = arg == "--layout"    ? &labels.layout
                             : arg == "--out"     ? &labels.out
                             : arg == "--font-ja" ? &labels.fontJa
                             : arg == "--font-en" ? &labels.fontEn
                                                  : nullptr;
        if (arg == "--outlines") {
            labels.outlines = true;
            return true;
        }
        if (!value)
            return false;
        if (i + 1 == a.size())
            status = UsageError("labels: " + arg + " needs a value");
        else
            *value = a[++i];
        return true;
    };
    if (const int status = ParseListArgs("labels", args, options, extra); status != EXIT_OK)
        return status;
    if (labels.layout.empty())
        return UsageError("labels: no page layout given (--layout NAME or FILE.KVL)");
    if (labels.out.empty())
        return UsageError("labels: no output file given (--out FILE.pdf)");

    // The user's print fonts, unless the command line names them.
    CQtSettingsStore settings;
    AfxSetProfile(&settings);
    CPrintFonts fonts;
    fonts.LoadFromProfile();
    AfxSetProfile(nullptr);
    if (!labels.fontJa.empty() && !ParseFont(labels.fontJa, fonts.m_lfJapanese))
        return UsageError("labels: --font-ja takes FACE,POINTS");
    if (!labels.fontEn.empty() && !ParseFont(labels.fontEn, fonts.m_lfEnglish))
        return UsageError("labels: --font-en takes FACE,POINTS");
    fonts.SetMissingToDefaults(kDefaultFontDpi);

    CAddrBook book;
    if (const int status = ReportFileError(LoadAddrBook(options.path.c_str(), book));
        status != EXIT_OK)
        return status;
    CPageLayout layout;
    if (const int status = LoadLayout(labels.layout, layout); status != EXIT_OK)
        return status;

    const std::vector<CAddrCard*> selected = SelectCards(book, options);
    if (selected.empty()) {
        PrintError("labels: no card to print; " + labels.out + " was not written");
        return EXIT_NOTHING_TO_PRINT;
    }
    const std::vector<const CAddrCard*> cards(selected.begin(), selected.end());
    std::vector<const CAddrCard*> unfit;
    if (!WriteLabelsPdf(labels.out.c_str(), cards, layout, MakeLabelFonts(fonts, kDefaultFontDpi),
                        labels.outlines, &unfit))
        return EXIT_FILE_ERROR;
    ReportUnfitLabels(unfit);
    return EXIT_OK;
}
