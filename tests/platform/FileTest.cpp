#include "platform/File.h"
#include "platform/AtomicFile.h"
#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

// The model's tests read whole books, folders and missing files among them.
TEST(File, ReadsWhatItWroteAndStopsAtTheEnd) {
    const fs::path dir = fs::temp_directory_path() / ("kolvane-file-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "表.kvd").string();
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        f.Write("FDVK\x01\0\0\0", 8);
    }
    CFile f(path.c_str(), CFile::modeRead);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 16), 8u); // end of file: fewer bytes, no exception
    EXPECT_EQ(std::string(buf, 8), std::string("FDVK\x01\0\0\0", 8));
    f.Seek(4, CFile::begin);
    EXPECT_EQ(f.GetRemaining(), 4u);
    EXPECT_THROW(f.ReadExact(buf, 5), CFileException);
    EXPECT_THROW(CMemFile("ab", "x").Seek(-1, CFile::begin), CFileException);
    fs::remove_all(dir);
}

// The document's tests fill the disk; the book save tests stop saves at every step.
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

    CAtomicFile atomic;
    EXPECT_FALSE(atomic.Open(path.c_str(), CFile::modeCreate, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, path);
}
