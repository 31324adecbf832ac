// list: the cards as the card list shows them.

#include "CliCommands.h"

#include "model/AddrBookFile.h"
#include "model/CardFilter.h"
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

struct ListOptions {
    std::string path;
    CString search;
    int filter = FILTER_ALL;
    int sortKey = 1;
    bool descending = false;
    bool matchCase = false;
};

// Returns EXIT_OK, or the status of the usage error it printed.
int ParseListArgs(const Args& args, ListOptions& options) {
    bool duplicates = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--search" || arg == "--index" || arg == "--sort";
        if (takesValue && i + 1 == args.size())
            return UsageError("list: " + arg + " needs a value");
        if (arg == "--search") {
            cp932::Error error;
            if (!cp932::FromUtf8(args[++i], options.search, &error))
                return UsageError("list: the search text holds \"" + error.characterUtf8 +
                                  "\", which code page 932 cannot hold");
        } else if (arg == "--index") {
            std::string face = args[++i];
            if (face.size() == 1 && face[0] >= 'a' && face[0] <= 'z')
                face[0] = static_cast<char>(face[0] - 'a' + 'A');
            options.filter = FilterOfFace(face);
            if (options.filter < 0)
                return UsageError("list: no index \"" + args[i] + "\"");
        } else if (arg == "--sort") {
            const std::string& key = args[++i];
            if (key == "name")
                options.sortKey = 1;
            else if (key == "company")
                options.sortKey = 2;
            else if (key == "contact")
                options.sortKey = 3;
            else
                return UsageError("list: cannot sort by \"" + key + "\"");
        } else if (arg == "--duplicates") {
            duplicates = true;
        } else if (arg == "--desc") {
            options.descending = true;
        } else if (arg == "--match-case") {
            options.matchCase = true;
        } else if (!arg.starts_with("--") && options.path.empty()) {
            options.path = arg;
        } else {
            return UsageError("list: unexpected argument \"" + arg + "\"");
        }
    }
    if (options.path.empty())
        return UsageError("list: no file named");
    if (duplicates)
        options.filter = FILTER_DUPLICATES;
    return EXIT_OK;
}

} // namespace

int RunList(const Args& args) {
    ListOptions options;
    if (const int status = ParseListArgs(args, options); status != EXIT_OK)
        return status;
    CAddrBook book;
    if (!LoadAddrBook(options.path.c_str(), book))
        return EXIT_FILE_ERROR;

    CCardFilter filter;
    filter.SetFilter(options.filter);
    filter.SetMatchCase(options.matchCase);
    filter.SetSearchText(options.search);
    filter.SetSortKey(options.descending ? -options.sortKey : options.sortKey);
    const std::vector<CAddrCard*>& rows = filter.List(book);

    std::string out;
    for (const CAddrCard* card : rows) {
        out += OneLine(ColumnText(*card, COLUMN_NAME)) + '\t' +
               OneLine(ColumnText(*card, COLUMN_COMPANY)) + '\t' +
               OneLine(ColumnText(*card, COLUMN_CONTACT)) + '\n';
    }
    out += std::to_string(rows.size()) + " / " + std::to_string(book.GetCount()) + "\n";
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        PrintError("cannot write to standard output");
        return EXIT_FILE_ERROR;
    }
    return EXIT_OK;
}
