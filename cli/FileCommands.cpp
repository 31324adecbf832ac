// new, dump and from-json: whole books in and out.

#include "BookJson.h"
#include "CliCommands.h"

#include "model/AddrBookFile.h"

#include <cstdio>
#include <filesystem>

namespace {

bool WriteStdout(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

} // namespace

int RunNew(const Args& args) {
    std::string path;
    bool force = false;
    for (const auto& arg : args) {
        if (arg == "--force")
            force = true;
        else if (!arg.starts_with("--") && path.empty())
            path = arg;
        else
            return UsageError("new: unexpected argument \"" + arg + "\"");
    }
    if (path.empty())
        return UsageError("new: no file named");
    std::error_code error;
    if (!force && std::filesystem::symlink_status(path, error).type() !=
                      std::filesystem::file_type::not_found) {
        PrintError(path + " already exists; add --force to replace it");
        return EXIT_FILE_ERROR;
    }
    CAddrBook book;
    book.m_methods.SetDefaults();
    return ReportFileError(SaveAddrBook(path.c_str(), book));
}

int RunDump(const Args& args) {
    if (args.size() != 1 || args[0].starts_with("--"))
        return UsageError("dump: name one file");
    CAddrBook book;
    if (const int status = ReportFileError(LoadAddrBook(args[0].c_str(), book)); status != EXIT_OK)
        return status;
    if (!WriteStdout(BookToJson(book))) {
        PrintError("cannot write to standard output");
        return EXIT_FILE_ERROR;
    }
    return EXIT_OK;
}

int RunFromJson(const Args& args) {
    if (args.size() != 2 || args[0].starts_with("--") || args[1].starts_with("--"))
        return UsageError("from-json: name the JSON file and the address book to write");
    const std::string& in = args[0];
    const std::string& out = args[1];
    std::string json;
    try {
        json = ReadWholeFile(in.c_str()).Detach();
    } catch (const CFileException& e) {
        return ReportFileError(CFileError::FromException(e, MB_OK | MB_ICONSTOP));
    }
    CAddrBook book;
    std::string problem;
    if (!BookFromJson(json, book, problem)) {
        PrintError(in + ": " + problem + "; nothing was written");
        return EXIT_FILE_ERROR;
    }
    return ReportFileError(SaveAddrBook(out.c_str(), book));
}
