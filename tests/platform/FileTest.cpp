#include "platform/File.h"
#include "platform/AtomicFile.h"
#include "platform/RecordingUserInteraction.h"
#include "platform/StdioFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

fs::path TempDir(const std::string& name) {
    fs::path dir = fs::temp_directory_path() /
                   ("kolvane-" + name + "-" + std::to_string(::getpid())) / "Café 住所録";
    fs::remove_all(dir.parent_path());
    fs::create_directories(dir);
    return dir;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

} // namespace

TEST(File, ReadsWhatItWroteAndStopsAtTheEnd) {
    const fs::path dir = TempDir("file");
    const std::string path = (dir / "book.kvd").string();
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        f.Write("FDVK\x01\0\0\0", 8);
    }
    CFile f(path.c_str(), CFile::modeRead);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 16), 8u); // end of file: fewer bytes, no exception
    EXPECT_EQ(std::string(buf, 4), "FDVK");
    f.Seek(4, CFile::begin);
    EXPECT_EQ(f.GetRemaining(), 4u);
    EXPECT_THROW(f.ReadExact(buf, 5), CFileException);

    CMemFile m = ReadWholeFile(path.c_str());
    EXPECT_EQ(m.Data(), std::string("FDVK\x01\0\0\0", 8));
    EXPECT_EQ(m.GetFilePath(), path);
    EXPECT_THROW(ReadWholeFile(dir.c_str()), CFileException); // a folder is no file
    EXPECT_THROW(m.Seek(-1, CFile::begin), CFileException);
    fs::remove_all(dir.parent_path());
}

TEST(File, FailuresNameTheFileAndTheCause) {
    const std::string path = "/nonexistent-kolvane/表.kvd";
    CFile f;
    CFileException error;
    EXPECT_FALSE(f.Open(path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    RecordingUserInteraction ui;
    ui.ExpectMessage("ﾌｧｲﾙ /nonexistent-kolvane/表.kvd が見つかりません。");
    error.ReportError();
    EXPECT_EQ(ui.Problems(), "");
    EXPECT_EQ(ui.messages.at(0).type, UINT(MB_ICONEXCLAMATION)); // no icon given: exclamation
    EXPECT_THROW(CFile(path.c_str(), CFile::modeRead), CFileException);

    if (!fs::exists("/dev/full"))
        return;
    CStdioFile full("/dev/full", CFile::modeWrite);
    try {
        const std::string block(1 << 16, 'x');
        full.Write(block.data(), static_cast<UINT>(block.size()));
        full.Flush();
        ADD_FAILURE() << "writing to a full disk succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.GetErrorMessage(), "ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ /dev/full に書き込めません。");
    }
    full.Abort();
}

TEST(File, StdioFileWritesCrLfAndReadsLinesInTextMode) {
    const fs::path dir = TempDir("stdio");
    const std::string path = (dir / "lines.txt").string();
    {
        CStdioFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        out.WriteString("one\ntwo\n");
    }
    EXPECT_EQ(Contents(path), "one\r\ntwo\r\n");
    CStdioFile in(path.c_str(), CFile::modeRead | CFile::typeText);
    CString line;
    EXPECT_TRUE(in.ReadString(line) && line == "one" && in.ReadString(line) && line == "two");
    EXPECT_FALSE(in.ReadString(line));
    fs::remove_all(dir.parent_path());
}

TEST(File, AtomicFileReplacesTheTargetOnlyWhenCommitted) {
    const fs::path dir = TempDir("atomic");
    const fs::path target = dir / "book.kvd";
    std::ofstream(target, std::ios::binary) << "old";
    const auto files = [&] { return std::distance(fs::directory_iterator(dir), {}); };
    for (const bool commit : {false, true}) {
        CAtomicFile f;
        ASSERT_TRUE(f.Open(target.c_str()));
        f.Write("new!", 4);
        EXPECT_EQ(Contents(target), "old");
        if (commit)
            f.Commit();
    } // dropped without Commit, the target stays; either way no temporary file is left
    EXPECT_EQ(Contents(target), "new!");
    EXPECT_EQ(files(), 1);

    CAtomicFile bad;
    CFileException error;
    const fs::path missing = dir / "missing" / "x.kvd";
    EXPECT_FALSE(bad.Open(missing.c_str(), CFile::modeCreate, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, missing.string());
    fs::remove_all(dir.parent_path());
}
