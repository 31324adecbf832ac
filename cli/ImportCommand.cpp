// import: the records of a CSV file as new cards through an import layout,
// appended to a book and saved with the program's backups. The book changes
// wholly or not at all.

#include "BookImport.h"
#include "CliCommands.h"
#include "CliMessages.h"
#include "LayoutLookup.h"

#include "platform/CodePage.h"
#include "transfer/ColumnTitles.h"
#include "transfer/CsvImportFile.h"
#include "transfer/ImportLayout.h"

#include <cstdio>

namespace {

// The reader's refusal in the run's language; the program's own text in Japanese.
std::string ReadRefusal(const CCsvImportFile& csv, const CFileError& error,
                        const std::string& name) {
    if (JapaneseMessages() || csv.m_refusal == CsvRefusal::None)
        return FileErrorText(error);
    const std::string line = std::to_string(csv.m_nRefusedLine);
    switch (csv.m_refusal) {
    case CsvRefusal::Utf16:
        return Format("%1: written in UTF-16, which cannot be imported; save it as Shift_JIS or "
                      "UTF-8",
                      {name});
    case CsvRefusal::BadByte:
        return Format(csv.m_refusedAs == CsvEncoding::Utf8 ? "%1: line %2 holds a byte that is "
                                                             "no UTF-8 character"
                      : csv.m_refusedAs == CsvEncoding::ShiftJis
                          ? "%1: line %2 holds a byte that is no Shift_JIS character"
                          : "%1: line %2 holds a byte that is neither Shift_JIS nor UTF-8",
                      {name, line});
    default:
        return Format("%1: the quote (\") opened on line %2 is never closed", {name, line});
    }
}

} // namespace

int RunImport(const Args& args) {
    if (IsVCardImport(args))
        return RunVCardImport(args);
    const QString value = QStringLiteral("value");
    const QCommandLineOption layoutOption(QStringLiteral("layout"), QString(), value);
    const QCommandLineOption notationOption(QStringLiteral("notation"), QString(), value);
    const QCommandLineOption encodingOption(QStringLiteral("encoding"), QString(), value);
    const QCommandLineOption skipFirstOption(QStringLiteral("skip-first"));
    const QCommandLineOption dryRunOption(QStringLiteral("dry-run"));
    QCommandLineParser parser;
    if (const auto stop = ParseCommand(
            "import", args,
            {layoutOption, notationOption, encodingOption, skipFirstOption, dryRunOption}, parser))
        return *stop;
    const std::vector<std::string> files = Positionals(parser);
    if (files.size() != 2)
        return UsageError("import", Tr("name the address book and the CSV file to import",
                                       "住所録とｲﾝﾎﾟｰﾄする CSV ﾌｧｲﾙを指定してください"));
    const std::string& bookPath = files[0];
    const std::string& csvPath = files[1];
    const std::string layoutGiven = Bytes(parser.value(layoutOption));
    const std::string notation = Bytes(parser.value(notationOption));
    if (!notation.empty() && notation != "ja" && notation != "en")
        return UsageError("import", Format(Tr("no notation \"%1\" (ja or en)",
                                              "\"%1\" という表記はありません (ja か en)"),
                                           {notation}));
    const std::string encodingGiven = Bytes(parser.value(encodingOption));
    CsvEncoding encoding = CsvEncoding::Auto;
    if (encodingGiven == "cp932")
        encoding = CsvEncoding::ShiftJis;
    else if (encodingGiven == "utf-8")
        encoding = CsvEncoding::Utf8;
    else if (!encodingGiven.empty() && encodingGiven != "auto")
        return UsageError("import", Format(Tr("no encoding \"%1\" (auto, cp932 or utf-8)",
                                              "\"%1\" という文字ｺｰﾄﾞはありません (auto、cp932 "
                                              "か utf-8)"),
                                           {encodingGiven}));
    const bool dryRun = parser.isSet(dryRunOption);
    if (IsStdStream(bookPath))
        return UsageError("import",
                          Tr("the address book must be a file", "住所録はﾌｧｲﾙで指定してください"));

    CImportLayout layout;
    std::string layoutPath;
    if (!layoutGiven.empty()) {
        if (const int status = LoadNamedLayout("import", {"import layout", "ｲﾝﾎﾟｰﾄ ﾚｲｱｳﾄ"},
                                               layoutGiven, layout, layoutPath);
            status != EXIT_OK)
            return status;
    }
    layout.SetNotation(notation == "en" ? NOTATION_ENGLISH : NOTATION_JAPANESE);

    BookImport import;
    import.bookPath = bookPath;
    import.dryRun = dryRun;
    if (const int status = OpenBookForImport(import, {csvPath, layoutPath}); status != EXIT_OK)
        return status;
    CAddrBook& book = import.book;

    std::string bytes;
    if (const int status = ReadInput(csvPath, bytes); status != EXIT_OK)
        return status;
    const std::string csvName = IsStdStream(csvPath) ? Tr("standard input", "標準入力") : csvPath;
    CCsvImportFile csv;
    if (const std::optional<CFileError> error =
            csv.ReadBytes(std::move(bytes), csvName, encoding)) {
        PrintError(ReadRefusal(csv, *error, csvName) +
                   Tr("; nothing was imported", "\n何もｲﾝﾎﾟｰﾄしていません。"));
        return EXIT_FILE_ERROR;
    }

    size_t first = parser.isSet(skipFirstOption) ? 1 : 0;
    if (layoutGiven.empty()) {
        std::optional<ColumnTitleMap> titles;
        if (!csv.m_records.empty()) {
            const std::span<const std::string_view> cells = csv.m_records.front().fields;
            titles = MapColumnTitles(std::vector<CString>(cells.begin(), cells.end()));
        }
        if (!titles)
            return UsageError("import",
                              Format(Tr("no import layout given (--layout NAME or FILE.KVI), and "
                                        "the first record of %1 holds no column titles",
                                        "ｲﾝﾎﾟｰﾄ ﾚｲｱｳﾄがなく (--layout 名前 か ﾌｧｲﾙ.KVI)、%1 "
                                        "の 1 行目は列見出しではありません"),
                                     {csvName}));
        layout.SetColumnCount(static_cast<int>(titles->fields.size()));
        for (size_t column = 0; column < titles->fields.size(); ++column)
            layout.SetColumnField(static_cast<int>(column), titles->fields[column]);
        first = 1;
        const std::string name = cp932::ToUtf8Lossy(titles->layoutName.view());
        std::fputs((name.empty()
                        ? Tr("columns mapped by the titles of the first record\n",
                             "1 行目の列見出しで列を対応づけました。\n")
                        : Format(Tr("columns mapped by the titles of the first record "
                                    "(layout \"%1\")\n",
                                    "1 行目の列見出しで列を対応づけました (ﾚｲｱｳﾄ \"%1\")。\n"),
                                 {name}))
                       .c_str(),
                   stderr);
    }

    std::vector<std::unique_ptr<CAddrCard>> cards;
    for (size_t i = first; i < csv.m_records.size(); ++i) {
        const CsvImportRecord& record = csv.m_records[i];
        if (record.blank)
            continue;
        if (record.unstorableColumn != 0) {
            PrintError(Format(Tr("%1: row %2, column %3 holds \"%4\", which code page 932 cannot "
                                 "hold; nothing was imported",
                                 "%1: %2 行目の %3 列目の \"%4\" はｺｰﾄﾞﾍﾟｰｼﾞ 932 にない文字です。"
                                 "何もｲﾝﾎﾟｰﾄしていません。"),
                              {csvName, std::to_string(i + 1),
                               std::to_string(record.unstorableColumn), record.unstorable}));
            return EXIT_FILE_ERROR;
        }
        cards.push_back(layout.MakeCard(record.fields, book.m_methods));
    }
    csv.Clear();

    return FinishImport(import, std::move(cards));
}
