#pragma once
// The card selection shared by list and labels: filter, search, sort and
// direction, parsed from the command line and applied as the card list does.

#include "CliCommands.h"

#include "model/AddrBook.h"
#include "platform/CString.h"

#include <functional>
#include <vector>

struct ListOptions {
    std::string path;
    CString search;
    int filter = 0;
    int sortKey = 1;
    bool descending = false;
    bool matchCase = false;
};

// Takes an argument the selection does not know: returns true when it took it
// (advancing i past a value it read), false when it is not its own either.
// Sets status to a usage error's status to stop parsing.
using ExtraArgument = std::function<bool(const Args& args, size_t& i, int& status)>;

// Parses the book path and the selection options of command; returns EXIT_OK
// or the status of the usage error it printed.
int ParseListArgs(const char* command, const Args& args, ListOptions& options,
                  const ExtraArgument& extra = {});

// The cards the card list would show for the options, in row order.
std::vector<CAddrCard*> SelectCards(const CAddrBook& book, const ListOptions& options);
