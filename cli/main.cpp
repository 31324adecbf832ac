// kolvane-cli: batch work on Kolvane address books without a window.

#include "CliCommands.h"

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: kolvane-cli new FILE [--force]\n"
    "       kolvane-cli dump FILE\n"
    "       kolvane-cli from-json IN.json OUT.kvd\n"
    "       kolvane-cli list FILE [--search TEXT] [--index KEY] [--duplicates]\n"
    "                             [--sort name|company|contact] [--desc] [--match-case]\n"
    "\n"
    "  new        write an empty address book (refuses to replace a file unless --force)\n"
    "  dump       print the whole book as JSON (UTF-8)\n"
    "  from-json  write the book a JSON file describes\n"
    "  list       print the cards the card list would show: name, company and first\n"
    "             contact separated by tabs, then \"listed / total\"\n"
    "             --index takes A to Z, あ か さ た な は ま や ら わ, 数, 日, 英 or 全 (default)\n"
    "\n"
    "exit status: 0 done, 1 wrong usage, 2 a file could not be read or written\n";

} // namespace

void PrintError(const std::string& message) {
    std::fprintf(stderr, "kolvane-cli: %s\n", message.c_str());
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
    return UsageError("unknown command \"" + command + "\"");
}
