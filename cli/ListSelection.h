#pragma once
// The card selection shared by list, labels and export: filter, search, sort and
// direction, read from the command line and applied as the card list does.

#include "CliCommands.h"

#include "model/AddrBook.h"
#include "platform/CString.h"

#include <vector>

struct ListOptions {
    std::string path;
    CString search;
    int filter = 0;
    int sortKey = 1;
    bool descending = false;
    bool matchCase = false;
};

// The options of the selection, for ParseCommand.
QList<QCommandLineOption> ListOptionSpecs();

// Reads the book path and the selection of command from the parsed command
// line; EXIT_OK or the status of the usage error it printed.
int ReadListOptions(const char* command, const QCommandLineParser& parser, ListOptions& options);
// The selection alone, for a command that reads its files itself.
int ReadSelectionOptions(const char* command, const QCommandLineParser& parser,
                         ListOptions& options);
// Whether any option of the selection was given.
bool SelectionGiven(const QCommandLineParser& parser);

// The cards the card list would show for the options, in row order.
std::vector<CAddrCard*> SelectCards(const CAddrBook& book, const ListOptions& options);
