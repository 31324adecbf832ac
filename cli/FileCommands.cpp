// new, dump and from-json: whole books in and out, and what the commands
// share about the files they write.

#include "BookJson.h"
#include "CliCommands.h"
#include "CliMessages.h"

#include "doc/BookLock.h"
#include "model/AddrBookFile.h"
#include "platform/AtomicFile.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const char kStdout[] = "-";

// Refuses to replace an existing file (or link) unless forced.
int RefuseExisting(const std::string& path, bool force) {
    std::error_code error;
    if (force || IsStdStream(path) ||
        fs::symlink_status(path, error).type() == fs::file_type::not_found)
        return EXIT_OK;
    PrintError(Format(Tr("%1 already exists; add --force to replace it",
                         "%1 は既にあります。置き換えるには --force を付けてください。"),
                      {path}));
    return EXIT_FILE_ERROR;
}

using TextSink = std::function<void(std::string_view)>;

// What make hands its sink, piece by piece, to path or to standard output for
// "-"; a file only when all of it was written.
int WritePieces(const std::string& path, const std::function<void(const TextSink&)>& make) {
    if (IsStdStream(path)) {
        int status = EXIT_OK;
        make([&status](std::string_view piece) {
            if (status == EXIT_OK)
                status = WriteStdout(piece);
        });
        return status;
    }
    const std::string target = WriteTarget(path);
    CAtomicFile file;
    CFileException error;
    if (!file.Open(target.c_str(), CFile::modeCreate | CFile::modeWrite, &error))
        return ReportFileError(CFileError::FromException(error, MB_ICONSTOP));
    try {
        make([&file](std::string_view piece) {
            file.Write(piece.data(), static_cast<UINT>(piece.size()));
        });
        file.Commit();
    } catch (const CFileException& e) {
        return ReportFileError(CFileError::FromException(e, MB_ICONSTOP));
    }
    return EXIT_OK;
}

// A book file's bytes to path, under the book's lock, or to standard output for "-".
int WriteBookFile(const std::string& path, const std::string& bytes) {
    CBookLock lock;
    if (const int status = LockBook(path, lock); status != EXIT_OK)
        return status;
    return WritePieces(path, [&bytes](const TextSink& write) { write(bytes); });
}

int WriteBook(const std::string& path, CAddrBook& book) {
    CMemFile image;
    if (const int status = ReportFileError(book.Write(&image)); status != EXIT_OK)
        return status;
    return WriteBookFile(path, image.Data());
}

} // namespace

CAddrBook& BookOfTheRun() {
    // Held by a pointer, so that no destructor runs at exit.
    static CAddrBook* const book = new CAddrBook;
    return *book;
}

int ReadInput(const std::string& path, std::string& bytes) {
    if (!IsStdStream(path)) {
        try {
            bytes = ReadWholeFile(path.c_str()).Detach();
            return EXIT_OK;
        } catch (const CFileException& e) {
            return ReportFileError(CFileError::FromException(e, MB_ICONSTOP));
        }
    }
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes.append(buffer, n);
    if (std::ferror(stdin)) {
        PrintError(Tr("cannot read standard input", "標準入力を読み込めません。"));
        return EXIT_FILE_ERROR;
    }
    return EXIT_OK;
}

int LockBook(const std::string& path, CBookLock& lock) {
    if (IsStdStream(path) || lock.Take(path.c_str(), CBookLock::exclusive))
        return EXIT_OK;
    PrintError(Format(Tr("%1 is open in Kolvane; close it there first; nothing was written",
                         "%1 は Kolvane で開かれています。先にそちらで閉じてください。"
                         "何も書き込んでいません。"),
                      {path}));
    return EXIT_FILE_ERROR;
}

bool IsStdStream(const std::string& path) {
    return path == kStdout;
}

std::string WriteTarget(const std::string& path) {
    fs::path target = path;
    std::error_code error;
    // As many links as the system itself would follow.
    for (int i = 0; i < 40 && fs::is_symlink(target, error); ++i) {
        const fs::path link = fs::read_symlink(target, error);
        if (error)
            break;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target.string();
}

int RefuseInputAsOutput(const std::string& out, std::initializer_list<std::string> inputs) {
    struct stat written {};
    if (IsStdStream(out) || ::stat(out.c_str(), &written) != 0)
        return EXIT_OK;
    for (const std::string& in : inputs) {
        struct stat read {};
        if (!IsStdStream(in) && ::stat(in.c_str(), &read) == 0 && read.st_dev == written.st_dev &&
            read.st_ino == written.st_ino) {
            PrintError(Format(Tr("%1 is the input %2; nothing was written",
                                 "%1 は入力の %2 と同じﾌｧｲﾙです。何も書き込んでいません。"),
                              {out, in}));
            return EXIT_FILE_ERROR;
        }
    }
    return EXIT_OK;
}

int WriteStdout(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
        std::fflush(stdout) == 0)
        return EXIT_OK;
    PrintError(Tr("cannot write to standard output", "標準出力に書き込めません。"));
    return EXIT_FILE_ERROR;
}

int RunNew(const Args& args) {
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"));
    if (const auto stop = ParseCommand("new", args, {force}, parser))
        return *stop;
    const std::vector<std::string> files = Positionals(parser);
    if (files.size() != 1)
        return UsageError("new", Tr("name one file", "ﾌｧｲﾙを 1 つ指定してください"));
    if (const int status = RefuseExisting(files[0], parser.isSet(force)); status != EXIT_OK)
        return status;
    CAddrBook book;
    book.m_methods.SetDefaults();
    return WriteBook(files[0], book);
}

int RunDump(const Args& args) {
    QCommandLineParser parser;
    if (const auto stop = ParseCommand("dump", args, {}, parser))
        return *stop;
    const std::vector<std::string> files = Positionals(parser);
    if (files.empty() || files.size() > 2)
        return UsageError("dump", Tr("name the address book and, if you like, the JSON file",
                                     "住所録と、必要なら JSON ﾌｧｲﾙを指定してください"));
    const std::string out = files.size() == 2 ? files[1] : kStdout;
    if (const int status = RefuseInputAsOutput(out, {files[0]}); status != EXIT_OK)
        return status;
    CAddrBook& book = BookOfTheRun();
    if (const int status = ReportFileError(LoadAddrBook(files[0].c_str(), book)); status != EXIT_OK)
        return status;
    return WritePieces(out, [&book](const TextSink& write) { WriteBookJson(book, write); });
}

int RunFromJson(const Args& args) {
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"));
    if (const auto stop = ParseCommand("from-json", args, {force}, parser))
        return *stop;
    const std::vector<std::string> files = Positionals(parser);
    if (files.size() != 2)
        return UsageError("from-json", Tr("name the JSON file and the address book to write",
                                          "JSON ﾌｧｲﾙと書き込む住所録を指定してください"));
    const std::string& in = files[0];
    const std::string& out = files[1];
    if (const int status = RefuseInputAsOutput(out, {in}); status != EXIT_OK)
        return status;
    if (const int status = RefuseExisting(out, parser.isSet(force)); status != EXIT_OK)
        return status;
    std::string json;
    if (const int status = ReadInput(in, json); status != EXIT_OK)
        return status;
    std::string file, problem;
    if (!BookFileFromJson(json, file, problem)) {
        const std::string name = IsStdStream(in) ? Tr("standard input", "標準入力") : in;
        PrintError(Format(Tr("%1: %2; nothing was written", "%1: %2。何も書き込んでいません。"),
                          {name, problem}));
        return EXIT_FILE_ERROR;
    }
    std::string().swap(json);
    return WriteBookFile(out, file);
}
