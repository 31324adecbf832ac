#include "ListSelection.h"

#include "model/CardFilter.h"
#include "model/CardRules.h"
#include "platform/CodePage.h"

int ParseListArgs(const char* command, const Args& args, ListOptions& options,
                  const ExtraArgument& extra) {
    const std::string prefix = std::string(command) + ": ";
    options.filter = FILTER_ALL;
    bool duplicates = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--search" || arg == "--index" || arg == "--sort";
        if (takesValue && i + 1 == args.size())
            return UsageError(prefix + arg + " needs a value");
        if (arg == "--search") {
            cp932::Error error;
            if (!cp932::FromUtf8(args[++i], options.search, &error))
                return UsageError(prefix + "the search text holds \"" + error.characterUtf8 +
                                  "\", which code page 932 cannot hold");
        } else if (arg == "--index") {
            std::string face = args[++i];
            if (face.size() == 1 && face[0] >= 'a' && face[0] <= 'z')
                face[0] = static_cast<char>(face[0] - 'a' + 'A');
            options.filter = FilterOfFace(face);
            if (options.filter < 0)
                return UsageError(prefix + "no index \"" + args[i] + "\"");
        } else if (arg == "--sort") {
            const std::string& key = args[++i];
            if (key == "name")
                options.sortKey = 1;
            else if (key == "company")
                options.sortKey = 2;
            else if (key == "contact")
                options.sortKey = 3;
            else
                return UsageError(prefix + "cannot sort by \"" + key + "\"");
        } else if (arg == "--duplicates") {
            duplicates = true;
        } else if (arg == "--desc") {
            options.descending = true;
        } else if (arg == "--match-case") {
            options.matchCase = true;
        } else if (!arg.starts_with("--") && options.path.empty()) {
            options.path = arg;
        } else {
            int status = EXIT_OK;
            const bool taken = extra && extra(args, i, status);
            if (status != EXIT_OK)
                return status;
            if (!taken)
                return UsageError(prefix + "unexpected argument \"" + arg + "\"");
        }
    }
    if (options.path.empty())
        return UsageError(prefix + "no file named");
    if (duplicates)
        options.filter = FILTER_DUPLICATES;
    return EXIT_OK;
}

std::vector<CAddrCard*> SelectCards(const CAddrBook& book, const ListOptions& options) {
    CCardFilter filter;
    filter.SetFilter(options.filter);
    filter.SetMatchCase(options.matchCase);
    filter.SetSearchText(options.search);
    filter.SetSortKey(options.descending ? -options.sortKey : options.sortKey);
    return filter.List(book);
}
