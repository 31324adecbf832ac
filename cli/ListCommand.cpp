// list: the cards as the card list shows them.

#include "CliCommands.h"
#include "ListSelection.h"

#include "model/AddrBookFile.h"
#include "model/CardRules.h"
#include "platform/CodePage.h"

#include <cstdio>

namespace {

// A column text on one line: tab, line breaks (CR LF, CR or LF) and the back
// slash itself are written as \t, \n and \\.
std::string OneLine(const CString& sjis) {
    const std::string utf8 = cp932::ToUtf8Lossy(sjis.view());
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        switch (utf8[i]) {
        case '\t':
            out += "\\t";
            break;
        case '\r':
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            out += "\\n";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += utf8[i];
        }
    }
    return out;
}

} // namespace

int RunList(const Args& args) {
    QCommandLineParser parser;
    if (const auto stop = ParseCommand("list", args, ListOptionSpecs(), parser))
        return *stop;
    ListOptions options;
    if (const int status = ReadListOptions("list", parser, options); status != EXIT_OK)
        return status;
    CAddrBook book;
    if (const int status = ReportFileError(LoadAddrBook(options.path.c_str(), book));
        status != EXIT_OK)
        return status;

    const std::vector<CAddrCard*> rows = SelectCards(book, options);
    std::string out;
    for (const CAddrCard* card : rows) {
        out += OneLine(ColumnText(*card, COLUMN_NAME)) + '\t' +
               OneLine(ColumnText(*card, COLUMN_COMPANY)) + '\t' +
               OneLine(ColumnText(*card, COLUMN_CONTACT)) + '\n';
    }
    if (const int status = WriteStdout(out); status != EXIT_OK)
        return status;
    // The count goes apart from the rows, so that counting lines counts cards.
    std::fprintf(stderr, "%zu / %d\n", rows.size(), book.GetCount());
    return EXIT_OK;
}
