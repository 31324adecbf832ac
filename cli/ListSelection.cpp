#include "ListSelection.h"

#include "CliMessages.h"

#include "model/CardFilter.h"
#include "model/CardRules.h"
#include "platform/CodePage.h"

QList<QCommandLineOption> ListOptionSpecs() {
    const QString value = QStringLiteral("value");
    return {QCommandLineOption(QStringLiteral("search"), QString(), value),
            QCommandLineOption(QStringLiteral("index"), QString(), value),
            QCommandLineOption(QStringLiteral("sort"), QString(), value),
            QCommandLineOption(QStringLiteral("duplicates")),
            QCommandLineOption(QStringLiteral("desc")),
            QCommandLineOption(QStringLiteral("match-case"))};
}

int ReadListOptions(const char* command, const QCommandLineParser& parser, ListOptions& options) {
    const std::vector<std::string> files = Positionals(parser);
    if (files.size() != 1)
        return UsageError(command, Tr("name one address book", "住所録を 1 つ指定してください"));
    options.path = files[0];
    return ReadSelectionOptions(command, parser, options);
}

bool SelectionGiven(const QCommandLineParser& parser) {
    for (const QCommandLineOption& option : ListOptionSpecs())
        if (parser.isSet(option))
            return true;
    return false;
}

int ReadSelectionOptions(const char* command, const QCommandLineParser& parser,
                         ListOptions& options) {
    const auto value = [&parser](const char* name) {
        return Bytes(parser.value(QString::fromLatin1(name)));
    };
    const auto isSet = [&parser](const char* name) {
        return parser.isSet(QString::fromLatin1(name));
    };
    cp932::Error error;
    if (!cp932::FromUtf8(value("search"), options.search, &error))
        return UsageError(command, Format(Tr("the search text holds \"%1\", which code page 932 "
                                             "cannot hold",
                                             "検索する文字列の \"%1\" はｺｰﾄﾞﾍﾟｰｼﾞ 932 "
                                             "にない文字です"),
                                          {error.characterUtf8}));
    options.filter = FILTER_ALL;
    if (isSet("index")) {
        std::string face = value("index");
        if (face.size() == 1 && face[0] >= 'a' && face[0] <= 'z')
            face[0] = static_cast<char>(face[0] - 'a' + 'A');
        options.filter = FilterOfFace(face);
        if (options.filter < 0)
            return UsageError(
                command,
                Format(Tr("no index \"%1\"", "\"%1\" という索引はありません"), {value("index")}));
    }
    if (isSet("sort")) {
        const std::string key = value("sort");
        options.sortKey = key == "name" ? 1 : key == "company" ? 2 : key == "contact" ? 3 : 0;
        if (options.sortKey == 0)
            return UsageError(
                command,
                Format(Tr("cannot sort by \"%1\"", "\"%1\" では並べ替えられません"), {key}));
    }
    if (isSet("duplicates"))
        options.filter = FILTER_DUPLICATES;
    options.descending = isSet("desc");
    options.matchCase = isSet("match-case");
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
