// The file traversal as a command for bench/run_zkfile_bench.py, matching case
// as grep and sed do:
//   zkfile_bench list DIR WORD       prints the files that hold WORD
//   zkfile_bench replace DIR OLD NEW replaces OLD with NEW in them

#include "zklib/ZkFileTraverse.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Lister : public CZkFileTraverse {
public:
    explicit Lister(const char* word) : m_word(word) { SetSubFolders(TRUE); }

protected:
    BOOL ProcessFile(const char* path) override {
        const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return TRUE;
        struct stat st {};
        m_text.resize(::fstat(fd, &st) == 0 ? static_cast<size_t>(st.st_size) : 0);
        size_t size = 0;
        for (ssize_t n; size < m_text.size() &&
                        (n = ::read(fd, m_text.data() + size, m_text.size() - size)) > 0;)
            size += static_cast<size_t>(n);
        ::close(fd);
        const std::string_view text(m_text.data(), size);
        if (text.find('\0') == std::string_view::npos &&
            ZkText_FindWord(text, m_word, FALSE, TRUE) != std::string_view::npos)
            std::printf("%s\n", path);
        return TRUE;
    }

private:
    std::string_view m_word;
    std::string m_text;
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && !std::strcmp(argv[1], "list")) {
        Lister lister(argv[3]);
        return lister.Traverse(argv[2]) < 0 ? 1 : 0;
    }
    if (argc == 5 && !std::strcmp(argv[1], "replace")) {
        CZkFileReplaceWordsTraverse replace;
        replace.SetSubFolders(TRUE);
        replace.SetCase(TRUE);
        replace.SetOldString(argv[3]);
        replace.SetNewString(argv[4]);
        const int n = replace.Traverse(argv[2]);
        std::fprintf(stderr, "%d files read, %d changed\n", n, replace.FilesChanged());
        return n < 0 || !replace.GetFailedFiles().empty() ? 1 : 0;
    }
    std::fputs("usage: zkfile_bench list DIR WORD | replace DIR OLD NEW\n", stderr);
    return 2;
}
