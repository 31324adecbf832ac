// labels: the cards list selects, as address labels on a page layout, to PDF.

#include "CliCommands.h"
#include "CliMessages.h"
#include "LayoutLookup.h"
#include "ListSelection.h"

#include "model/AddrBookFile.h"
#include "platform/CNumber.h"
#include "platform/CodePage.h"
#include "platform/QtSettingsStore.h"
#include "print/LabelPdf.h"
#include "print/PageLayout.h"
#include "print/PrintMessages.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// "FACE,PT" as a font description in pixels of the default printer resolution.
bool ParseFont(const std::string& text, LOGFONT& font) {
    const size_t comma = text.rfind(',');
    if (comma == std::string::npos || comma == 0)
        return false;
    const std::optional<double> points =
        cnum::ParseDouble(std::string_view(text).substr(comma + 1));
    if (!points || !(*points >= 1 && *points <= 500))
        return false;
    CString face;
    if (!cp932::FromUtf8(text.substr(0, comma), face) || face.GetLength() >= LF_FACESIZE)
        return false;
    font = LOGFONT{};
    font.lfHeight = -static_cast<LONG>(*points * kDefaultFontDpi / 72.0 + 0.5);
    font.lfWeight = 400;
    font.lfCharSet = 128;
    std::memcpy(font.lfFaceName, face.GetString(), static_cast<size_t>(face.GetLength()));
    return true;
}

// The PDF writer takes large buffers for every page and gives them back at the
// end of the page; kept by the allocator, they are not mapped and cleared
// again page after page.
void KeepFreedMemory() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
#endif
}

// The cards whose labels did not fit, on one line.
void ReportUnfit(const std::vector<const CAddrCard*>& cards) {
    if (cards.empty())
        return;
    const std::string separator = Tr(", ", "、");
    std::string names;
    for (const CAddrCard* card : cards) {
        const std::string name = cp932::ToUtf8Lossy(card->m_strName.view());
        names += (names.empty() ? "" : separator) +
                 (name.empty() ? Tr("(no name)", "(名前なし)") : name);
    }
    PrintError(Format(Tr("these labels do not fit, a part of their text is not printed: %1",
                         "次のｶｰﾄﾞはﾗﾍﾞﾙに収まらないため、文字の一部が印刷されません: %1"),
                      {names}));
}

// The PDF to standard output: written to a temporary file first, as the
// writer needs a file it can rename.
int WritePdfToStdout(const std::function<int(const std::string&)>& write) {
    std::string path = (std::filesystem::temp_directory_path() / "kolvane-cli-XXXXXX").string();
    const int fd = ::mkstemp(path.data());
    if (fd < 0)
        return ReportFileError(
            CFileError::FromCause(CFileException::OsErrorToCause(errno), errno, path, MB_ICONSTOP));
    ::close(fd);
    int status = write(path);
    if (status == EXIT_OK) {
        try {
            status = WriteStdout(ReadWholeFile(path.c_str()).Detach());
        } catch (const CFileException& e) {
            status = ReportFileError(CFileError::FromException(e, MB_ICONSTOP));
        }
    }
    std::remove(path.c_str());
    return status;
}

} // namespace

int RunLabels(const Args& args) {
    const QString value = QStringLiteral("value");
    const QCommandLineOption layoutOption(QStringLiteral("layout"), QString(), value);
    const QCommandLineOption outOption(QStringLiteral("out"), QString(), value);
    const QCommandLineOption fontJaOption(QStringLiteral("font-ja"), QString(), value);
    const QCommandLineOption fontEnOption(QStringLiteral("font-en"), QString(), value);
    const QCommandLineOption outlinesOption(QStringLiteral("outlines"));
    const QCommandLineOption offsetOption(QStringLiteral("offset"), QString(), value);
    QList<QCommandLineOption> specs = ListOptionSpecs();
    specs << layoutOption << outOption << fontJaOption << fontEnOption << outlinesOption
          << offsetOption;
    QCommandLineParser parser;
    if (const auto stop = ParseCommand("labels", args, specs, parser))
        return *stop;
    ListOptions options;
    if (const int status = ReadListOptions("labels", parser, options); status != EXIT_OK)
        return status;
    const std::string layoutGiven = Bytes(parser.value(layoutOption));
    const std::string out = Bytes(parser.value(outOption));
    if (layoutGiven.empty())
        return UsageError("labels", Tr("no page layout given (--layout NAME or FILE.KVL)",
                                       "ﾍﾟｰｼﾞﾚｲｱｳﾄがありません (--layout 名前 か ﾌｧｲﾙ.KVL)"));
    if (out.empty())
        return UsageError("labels", Tr("no output file given (--out FILE.pdf)",
                                       "出力ﾌｧｲﾙがありません (--out ﾌｧｲﾙ.pdf)"));

    // The user's print fonts, unless the command line names them.
    CQtSettingsStore settings;
    AfxSetProfile(&settings);
    CPrintFonts fonts;
    fonts.LoadFromProfile();
    AfxSetProfile(nullptr);
    const std::string fontJa = Bytes(parser.value(fontJaOption));
    const std::string fontEn = Bytes(parser.value(fontEnOption));
    if (!fontJa.empty() && !ParseFont(fontJa, fonts.m_lfJapanese))
        return UsageError("labels", Tr("--font-ja takes FACE,POINTS",
                                       "--font-ja には 書体,ﾎﾟｲﾝﾄ を指定してください"));
    if (!fontEn.empty() && !ParseFont(fontEn, fonts.m_lfEnglish))
        return UsageError("labels", Tr("--font-en takes FACE,POINTS",
                                       "--font-en には 書体,ﾎﾟｲﾝﾄ を指定してください"));
    fonts.SetMissingToDefaults(kDefaultFontDpi);
    PrintOffset offset;
    if (parser.isSet(offsetOption)) {
        const std::optional<PrintOffset> given =
            ParsePrintOffset(Bytes(parser.value(offsetOption)));
        if (!given)
            return UsageError(
                "labels", Tr("--offset takes X,Y in millimetres, each from -20 to 20",
                             "--offset には 横,縦 を -20 から 20 までの mm で指定してください"));
        offset = *given;
    }

    CAddrBook book;
    if (const int status = ReportFileError(LoadAddrBook(options.path.c_str(), book));
        status != EXIT_OK)
        return status;
    CPageLayout layout;
    std::string layoutPath;
    if (const int status = LoadNamedLayout("labels", {"page layout", "ﾍﾟｰｼﾞﾚｲｱｳﾄ"}, layoutGiven,
                                           layout, layoutPath);
        status != EXIT_OK)
        return status;
    if (const int status = RefuseInputAsOutput(out, {options.path, layoutPath}); status != EXIT_OK)
        return status;
    if (const std::optional<LayoutFault> fault = layout.Check()) {
        PrintError(layoutPath + ": " +
                   Tr(printmsg::LayoutFaultText(*fault, true).c_str(),
                      printmsg::LayoutFaultText(*fault).c_str()));
        return EXIT_FILE_ERROR;
    }

    const std::vector<CAddrCard*> selected = SelectCards(book, options);
    if (selected.empty()) {
        PrintError(Format(Tr("labels: no card to print; %1 was not written",
                             "labels: 印刷するｶｰﾄﾞがありません。%1 は書き込んでいません。"),
                          {out}));
        return EXIT_NOTHING_TO_PRINT;
    }
    const std::vector<const CAddrCard*> cards(selected.begin(), selected.end());
    std::vector<const CAddrCard*> unfit;
    KeepFreedMemory();
    const auto write = [&](const std::string& path) -> int {
        std::optional<CFileError> error;
        if (!WriteLabelsPdf(path.c_str(), cards, layout, MakeLabelFonts(fonts, kDefaultFontDpi),
                            parser.isSet(outlinesOption), &unfit, &error, offset))
            return error ? ReportFileError(error) : EXIT_FILE_ERROR;
        return EXIT_OK;
    };
    const int status = IsStdStream(out) ? WritePdfToStdout(write) : write(WriteTarget(out));
    if (status == EXIT_OK)
        ReportUnfit(unfit);
    return status;
}
