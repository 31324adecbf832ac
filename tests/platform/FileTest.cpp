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
    fs::path dir =
        fs::temp_directory_path() / ("kolvane-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

} // namespace

TEST(File, WritesReadsAndSeeksInAFolderWithJapaneseName) {
    const fs::path dir = TempDir("file") / "Café 住所録";
    fs::create_directories(dir);
    const std::string path = (dir / "book.kvd").string();
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        f.Write("FDVK\x01\0\0\0", 8);
        EXPECT_EQ(f.GetLength(), 8u);
        f.Flush();
    }
    CFile f(path.c_str(), CFile::modeRead);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 16), 8u); // end of file: fewer bytes, no exception
    EXPECT_EQ(std::string(buf, 4), "FDVK");
    f.Seek(4, CFile::begin);
    EXPECT_EQ(f.GetRemaining(), 4u);
    EXPECT_THROW(f.ReadExact(buf, 5), CFileException);
    EXPECT_EQ(f.GetFilePath(), path);
    fs::remove_all(dir.parent_path());
}

TEST(File, OpenFailureNamesTheFileAndTheCause) {
    const std::string path = "/nonexistent-kolvane/表.kvd";
    CFile f;
    CFileException error;
    EXPECT_FALSE(f.Open(path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.GetErrorMessage(), "ﾌｧｲﾙ /nonexistent-kolvane/表.kvd が見つかりません。");

    RecordingUserInteraction ui;
    ui.ExpectMessage("ﾌｧｲﾙ /nonexistent-kolvane/表.kvd が見つかりません。");
    error.ReportError();
    EXPECT_EQ(ui.Problems(), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].type, UINT(MB_ICONEXCLAMATION)); // no icon given: exclamation
    EXPECT_THROW(CFile(path.c_str(), CFile::modeRead), CFileException);
}

TEST(File, FullDiskIsReportedAsDiskFull) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    CStdioFile f("/dev/full", CFile::modeWrite);
    try {
        const std::string block(1 << 16, 'x');
        f.Write(block.data(), static_cast<UINT>(block.size()));
        f.Flush();
        FAIL() << "writing to a full disk succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.GetErrorMessage(), "ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ /dev/full に書き込めません。");
    }
    f.Abort();
}

TEST(File, MemFileReadsWritesAndGrows) {
    CMemFile m;
    m.Write("abc", 3);
    m.Seek(1, CFile::begin);
    m.Write("XYZ", 3);
    EXPECT_EQ(m.Data(), "aXYZ");
    m.SeekToBegin();
    char buf[8];
    EXPECT_EQ(m.Read(buf, 8), 4u);
    EXPECT_EQ(m.GetRemaining(), 0u);
    EXPECT_THROW(m.Seek(-1, CFile::begin), CFileException);
}

TEST(File, StdioFileReadsLinesInTextAndBinaryMode) {
    const fs::path dir = TempDir("stdio");
    const std::string path = (dir / "lines.txt").string();
    {
        CStdioFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        out.WriteString("one\ntwo\n");
    }
    {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(bytes, "one\r\ntwo\r\n");
    }
    CStdioFile in(path.c_str(), CFile::modeRead | CFile::typeText);
    CString line;
    EXPECT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, CString("one"));
    EXPECT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, CString("two"));
    EXPECT_FALSE(in.ReadString(line));
    in.Close();
    CStdioFile raw(path.c_str(), CFile::modeRead | CFile::typeBinary);
    EXPECT_TRUE(raw.ReadString(line));
    EXPECT_EQ(line, CString("one\r"));
    fs::remove_all(dir);
}

TEST(File, WholeFileIsReadIntoMemoryUnderItsName) {
    const fs::path dir = TempDir("whole");
    const std::string path = (dir / "x.bin").string();
    std::ofstream(path, std::ios::binary) << "12345";
    CMemFile m = ReadWholeFile(path.c_str());
    EXPECT_EQ(m.Data(), "12345");
    EXPECT_EQ(m.GetFilePath(), path);
    EXPECT_THROW(ReadWholeFile((dir / "missing").c_str()), CFileException);
    EXPECT_THROW(ReadWholeFile(dir.c_str()), CFileException); // a folder is no file
    fs::remove_all(dir);
}

TEST(File, AtomicFileReplacesTheTargetOnlyWhenCommitted) {
    const fs::path dir = TempDir("atomic");
    const std::string target = (dir / "book.kvd").string();
    std::ofstream(target, std::ios::binary) << "old";
    const auto contents = [&] {
        std::ifstream in(target, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    {
        CAtomicFile f;
        ASSERT_TRUE(f.Open(target.c_str()));
        f.Write("new!", 4);
        EXPECT_EQ(contents(), "old");
        // dropped without Commit: the target stays, no temporary file is left
    }
    EXPECT_EQ(contents(), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    {
        CAtomicFile f;
        ASSERT_TRUE(f.Open(target.c_str()));
        f.Write("new!", 4);
        f.Commit();
    }
    EXPECT_EQ(contents(), "new!");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    CAtomicFile bad;
    CFileException error;
    EXPECT_FALSE(bad.Open((dir / "missing" / "x.kvd").c_str(), CFile::modeCreate, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, (dir / "missing" / "x.kvd").string());
    fs::remove_all(dir);
}
