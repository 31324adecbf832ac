// zkfiles: replaces words in the text files of a folder, adds up a folder's
// size, or prints the checksum of a file, with ZkLib.
//   zkfiles replace DIR OLD NEW [--types PATTERNS] [--word] [--case] [--progress]
//   zkfiles size DIR
//   zkfiles sum --crc|--adler FILE
// Words are bytes as given (Shift_JIS in Shift_JIS files); the checksum reads
// the file as text, so that a line end counts as one line feed whether it is
// CR LF or LF.

#include <zklib/ZkChecksumFile.h>
#include <zklib/ZkFileTraverse.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Usage() {
    std::fputs("usage: zkfiles replace DIR OLD NEW [--types PATTERNS] [--word] [--case] "
               "[--progress]\n"
               "       zkfiles size DIR\n"
               "       zkfiles sum --crc|--adler FILE\n",
               stderr);
    return 2;
}

class Dots : public IZkProgress {
public:
    BOOL Step(unsigned long long files, unsigned long long) override {
        if (files % 100 == 0)
            std::fprintf(stderr, "\r%llu files", files);
        return TRUE;
    }
};

int ReportSkipped(const CZkFileTraverse& walk) {
    for (const CString& folder : walk.GetSkippedFolders())
        std::fprintf(stderr, "zkfiles: cannot read %s\n", folder.GetString());
    return walk.GetSkippedFolders().empty() ? 0 : 1;
}

int Replace(int argc, char** argv) {
    if (argc < 5)
        return Usage();
    CZkFileReplaceWordsTraverse walk;
    walk.SetSubFolders(TRUE);
    walk.SetOldString(argv[3]);
    walk.SetNewString(argv[4]);
    Dots dots;
    bool progress = false;
    for (int i = 5; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--types") && i + 1 < argc)
            walk.SetFileTypes(argv[++i]);
        else if (!std::strcmp(argv[i], "--word"))
            walk.SetWord(TRUE);
        else if (!std::strcmp(argv[i], "--case"))
            walk.SetCase(TRUE);
        else if (!std::strcmp(argv[i], "--progress"))
            progress = true;
        else
            return Usage();
    }
    if (progress)
        walk.SetProgress(&dots);
    const int files = walk.Traverse(argv[2]);
    if (progress)
        std::fputs("\n", stderr);
    std::printf("%d files read, %d changed, %d replacements\n", files, walk.FilesChanged(),
                walk.Replacements());
    for (const CString& file : walk.GetFailedFiles())
        std::fprintf(stderr, "zkfiles: %s left as it was\n", file.GetString());
    return ReportSkipped(walk) || !walk.GetFailedFiles().empty() ? 1 : 0;
}

int Size(int argc, char** argv) {
    if (argc != 3)
        return Usage();
    CZkFolderSizeCalculator size;
    size.Traverse(argv[2]);
    std::printf("%llu bytes in %llu files\n", size.m_nTotalSize, size.m_nFileCount);
    return ReportSkipped(size);
}

int Sum(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[2], "--crc") && std::strcmp(argv[2], "--adler")))
        return Usage();
    try {
        CZkChecksumStdioFile file(argv[3], CFile::modeRead | CFile::typeText);
        file.BeginChecksum(argv[2][2] == 'c' ? CZkChecksumStdioFile::crc32
                                             : CZkChecksumStdioFile::adler32);
        char buffer[65536];
        while (file.ReadString(buffer, sizeof buffer)) {
        }
        std::printf("%08lX\n", static_cast<unsigned long>(file.EndChecksum()));
    } catch (const CFileException& e) {
        std::fprintf(stderr, "zkfiles: %s\n", e.GetErrorMessage().c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    if (command == "replace")
        return Replace(argc, argv);
    if (command == "size")
        return Size(argc, argv);
    if (command == "sum")
        return Sum(argc, argv);
    return Usage();
}
