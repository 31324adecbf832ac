#pragma once
// The commands of kolvane-cli and what they share. Each command takes the
// arguments after its name and returns the exit status.

#include "platform/FileError.h"

#include <QCommandLineParser>
#include <QList>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum : int {
    EXIT_OK = 0,
    EXIT_USAGE = 1,            // wrong usage; a message said what and where to read more
    EXIT_FILE_ERROR = 2,       // a file could not be read or written; a message named it
    EXIT_NOTHING_TO_PRINT = 3, // labels: no card selected, nothing written
};

class CAddrBook;
class CBookLock;

using Args = std::vector<std::string>;

int RunNew(const Args& args);
int RunDump(const Args& args);
int RunFromJson(const Args& args);
int RunList(const Args& args);
int RunLabels(const Args& args);
int RunPostcards(const Args& args);
int RunExport(const Args& args);
int RunImport(const Args& args);
// import of a file whose first line is BEGIN:VCARD; export --vcard.
bool IsVCardImport(const Args& args);
int RunVCardImport(const Args& args);
int RunVCardExport(const Args& args);
int RunPostcode(const Args& args);

// The usage text of one command, or of them all for nullptr.
const char* CommandUsage(const char* command);

// Parses a command's arguments: its options, -h/--help and "--". Arguments
// are held as Latin-1 so that every byte of a path or a text comes back
// through Bytes. A status means stop and exit with it (after --help printed
// the usage, or after a usage error); nothing means go on.
std::optional<int> ParseCommand(const char* command, const Args& args,
                                const QList<QCommandLineOption>& options,
                                QCommandLineParser& parser);
std::string Bytes(const QString& latin1);
std::vector<std::string> Positionals(const QCommandLineParser& parser);

// Prints a message to standard error, every line after the program's name.
void PrintError(const std::string& message);
// Prints a usage problem of command with where to read the usage; EXIT_USAGE.
int UsageError(const char* command, const std::string& problem);
// Prints the error in the run's language; EXIT_FILE_ERROR when there is an
// error, else EXIT_OK.
int ReportFileError(const std::optional<CFileError>& error);

// An empty book that lives until the process ends: the system takes its memory
// back at once, where freeing a large book block by block would add a tenth to
// a command that reads it. For commands that read or write one book.
CAddrBook& BookOfTheRun();

// "-" stands for standard input or output.
bool IsStdStream(const std::string& path);
// Where a write to path goes: through symbolic links to their final target,
// so that a link stays a link.
std::string WriteTarget(const std::string& path);
// EXIT_OK when out is none of inputs (by device and inode, through any path or
// link); else a message and EXIT_FILE_ERROR.
int RefuseInputAsOutput(const std::string& out, std::initializer_list<std::string> inputs);
// Writes bytes to standard output; a message and EXIT_FILE_ERROR on failure.
int WriteStdout(std::string_view bytes);
// The whole of a file, or of standard input for "-"; a message and
// EXIT_FILE_ERROR on failure.
int ReadInput(const std::string& path, std::string& bytes);
// Takes an exclusive lock on the book at path for its write, which the program
// holding the book open would undo; a message and EXIT_FILE_ERROR when it is
// open there. A file not there yet needs no lock.
int LockBook(const std::string& path, CBookLock& lock);
