// postcode: the rows of a postal code in the bundled table.

#include "CliCommands.h"
#include "CliMessages.h"

#include "doc/PostalTable.h"
#include "platform/CodePage.h"

#include <cstdio>

int RunPostcode(const Args& args) {
    QCommandLineParser parser;
    if (const auto stop = ParseCommand("postcode", args, {}, parser))
        return *stop;
    const std::vector<std::string> codes = Positionals(parser);
    if (codes.size() != 1)
        return UsageError("postcode",
                          Tr("name one postal code", "郵便番号を 1 つ指定してください"));
    CString typed;
    if (!cp932::FromUtf8(codes[0], typed) || NormalizePostalCode(typed.view()).empty())
        return UsageError("postcode", Format(Tr("\"%1\" is not a postal code of 7 digits",
                                                "\"%1\" は 7 桁の郵便番号ではありません"),
                                             {codes[0]}));
    CPostalCodeTable& table = BundledPostalTable();
    if (const int status = ReportFileError(table.Load()); status != EXIT_OK)
        return status;
    const std::string code = NormalizePostalCode(typed.view());
    const std::vector<CPostalRow> rows = table.Find(code);
    if (rows.empty()) {
        PrintError(Format(Tr("no address has the postal code %1", "郵便番号 %1 の住所はありません"),
                          {code}));
        return EXIT_NOTHING_TO_PRINT;
    }
    std::string out;
    for (const CPostalRow& row : rows) {
        out += code;
        for (const CString* field : {&row.strPrefecture, &row.strCity, &row.strTown})
            out += '\t' + cp932::ToUtf8Lossy(field->view());
        if (!row.strBlock.IsEmpty() || !row.strOffice.IsEmpty())
            for (const CString* field : {&row.strBlock, &row.strOffice})
                out += '\t' + cp932::ToUtf8Lossy(field->view());
        out += '\n';
    }
    return WriteStdout(out);
}
