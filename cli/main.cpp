// kolvane-cli: batch work on Kolvane address books without a window.

#include "CliCommands.h"
#include "CliMessages.h"

#include "platform/UserInteraction.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: kolvane-cli COMMAND [ARGUMENTS]\n"
    "       kolvane-cli COMMAND --help\n"
    "       kolvane-cli --help | --version\n"
    "\n"
    "  new        write an empty address book\n"
    "  dump       print a book as JSON (UTF-8)\n"
    "  from-json  write the book a JSON file describes\n"
    "  list       print the cards the card list would show\n"
    "  labels     print the cards list would show as address labels to PDF\n"
    "  postcards  address the cards list would show on postcards or envelopes,\n"
    "             vertically, to PDF\n"
    "  export     write cards as CSV lines through an export layout, or as vCard\n"
    "  import     append the records of a CSV or vCard file to a book as cards\n"
    "  postcode   print the addresses of a postal code\n"
    "\n"
    "Options take their value as --option VALUE or --option=VALUE; \"--\" ends the\n"
    "options. A file named \"-\" is standard input or output where a command says so.\n"
    "Messages are in Japanese under a Japanese locale (LANG=ja_JP.UTF-8), else in\n"
    "English.\n"
    "\n"
    "exit status: 0 done, 1 wrong usage, 2 a file could not be read or written or\n"
    "             its content was refused, 3 nothing to print (or no such postal\n"
    "             code)\n";

struct Command {
    const char* name;
    int (*run)(const Args& args);
    const char* usage;
};

const Command kCommands[] = {
    {"new", RunNew,
     "usage: kolvane-cli new FILE [--force]\n"
     "Writes an empty address book with the default contact methods; FILE \"-\" is\n"
     "standard output.\n"
     "  --force   replace an existing FILE\n"},
    {"dump", RunDump,
     "usage: kolvane-cli dump FILE [OUT.json]\n"
     "Prints the whole book as JSON (UTF-8) to OUT.json, or to standard output when\n"
     "OUT.json is \"-\" or not given.\n"},
    {"from-json", RunFromJson,
     "usage: kolvane-cli from-json IN.json OUT.kvd [--force]\n"
     "Writes the book the JSON describes. IN.json \"-\" is standard input, OUT.kvd \"-\"\n"
     "standard output.\n"
     "  --force   replace an existing OUT.kvd\n"},
    {"list", RunList,
     "usage: kolvane-cli list FILE [--search TEXT] [--index KEY] [--duplicates]\n"
     "                        [--sort name|company|contact] [--desc] [--match-case]\n"
     "                        [--postcode-mismatch]\n"
     "Prints the cards the card list would show, one a line: name, company and first\n"
     "contact separated by tabs. The count \"listed / total\" goes to standard error.\n"
     "  --search TEXT  cards whose texts contain TEXT\n"
     "  --index KEY    A to Z, あ か さ た な は ま や ら わ, 数, 日, 英 or 全 (default)\n"
     "  --duplicates   cards whose name another card shares\n"
     "  --sort KEY     name (default), company or contact\n"
     "  --desc         the reverse order\n"
     "  --match-case   --search tells upper from lower case in ASCII letters\n"
     "  --postcode-mismatch  (list only)\n"
     "                 only the Japanese cards whose postal code is unknown or whose\n"
     "                 address begins with none of its code's cities (the prefecture\n"
     "                 and the 郡 may be left out): name, postal code, address and\n"
     "                 \"unknown\" or \"mismatch\"; the count \"flagged / total\" goes\n"
     "                 to standard error\n"},
    {"labels", RunLabels,
     "usage: kolvane-cli labels FILE --layout NAME|FILE.KVL --out FILE.pdf [--outlines]\n"
     "                          [--font-ja FACE,PT] [--font-en FACE,PT] [--offset X,Y]\n"
     "                          [options of list]\n"
     "Prints the cards list would show, in its order, as address labels to PDF.\n"
     "  --layout NAME|FILE.KVL  a page layout as the program names it, or a layout file\n"
     "  --out FILE.pdf          the PDF to write; \"-\" is standard output\n"
     "  --outlines              draw the cell outlines as the print preview does\n"
     "  --font-ja FACE,PT       the Japanese font (default: the program's print fonts)\n"
     "  --font-en FACE,PT       the English font\n"
     "  --offset X,Y            move every page X mm right and Y mm down (-20 to 20\n"
     "                          each, a decimal point), as the printer's calibration\n"
     "                          in page setup moves printed pages; PDF files are not\n"
     "                          moved otherwise\n"
     "and the options of list (kolvane-cli list --help).\n"},
    {"postcards", RunPostcards,
     "usage: kolvane-cli postcards FILE --layout NAME|FILE.KVP --out FILE.pdf\n"
     "                             [--sender NAME] [--numerals kanji|chome|tate-chu-yoko]\n"
     "                             [--guides] [--offset X,Y] [--barcode|--no-barcode]\n"
     "                             [options of list]\n"
     "Addresses the cards list would show, in its order, one a page, on postcards or\n"
     "envelopes: Japanese cards set vertically (the postal code in the printed boxes,\n"
     "the address at the right, the name in the middle ending in 様, or the company\n"
     "and 御中), English cards across. Cards without an address, or without a name\n"
     "and a company, are skipped and counted; a postal code that is not 7 digits\n"
     "leaves its boxes empty, and it, a character the font cannot draw and text that\n"
     "does not fit are named on standard error.\n"
     "  --layout NAME|FILE.KVP  a postcard layout as the program names it (はがき 縦書き,\n"
     "                          往復はがき 往信 縦書き, 長形3号 縦書き, 長形4号 縦書き),\n"
     "                          or a layout file\n"
     "  --out FILE.pdf          the PDF to write\n"
     "  --sender NAME           the card of this name prints as the sender at the\n"
     "                          lower left (default: the program's sender setting)\n"
     "  --numerals STYLE        kanji: 1-2-3 as 一ー二ー三 (default: the program's\n"
     "                          setting); chome: 3丁目5-8 as 三丁目五番八号 where the\n"
     "                          address says 丁目; tate-chu-yoko: digits upright in\n"
     "                          groups of two\n"
     "  --guides                outline the postal code boxes and the areas\n"
     "  --offset X,Y            move every page X mm right and Y mm down (-20 to 20)\n"
     "  --barcode               the postal customer barcode under the address, on\n"
     "                          postcards and envelopes alike\n"
     "  --no-barcode            no barcode, not even on envelopes (default: the\n"
     "                          program's settings, which put it on envelopes only)\n"
     "and the options of list (kolvane-cli list --help).\n"},
    {"export", RunExport,
     "usage: kolvane-cli export FILE OUT.csv --layout NAME|FILE.KVE [--conv-cr]\n"
     "                          [options of list]\n"
     "Writes one CSV line (Shift_JIS, CR LF) per card, with the fields of the export\n"
     "layout: all cards in book order, or, with an option of list, the cards list\n"
     "would show in its order. OUT.csv \"-\" is standard output; the count of cards\n"
     "goes to standard error.\n"
     "  --layout NAME|FILE.KVE  an export layout as the program names it (全項目 holds\n"
     "                          all fields), or a layout file\n"
     "  --conv-cr               write line breaks inside values as blanks\n"
     "and the options of list (kolvane-cli list --help).\n"
     "       kolvane-cli export FILE OUT.vcf --vcard [--version 2.1|3.0|4.0]\n"
     "                          [options of list]\n"
     "Writes the cards as a vCard file instead: 3.0 (default) or 4.0 in UTF-8, 2.1 in\n"
     "Shift_JIS for old phones. The reading goes to X-PHONETIC-LAST-NAME and\n"
     "-FIRST-NAME (3.0 adds SORT-STRING, 4.0 N;SORT-AS, 2.1 SOUND;X-IRMC-N); the memo\n"
     "and the notation travel in X-KOLVANE-MEMO and X-KOLVANE-NOTATION.\n"},
    {"import", RunImport,
     "usage: kolvane-cli import BOOK.kvd FILE.csv [--layout NAME|FILE.KVI] [--notation ja|en]\n"
     "                          [--encoding auto|cp932|utf-8] [--skip-first] [--dry-run]\n"
     "Makes a card of every record of FILE.csv (\"-\" is standard input) through the\n"
     "import layout and appends them to BOOK.kvd, saved with the program's backups.\n"
     "Without --layout the first record must hold column titles (the import fields'\n"
     "titles, or those of an address book or mail program's export the bundled\n"
     "layouts read): they map the columns and the record is not imported.\n"
     "Blank records are skipped. A file that cannot be read, or a record holding a\n"
     "character code page 932 cannot hold, changes nothing. A book open in Kolvane is\n"
     "refused: close it there first. The count of cards goes to standard error.\n"
     "  --layout NAME|FILE.KVI  an import layout as the program names it (全項目 takes\n"
     "                          all fields), or a layout file\n"
     "  --notation ja|en        the notation of the new cards (default ja)\n"
     "  --encoding ENC          auto (default: UTF-8 or Shift_JIS, told from the\n"
     "                          bytes), cp932 or utf-8\n"
     "  --skip-first            with --layout, leave out the first record (column\n"
     "                          captions)\n"
     "  --dry-run               print the new cards as dump does; write nothing\n"
     "       kolvane-cli import BOOK.kvd FILE.vcf [--charset auto|utf-8|cp932]\n"
     "                          [--notation auto|ja|en] [--dry-run]\n"
     "A file whose first line is BEGIN:VCARD is read as vCard (2.1, 3.0 or 4.0), no\n"
     "layout needed. Standard error gets a report: cards read, properties ignored\n"
     "(counted by name), damaged lines, and characters code page 932 cannot hold,\n"
     "which are stored as 〓.\n"
     "  --charset CS            auto (default: the property's CHARSET, a byte-order\n"
     "                          mark, else UTF-8 when the bytes are), utf-8 or cp932\n"
     "  --notation N            auto (default: X-KOLVANE-NOTATION, else Japanese when\n"
     "                          a reading or a name beyond ASCII is found), ja or en\n"},
    {"postcode", RunPostcode,
     "usage: kolvane-cli postcode CODE\n"
     "Prints every address of the postal code CODE (7 digits; hyphens, full-width\n"
     "digits and a leading 〒 are taken) from the bundled table of Japan Post's data,\n"
     "one a line: code, prefecture, city and town, and for a large office its block\n"
     "and name, separated by tabs. An unknown code prints nothing and exits with 3.\n"},
};

const Command* FindCommand(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

// Messages of the layers below go to standard error as the program's own.
class CliUserInteraction final : public IUserInteraction {
public:
    int MessageBox(const std::string& text, UINT type) override {
        PrintError(text);
        return DefaultAnswer(type);
    }
    std::optional<std::string> PromptFileName(const FilePrompt&) override { return std::nullopt; }
};

std::string OptionName(const QString& name) {
    return (name.size() == 1 ? "-" : "--") + Bytes(name);
}

// The parser's own complaint, worded in the run's language.
std::string ParseProblem(const QCommandLineParser& parser) {
    if (!parser.unknownOptionNames().isEmpty())
        return Format(Tr("unknown option %1", "%1 というｵﾌﾟｼｮﾝはありません"),
                      {OptionName(parser.unknownOptionNames().constFirst())});
    const QString text = parser.errorText();
    const qsizetype open = text.indexOf(QLatin1Char('\''));
    const qsizetype close = text.lastIndexOf(QLatin1Char('\''));
    const std::string option = open < close ? Bytes(text.mid(open + 1, close - open - 1)) : "";
    if (text.startsWith(QLatin1String("Missing value")))
        return Format(Tr("%1 needs a value", "%1 には値が必要です"), {option});
    if (text.startsWith(QLatin1String("Unexpected value")))
        return Format(Tr("%1 takes no value", "%1 は値をとりません"), {option});
    return Bytes(text);
}

// Qt's own warnings (fonts, runtime folder) as the program's lines too.
void QtMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    PrintError(text.toStdString());
}

} // namespace

const char* CommandUsage(const char* command) {
    const Command* found = command ? FindCommand(command) : nullptr;
    return found ? found->usage : kUsage;
}

std::string Bytes(const QString& latin1) {
    return latin1.toLatin1().toStdString();
}

std::vector<std::string> Positionals(const QCommandLineParser& parser) {
    std::vector<std::string> out;
    for (const QString& arg : parser.positionalArguments())
        out.push_back(Bytes(arg));
    return out;
}

std::optional<int> ParseCommand(const char* command, const Args& args,
                                const QList<QCommandLineOption>& options,
                                QCommandLineParser& parser) {
    QStringList list{QString::fromLatin1(command)}; // in the place of the program's name
    for (const std::string& arg : args)
        list << QString::fromLatin1(arg.data(), static_cast<qsizetype>(arg.size()));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions(options);
    parser.addOption(help);
    if (!parser.parse(list))
        return UsageError(command, ParseProblem(parser));
    if (parser.isSet(help)) {
        std::fputs(CommandUsage(command), stdout);
        return EXIT_OK;
    }
    return std::nullopt;
}

void PrintError(const std::string& message) {
    size_t start = 0;
    do {
        const size_t end = std::min(message.find('\n', start), message.size());
        std::fprintf(stderr, "kolvane-cli: %.*s\n", static_cast<int>(end - start),
                     message.c_str() + start);
        start = end + 1;
    } while (start < message.size());
}

int UsageError(const char* command, const std::string& problem) {
    const std::string help = command ? std::string("kolvane-cli ") + command + " --help"
                                     : std::string("kolvane-cli --help");
    const std::string where = command ? std::string(command) + ": " : std::string();
    PrintError(where + problem + Format(Tr(" (see %1)", " (使い方は %1)"), {help}));
    return EXIT_USAGE;
}

int ReportFileError(const std::optional<CFileError>& error) {
    if (!error)
        return EXIT_OK;
    PrintError(FileErrorText(*error));
    return EXIT_FILE_ERROR;
}

int main(int argc, char** argv) {
    CliUserInteraction console;
    AfxSetUserInteraction(&console);
    qInstallMessageHandler(QtMessage);

    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLatin1(argv[i]);
    if (!parser.parse(list))
        return UsageError(nullptr, ParseProblem(parser));
    if (parser.isSet(version)) {
        std::printf("kolvane-cli %s\n", KOLVANE_VERSION);
        return EXIT_OK;
    }
    const std::vector<std::string> words = Positionals(parser);
    if (parser.isSet(help) || (!words.empty() && words[0] == "help")) {
        std::fputs(CommandUsage(words.size() > 1 ? words[1].c_str() : nullptr), stdout);
        return EXIT_OK;
    }
    if (words.empty())
        return UsageError(nullptr, Tr("no command given", "ｺﾏﾝﾄﾞがありません"));
    const Command* command = FindCommand(words[0]);
    if (!command)
        return UsageError(
            nullptr,
            Format(Tr("unknown command \"%1\"", "\"%1\" というｺﾏﾝﾄﾞはありません"), {words[0]}));
    const Args args(words.begin() + 1, words.end());
    if (command->run == RunLabels || command->run == RunPostcards) {
        // Labels are drawn with Qt's fonts, which need a GUI application but no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        // Qt took the C library's locale from the environment; numbers keep their point.
        std::setlocale(LC_NUMERIC, "C");
        return command->run(args);
    }
    return command->run(args);
}
