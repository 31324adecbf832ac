#pragma once
// The commands of kolvane-cli. Each takes the arguments after the command
// name and returns the exit status.

#include "platform/FileError.h"

#include <optional>
#include <string>
#include <vector>

enum : int {
    EXIT_OK = 0,
    EXIT_USAGE = 1,      // wrong usage; the usage text was printed
    EXIT_FILE_ERROR = 2, // a file could not be read or written; a message named it
};

using Args = std::vector<std::string>;

int RunNew(const Args& args);
int RunDump(const Args& args);
int RunFromJson(const Args& args);
int RunList(const Args& args);
int RunLabels(const Args& args);

// Prints the usage text to standard error and returns EXIT_USAGE.
int UsageError(const std::string& problem);
// Prints a message to standard error, prefixed with the program name.
void PrintError(const std::string& message);
// Prints the error's text to standard error as the program's message box
// words it; EXIT_FILE_ERROR when there is an error, else EXIT_OK.
int ReportFileError(const std::optional<CFileError>& error);
