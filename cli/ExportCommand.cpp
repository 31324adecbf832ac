// export: cards as CSV lines through an export layout, as the program's
// export writes them.

#include "CliCommands.h"
#include "CliMessages.h"
#include "LayoutLookup.h"
#include "ListSelection.h"

#include "model/AddrBookFile.h"
#include "transfer/CsvExportRun.h"

#include <algorithm>
#include <cstdio>

int RunExport(const Args& args) {
    if (std::find(args.begin(), args.end(), "--vcard") != args.end())
        return RunVCardExport(args);
    const QCommandLineOption layoutOption(QStringLiteral("layout"), QString(),
                                          QStringLiteral("value"));
    const QCommandLineOption convCrOption(QStringLiteral("conv-cr"));
    QList<QCommandLineOption> specs = ListOptionSpecs();
    specs << layoutOption << convCrOption;
    QCommandLineParser parser;
    if (const auto stop = ParseCommand("export", args, specs, parser))
        return *stop;
    const std::vector<std::string> files = Positionals(parser);
    if (files.size() != 2)
        return UsageError("export", Tr("name the address book and the CSV file to write",
                                       "住所録と書き込む CSV ﾌｧｲﾙを指定してください"));
    ListOptions options;
    options.path = files[0];
    const std::string& out = files[1];
    if (const int status = ReadSelectionOptions("export", parser, options); status != EXIT_OK)
        return status;
    const std::string layoutGiven = Bytes(parser.value(layoutOption));
    if (layoutGiven.empty())
        return UsageError("export", Tr("no export layout given (--layout NAME or FILE.KVE)",
                                       "ｴｸｽﾎﾟｰﾄ ﾚｲｱｳﾄがありません (--layout 名前 か ﾌｧｲﾙ.KVE)"));

    CAddrBook book;
    if (const int status = ReportFileError(LoadAddrBook(options.path.c_str(), book));
        status != EXIT_OK)
        return status;
    CExportLayout layout;
    std::string layoutPath;
    if (const int status = LoadNamedLayout("export", {"export layout", "ｴｸｽﾎﾟｰﾄ ﾚｲｱｳﾄ"},
                                           layoutGiven, layout, layoutPath);
        status != EXIT_OK)
        return status;
    if (const int status = RefuseInputAsOutput(out, {options.path, layoutPath}); status != EXIT_OK)
        return status;
    layout.SetConvCR(parser.isSet(convCrOption) ? 1 : 0);

    // Book order unless the list's selection is asked for.
    std::vector<const CAddrCard*> cards;
    if (SelectionGiven(parser)) {
        const std::vector<CAddrCard*> selected = SelectCards(book, options);
        cards.assign(selected.begin(), selected.end());
    } else {
        for (const auto& card : book.Cards())
            cards.push_back(card.get());
    }
    if (IsStdStream(out)) {
        CMemFile image(std::string(), out);
        WriteExportLines(&image, cards, layout);
        if (const int status = WriteStdout(image.Data()); status != EXIT_OK)
            return status;
    } else {
        int written = 0;
        if (const int status =
                ReportFileError(ExportCards(WriteTarget(out).c_str(), cards, layout, written));
            status != EXIT_OK)
            return status;
    }
    std::fputs(Format(Tr("cards exported: %1\n", "%1 件のｶｰﾄﾞがｴｸｽﾎﾟｰﾄされました。\n"),
                      {std::to_string(cards.size())})
                   .c_str(),
               stderr);
    return EXIT_OK;
}
