#include "PrintTestSupport.h"

#include "platform/RecordingUserInteraction.h"
#include "print/PageLayout.h"

#include <gtest/gtest.h>

#include <bit>
#include <csignal>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <sys/resource.h>

namespace {

std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

// The default layout with an empty name, byte by byte.
const std::string kDefaultFile = B({
    0x01, 0x00, 0x00, 0x00,       // version 1
    0x01, 0x00, 0x00, 0x00, 0x00, // name "": count 1, the zero byte
    0x00, 0x00, 0x00, 0x00,       // portrait
    0x66, 0xE6, 0x57, 0x43,       // 215.9
    0x33, 0xB3, 0x8B, 0x43,       // 279.4
    0x33, 0x33, 0x4B, 0x41,       // 12.7 top
    0x33, 0x33, 0x4B, 0x41,       // 12.7 bottom
    0x33, 0x33, 0x4B, 0x41,       // 12.7 left
    0x33, 0x33, 0x4B, 0x41,       // 12.7 right
    0x01, 0x00, 0x00, 0x00,       // 1 column
    0x01, 0x00, 0x00, 0x00,       // 1 row
    0x00, 0x00, 0x00, 0x00,       // cell margins 0
    0x00, 0x00, 0x00, 0x00,       //
    0x00, 0x00, 0x00, 0x00,       //
    0x00, 0x00, 0x00, 0x00,       //
});

// "A4 12面", landscape, A4, margins 21.6 / 18.6, 2 x 6, cell margins 4 and 3.
const std::string kA4File = B({
    0x01, 0x00, 0x00, 0x00,                                                 //
    0x08, 0x00, 0x00, 0x00, 0x41, 0x34, 0x20, 0x31, 0x32, 0x96, 0xCA, 0x00, // "A4 12面"
    0x01, 0x00, 0x00, 0x00,                                                 // landscape
    0x00, 0x00, 0x52, 0x43,                                                 // 210
    0x00, 0x80, 0x94, 0x43,                                                 // 297
    0xCD, 0xCC, 0xAC, 0x41,                                                 // 21.6
    0xCD, 0xCC, 0xAC, 0x41,                                                 // 21.6
    0xCD, 0xCC, 0x94, 0x41,                                                 // 18.6
    0xCD, 0xCC, 0x94, 0x41,                                                 // 18.6
    0x02, 0x00, 0x00, 0x00,                                                 // 2 columns
    0x06, 0x00, 0x00, 0x00,                                                 // 6 rows
    0x00, 0x00, 0x40, 0x40,                                                 // 3
    0x00, 0x00, 0x40, 0x40,                                                 // 3
    0x00, 0x00, 0x80, 0x40,                                                 // 4
    0x00, 0x00, 0x80, 0x40,                                                 // 4
});

CPageLayout A4Layout() {
    CPageLayout layout;
    layout.SetName("A4 12\x96\xCA");
    layout.m_nOrientation = 1;
    layout.m_lenPageWidth = Length::fromMm(210.0f);
    layout.m_lenPageHeight = Length::fromMm(297.0f);
    layout.m_lenPageMarginTop = layout.m_lenPageMarginBottom = Length::fromMm(21.6f);
    layout.m_lenPageMarginLeft = layout.m_lenPageMarginRight = Length::fromMm(18.6f);
    layout.m_nColumns = 2;
    layout.m_nRows = 6;
    layout.m_lenCellMarginTop = layout.m_lenCellMarginBottom = Length::fromMm(3.0f);
    layout.m_lenCellMarginLeft = layout.m_lenCellMarginRight = Length::fromMm(4.0f);
    return layout;
}

std::string Saved(const CPageLayout& layout, const TempLayoutRoot& root) {
    const std::string path = root / "saved.kvl";
    EXPECT_TRUE(layout.Save(path.c_str()));
    return ReadBytes(path);
}

std::string EndOfFile(const std::string& path) {
    return "ﾌｧｲﾙ " + path + " は途中で終わっています。壊れている可能性があります。";
}

std::string Refused(const std::string& path) {
    return "ﾌｧｲﾙ " + path +
           " はﾍﾟｰｼﾞﾚｲｱｳﾄとして読み込めません。壊れている可能性があります。\n"
           "(行と列は 1 から 100、方向は縦か横、寸法は -2000 mm から 2000 mm の範囲)";
}

void ExpectSame(const CPageLayout& a, const CPageLayout& b) {
    TempLayoutRoot root;
    EXPECT_EQ(Saved(a, root), Saved(b, root));
}

std::string WithLong(std::string bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
}

std::string WithFloat(std::string bytes, size_t at, float value) {
    return WithLong(std::move(bytes), at, std::bit_cast<int32_t>(value));
}

} // namespace

TEST(PageLayoutFile, WritesTheBytesOfTheFormat) {
    TempLayoutRoot root;
    EXPECT_EQ(Saved(CPageLayout(), root), kDefaultFile);
    EXPECT_EQ(kDefaultFile.size(), 61u);
    EXPECT_EQ(Saved(A4Layout(), root), kA4File);
}

TEST(PageLayoutFile, ReadsWhatItWroteAndSavesTheSameBytes) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    const std::string path = root / "a4.KVL";
    WriteBytes(path, kA4File);
    CPageLayout read;
    ASSERT_TRUE(read.Load(path.c_str()));
    EXPECT_EQ(read.GetName(), CString("A4 12\x96\xCA"));
    EXPECT_EQ(read.m_nOrientation, 1);
    EXPECT_EQ(read.m_lenPageMarginLeft.mm(), 18.6f);
    EXPECT_EQ(read.m_nRows, 6);
    EXPECT_EQ(Saved(read, root), kA4File);
    EXPECT_EQ(read.ReadName(path.c_str()), CString("A4 12\x96\xCA"));
    EXPECT_EQ(ui.Problems(), "");
}

TEST(PageLayoutFile, VersionsUpToOneAreReadNewerOnesRefusedWithThePath) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    const std::string path = root / "v.kvl";
    const std::string refused = "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
                                "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n" +
                                path;

    CPageLayout layout = A4Layout();
    WriteBytes(path, WithLong(kDefaultFile, 0, 0));
    EXPECT_TRUE(layout.Load(path.c_str()));
    ExpectSame(layout, CPageLayout());

    for (int32_t version : {2, -1}) {
        WriteBytes(path, WithLong(kDefaultFile, 0, version));
        ui.ExpectMessage(refused).ExpectMessage(refused);
        CPageLayout kept = A4Layout();
        EXPECT_FALSE(kept.Load(path.c_str()));
        ExpectSame(kept, A4Layout());
        EXPECT_EQ(kept.ReadName(path.c_str()), CString(""));
    }
    EXPECT_EQ(ui.Problems(), "");
    EXPECT_EQ(ui.messages.at(0).type & MB_ICONMASK, UINT(MB_ICONSTOP));
}

TEST(PageLayoutFile, EveryShortenedFileFailsAndLeavesTheLayoutWhole) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    const std::string path = root / "cut.kvl";
    for (size_t size = 0; size < kA4File.size(); ++size) {
        WriteBytes(path, kA4File.substr(0, size));
        ui.ExpectMessage(EndOfFile(path));
        CPageLayout layout;
        layout.SetName("keep");
        EXPECT_FALSE(layout.Load(path.c_str())) << size;
        CPageLayout expected;
        expected.SetName("keep");
        ExpectSame(layout, expected);
        if (size < 16) { // the name is cut too
            ui.ExpectMessage(EndOfFile(path));
            EXPECT_EQ(layout.ReadName(path.c_str()), CString("")) << size;
        }
    }
    EXPECT_EQ(ui.Problems(), "");
}

TEST(PageLayoutFile, OutOfRangeValuesAreRefusedNamingTheFile) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    const std::string path = root / "bad.kvl";
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // Offsets in the default file: orientation 9, lengths 13 to 33, columns 37,
    // rows 41, cell margins 45 to 57.
    const std::string bad[] = {
        WithLong(kDefaultFile, 37, 0),         WithLong(kDefaultFile, 37, 101),
        WithLong(kDefaultFile, 37, -1),        WithLong(kDefaultFile, 41, 0),
        WithLong(kDefaultFile, 41, 1 << 20),   WithLong(kDefaultFile, 9, 2),
        WithLong(kDefaultFile, 9, -1),         WithFloat(kDefaultFile, 13, nan),
        WithFloat(kDefaultFile, 17, inf),      WithFloat(kDefaultFile, 21, 2000.5f),
        WithFloat(kDefaultFile, 33, -2001.0f), WithFloat(kDefaultFile, 57, -inf),
    };
    for (const std::string& bytes : bad) {
        WriteBytes(path, bytes);
        ui.ExpectMessage(Refused(path));
        CPageLayout layout = A4Layout();
        EXPECT_FALSE(layout.Load(path.c_str()));
        ExpectSame(layout, A4Layout());
    }
    // The edges of the ranges are read.
    const std::string good[] = {
        WithLong(WithLong(kDefaultFile, 37, 100), 41, 100),
        WithFloat(WithFloat(kDefaultFile, 13, 2000.0f), 45, -2000.0f),
    };
    for (const std::string& bytes : good) {
        WriteBytes(path, bytes);
        CPageLayout layout;
        EXPECT_TRUE(layout.Load(path.c_str()));
    }
    EXPECT_EQ(ui.Problems(), "");
}

TEST(PageLayoutFile, MissingFileIsShownWithAStopIcon) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    const std::string path = root / "none.kvl";
    ui.ExpectMessage("ﾌｧｲﾙ " + path + " が見つかりません。")
        .ExpectMessage("ﾌｧｲﾙ " + path + " が見つかりません。");
    CPageLayout layout;
    EXPECT_FALSE(layout.Load(path.c_str()));
    EXPECT_EQ(layout.ReadName(path.c_str()), CString(""));
    EXPECT_EQ(ui.Problems(), "");
    EXPECT_EQ(ui.messages.at(0).type & MB_ICONMASK, UINT(MB_ICONSTOP));
}

TEST(PageLayoutFile, AFailedSaveKeepsTheOldFile) {
    TempLayoutRoot root;
    RecordingUserInteraction ui;
    const std::string path = root / "keep.kvl";
    WriteBytes(path, kA4File);
    ui.ExpectMessage("ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ " + path + " に書き込めません。");

    // Files may grow to 20 bytes only: the save runs out of room half-way.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const BOOL saved = CPageLayout().Save(path.c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(path), kA4File);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.Path()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(ui.Problems(), "");
}
