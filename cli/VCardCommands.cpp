// import and export of vCard files: a file whose first line is BEGIN:VCARD is
// imported as vCard (no layout), and export --vcard writes the cards as vCard.

#include "BookImport.h"
#include "CliCommands.h"
#include "CliMessages.h"
#include "ListSelection.h"

#include "model/AddrBookFile.h"
#include "transfer/VCardReader.h"
#include "transfer/VCardWriter.h"

#include <cstdio>
#include <fstream>

namespace {

// What was not kept, to standard error.
void PrintReport(const VCardReport& report) {
    const bool japanese = JapaneseMessages();
    std::string text = Format(Tr("cards read: %1\n", "%1 件のｶｰﾄﾞを読み込みました。\n"),
                              {std::to_string(report.cards)});
    for (const auto& [name, count] : report.ignored)
        text += Format(Tr("property ignored: %1 (%2)\n", "読み込まなかった項目: %1 (%2 件)\n"),
                       {name, std::to_string(count)});
    for (const VCardProblem& problem : report.problems)
        text += VCardProblemText(problem, japanese) + "\n";
    for (const VCardUnstorable& entry : report.unstorable)
        text += VCardUnstorableText(entry, japanese) + "\n";
    std::fputs(text.c_str(), stderr);
}

} // namespace

bool IsVCardImport(const Args& args) {
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            files.insert(files.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        }
        if (arg.starts_with("-") && arg != "-") {
            for (const char* valued : {"--layout", "--notation", "--encoding", "--charset"})
                if (arg == valued)
                    ++i;
            continue;
        }
        files.push_back(arg);
    }
    if (files.size() != 2 || IsStdStream(files[1]))
        return false;
    std::ifstream in(files[1], std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return LooksLikeVCard(head);
}

int RunVCardImport(const Args& args) {
    const QString value = QStringLiteral("value");
    const QCommandLineOption notationOption(QStringLiteral("notation"), QString(), value);
    const QCommandLineOption charsetOption(QStringLiteral("charset"), QString(), value);
    const QCommandLineOption dryRunOption(QStringLiteral("dry-run"));
    QCommandLineParser parser;
    if (const auto stop =
            ParseCommand("import", args, {notationOption, charsetOption, dryRunOption}, parser))
        return *stop;
    const std::vector<std::string> files = Positionals(parser);
    if (files.size() != 2)
        return UsageError("import", Tr("name the address book and the vCard file to import",
                                       "住所録とｲﾝﾎﾟｰﾄする vCard ﾌｧｲﾙを指定してください"));
    const std::string& bookPath = files[0];
    const std::string& vcfPath = files[1];
    VCardReadOptions options;
    const std::string notation = Bytes(parser.value(notationOption));
    if (notation == "ja")
        options.notation = VCardNotation::Japanese;
    else if (notation == "en")
        options.notation = VCardNotation::English;
    else if (!notation.empty() && notation != "auto")
        return UsageError("import", Format(Tr("no notation \"%1\" (auto, ja or en)",
                                              "\"%1\" という表記はありません (auto、ja か en)"),
                                           {notation}));
    const std::string charset = Bytes(parser.value(charsetOption));
    if (charset == "utf-8")
        options.charset = VCardCharset::Utf8;
    else if (charset == "cp932")
        options.charset = VCardCharset::Cp932;
    else if (!charset.empty() && charset != "auto")
        return UsageError("import", Format(Tr("no charset \"%1\" (auto, utf-8 or cp932)",
                                              "\"%1\" という文字ｺｰﾄﾞはありません (auto、utf-8 "
                                              "か cp932)"),
                                           {charset}));
    const bool dryRun = parser.isSet(dryRunOption);

    BookImport import;
    import.bookPath = bookPath;
    import.dryRun = dryRun;
    if (const int status = OpenBookForImport(import, {vcfPath}); status != EXIT_OK)
        return status;
    CAddrBook& book = import.book;
    std::string bytes;
    if (const int status = ReadInput(vcfPath, bytes); status != EXIT_OK)
        return status;
    VCardReport report;
    std::vector<std::unique_ptr<CAddrCard>> cards =
        ReadVCards(bytes, book.m_methods, options, report);
    bytes.clear();
    PrintReport(report);

    return FinishImport(import, std::move(cards));
}

int RunVCardExport(const Args& args) {
    const QCommandLineOption vcardOption(QStringLiteral("vcard"));
    const QCommandLineOption versionOption(QStringLiteral("version"), QString(),
                                           QStringLiteral("value"));
    QList<QCommandLineOption> specs = ListOptionSpecs();
    specs << vcardOption << versionOption;
    QCommandLineParser parser;
    if (const auto stop = ParseCommand("export", args, specs, parser))
        return *stop;
    const std::vector<std::string> files = Positionals(parser);
    if (files.size() != 2)
        return UsageError("export", Tr("name the address book and the vCard file to write",
                                       "住所録と書き込む vCard ﾌｧｲﾙを指定してください"));
    ListOptions options;
    options.path = files[0];
    const std::string& out = files[1];
    if (const int status = ReadSelectionOptions("export", parser, options); status != EXIT_OK)
        return status;
    const std::string versionGiven = Bytes(parser.value(versionOption));
    VCardVersion version = VCardVersion::V30;
    if (versionGiven == "2.1")
        version = VCardVersion::V21;
    else if (versionGiven == "4.0")
        version = VCardVersion::V40;
    else if (!versionGiven.empty() && versionGiven != "3.0")
        return UsageError("export", Format(Tr("no vCard version \"%1\" (2.1, 3.0 or 4.0)",
                                              "\"%1\" という vCard の版はありません (2.1、3.0 "
                                              "か 4.0)"),
                                           {versionGiven}));

    CAddrBook book;
    if (const int status = ReportFileError(LoadAddrBook(options.path.c_str(), book));
        status != EXIT_OK)
        return status;
    if (const int status = RefuseInputAsOutput(out, {options.path}); status != EXIT_OK)
        return status;
    std::vector<const CAddrCard*> cards;
    if (SelectionGiven(parser)) {
        const std::vector<CAddrCard*> selected = SelectCards(book, options);
        cards.assign(selected.begin(), selected.end());
    } else {
        for (const auto& card : book.Cards())
            cards.push_back(card.get());
    }
    if (IsStdStream(out)) {
        if (const int status = WriteStdout(WriteVCards(cards, book.m_methods, version));
            status != EXIT_OK)
            return status;
    } else {
        int written = 0;
        if (const int status = ReportFileError(
                ExportVCards(WriteTarget(out).c_str(), cards, book.m_methods, version, written));
            status != EXIT_OK)
            return status;
    }
    std::fputs(Format(Tr("cards exported: %1\n", "%1 件のｶｰﾄﾞがｴｸｽﾎﾟｰﾄされました。\n"),
                      {std::to_string(cards.size())})
                   .c_str(),
               stderr);
    return EXIT_OK;
}
