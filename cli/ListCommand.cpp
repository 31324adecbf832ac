// list: the cards as the card list shows them, or those of them whose postal
// code does not fit their address.

#include "CliCommands.h"
#include "ListSelection.h"

#include "doc/PostalTable.h"
#include "model/AddrBookFile.h"
#include "model/CardRules.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstdio>

namespace {

// Appends a column text on one line: tab, line breaks (CR LF, CR or LF) and the
// back slash itself are written as \t, \n and \\.
void AppendOneLine(const CString& sjis, std::string& out) {
    // Kept from text to text: a list converts three texts of every card.
    thread_local std::string utf8;
    if (!cp932::ToUtf8(sjis.view(), utf8))
        utf8 = cp932::ToUtf8Lossy(sjis.view());
    for (size_t i = 0; i < utf8.size(); ++i) {
        // Whole runs of plain characters go in at once.
        const size_t end = std::min(utf8.find_first_of("\t\r\n\\", i), utf8.size());
        out.append(utf8, i, end - i);
        if (end == utf8.size())
            break;
        i = end;
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
        default:
            out += "\\\\";
        }
    }
}

std::string OneLine(const CString& sjis) {
    std::string out;
    AppendOneLine(sjis, out);
    return out;
}

// The Japanese cards of rows the postal code check flags: name, postal code,
// address and "unknown" (no such code) or "mismatch" (another city).
int PrintPostcodeMismatches(const std::vector<CAddrCard*>& rows, int total) {
    CPostalCodeTable& table = BundledPostalTable();
    if (const int status = ReportFileError(table.Load()); status != EXIT_OK)
        return status;
    std::string out;
    size_t flagged = 0;
    for (const CAddrCard* card : rows) {
        if (card->m_nNotation != NOTATION_JAPANESE)
            continue;
        const auto check = table.CheckAddress(card->m_strZip.view(), card->m_strAddress.view());
        if (check != CPostalCodeTable::Check::kUnknown &&
            check != CPostalCodeTable::Check::kMismatch)
            continue;
        ++flagged;
        out += OneLine(card->m_strName) + '\t' + OneLine(card->m_strZip) + '\t' +
               OneLine(card->m_strAddress) + '\t' +
               (check == CPostalCodeTable::Check::kUnknown ? "unknown" : "mismatch") + '\n';
    }
    if (const int status = WriteStdout(out); status != EXIT_OK)
        return status;
    std::fprintf(stderr, "%zu / %d\n", flagged, total);
    return EXIT_OK;
}

} // namespace

int RunList(const Args& args) {
    QCommandLineParser parser;
    const QCommandLineOption mismatch(QStringLiteral("postcode-mismatch"));
    if (const auto stop = ParseCommand("list", args, ListOptionSpecs() << mismatch, parser))
        return *stop;
    ListOptions options;
    if (const int status = ReadListOptions("list", parser, options); status != EXIT_OK)
        return status;
    CAddrBook& book = BookOfTheRun();
    if (const int status = ReportFileError(LoadAddrBook(options.path.c_str(), book));
        status != EXIT_OK)
        return status;

    const std::vector<CAddrCard*> rows = SelectCards(book, options);
    if (parser.isSet(mismatch))
        return PrintPostcodeMismatches(rows, book.GetCount());
    std::string out;
    for (const CAddrCard* card : rows) {
        AppendOneLine(ColumnText(*card, COLUMN_NAME), out);
        out += '\t';
        AppendOneLine(ColumnText(*card, COLUMN_COMPANY), out);
        out += '\t';
        AppendOneLine(ColumnText(*card, COLUMN_CONTACT), out);
        out += '\n';
    }
    if (const int status = WriteStdout(out); status != EXIT_OK)
        return status;
    // The count goes apart from the rows, so that counting lines counts cards.
    std::fprintf(stderr, "%zu / %d\n", rows.size(), book.GetCount());
    return EXIT_OK;
}
