// kolvane-cli: batch work on Kolvane address books without a window.

#include "CliCommands.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: kolvane-cli new FILE [--force]\n"
    "       kolvane-cli dump FILE\n"
    "       kolvane-cli from-json IN.json OUT.kvd\n"
    "       kolvane-cli list FILE [--search TEXT] [--index KEY] [--duplicates]\n"
    "                             [--sort name|company|contact] [--desc] [--match-case]\n"
    "       kolvane-cli labels FILE --layout NAME|FILE.KVL --out FILE.pdf [--outlines]\n"
    "                             [--font-ja FACE,PT] [--font-en FACE,PT] [options of list]\n"
    "\n"
    "  new        write an empty address book (refuses to replace a file unless --force)\n"
    "  dump       print the whole book as JSON (UTF-8)\n"
    "  from-json  write the book a JSON file describes\n"
    "  list       print the cards the card list would show: name, company and first\n"
    "             contact separated by tabs, then \"listed / total\"\n"
    "             --index takes A to Z, あ か さ た な は ま や ら わ, 数, 日, 英 or 全 (default)\n"
    "  labels     print the cards list would show, in its order, as address labels on\n"
    "             a page layout (named as in the program, or a layout file) to PDF;\n"
    "             --outlines draws the cell outlines as the print preview does\n"
    "\n"
    "exit status: 0 done, 1 wrong usage, 2 a file could not be read or written,\n"
    "             3 nothing to print\n";

} // namespace

void PrintError(const std::string& message) {
    std::fprintf(stderr, "kolvane-cli: %s\n", message.c_str());
}

int ReportFileError(const std::optional<CFileError>& error) {
    if (!error)
        return EXIT_OK;
    std::fprintf(stderr, "%s\n", error->GetText().c_str());
    return EXIT_FILE_ERROR;
}

int UsageError(const std::string& problem) {
    if (!problem.empty())
        PrintError(problem);
    std::fputs(kUsage, stderr);
    return EXIT_USAGE;
}

int main(int argc, char** argv) {
    if (argc < 2)
        return UsageError("");
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return EXIT_OK;
    }
    if (command == "new")
        return RunNew(args);
    if (command == "dump")
        return RunDump(args);
    if (command == "from-json")
        return RunFromJson(args);
    if (command == "list")
        return RunList(args);
    if (command == "labels") {
        // Labels are drawn with Qt's fonts, which need a GUI application but no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        return RunLabels(args);
    }
    return UsageError("unknown command \"" + command + "\"");
}
