#include "zklib/ZkChecksumFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace {

std::string TempFile(const std::string& bytes) {
    const std::string path = "/tmp/kolvane-sum-" + std::to_string(::getpid());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(ZkChecksumFile, SumsWhatIsWrittenAndReadWithCrLfAsOneLineFeed) {
    const std::string path = TempFile("");
    for (const auto& [mode, abc] : {std::pair{2, 0x352441C2u}, std::pair{1, 0x024D0127u}}) {
        CZkChecksumStdioFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        out.BeginChecksum(mode);
        EXPECT_EQ(out.EndChecksum(), mode == 1 ? 1u : 0u);
        out.BeginChecksum(mode);
        out.WriteString("abc");
        EXPECT_EQ(out.EndChecksum(), abc);
        out.WriteString("more");
        EXPECT_EQ(out.EndChecksum(), abc);
    }

    // Written on Windows and read in text mode by each form; the line form
    // leaves the line ends out. A zero byte does not end the count.
    struct Case {
        std::string file;
        UINT flags;
        int form; // 0 Read, 1 ReadString (buffer), 2 ReadString (line)
        DWORD crc;
    } cases[] = {
        {"ab\r\ncd\r\n", CFile::typeText, 0, 0x55F08BD1},
        {"ab\r\ncd\r\n", CFile::typeText, 1, 0x55F08BD1},
        {"ab\ncd\n", CFile::typeText, 1, 0x55F08BD1},
        {"ab\r\ncd\r\n", CFile::typeText, 2, 0xED82CD11},
        {std::string("a\0b\n", 4), CFile::typeBinary, 1, 0x15C0AF41},
        {std::string("a\0b\n", 4), CFile::typeBinary, 0, 0x15C0AF41},
    };
    for (const Case& c : cases) {
        TempFile(c.file);
        CZkChecksumStdioFile in(path.c_str(), CFile::modeRead | c.flags);
        in.BeginChecksum(CZkChecksumStdioFile::crc32);
        char buffer[3];
        CString line;
        if (c.form == 0)
            while (in.Read(buffer, sizeof buffer) > 0) {
            }
        else if (c.form == 1)
            while (in.ReadString(buffer, sizeof buffer)) {
            }
        else
            while (in.ReadString(line)) {
            }
        EXPECT_EQ(in.EndChecksum(), c.crc) << c.file << " form " << c.form;
    }
    ::unlink(path.c_str());
}
