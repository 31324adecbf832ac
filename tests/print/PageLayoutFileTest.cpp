#include "PrintTestSupport.h"

#include "platform/RecordingUserInteraction.h"
#include "print/PageLayout.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <initializer_list>
#include <limits>

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

// The error's text; "" for none.
std::string Error(const std::optional<CFileError>& error) {
    return error ? error->GetText() : std::string();
}

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
    EXPECT_EQ(Error(layout.Save(path.c_str())), "");
    return ReadBytes(path);
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

// Layout files report their errors to the caller and show nothing.
class PageLayoutFile : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(ui.Problems(), ""); }

    TempLayoutRoot root;
    RecordingUserInteraction ui;
};

TEST_F(PageLayoutFile, WritesTheBytesOfTheFormatAndReadsThemBack) {
    EXPECT_EQ(Saved(CPageLayout(), root), kDefaultFile);
    EXPECT_EQ(Saved(A4Layout(), root), kA4File);

    const std::string path = root / "a4.KVL";
    WriteBytes(path, kA4File);
    CPageLayout read;
    ASSERT_EQ(Error(read.Load(path.c_str())), "");
    EXPECT_EQ(read.m_lenPageMarginLeft.mm(), 18.6f);
    EXPECT_EQ(Saved(read, root), kA4File);
    CString name;
    EXPECT_EQ(Error(read.ReadName(path.c_str(), name)), "");
    EXPECT_EQ(name, CString("A4 12\x96\xCA"));
}

TEST_F(PageLayoutFile, VersionsUpToOneAreReadNewerOnesRefusedWithThePath) {
    const std::string path = root / "v.kvl";
    CPageLayout layout = A4Layout();
    WriteBytes(path, WithLong(kDefaultFile, 0, 0));
    EXPECT_EQ(Error(layout.Load(path.c_str())), "");
    ExpectSame(layout, CPageLayout());

    const std::string refused = "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
                                "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n" +
                                path;
    for (int32_t version : {2, -1}) {
        WriteBytes(path, WithLong(kDefaultFile, 0, version));
        CPageLayout kept = A4Layout();
        const auto error = kept.Load(path.c_str());
        EXPECT_EQ(Error(error), refused);
        EXPECT_EQ(error->m_nType & MB_ICONMASK, UINT(MB_ICONSTOP));
        ExpectSame(kept, A4Layout());
        CString name("x");
        EXPECT_EQ(Error(kept.ReadName(path.c_str(), name)), refused);
        EXPECT_EQ(name, CString(""));
    }
}

TEST_F(PageLayoutFile, EveryShortenedFileFailsAndLeavesTheLayoutWhole) {
    const std::string path = root / "cut.kvl";
    const std::string endOfFile =
        "ﾌｧｲﾙ " + path + " は途中で終わっています。壊れている可能性があります。";
    for (size_t size = 0; size < kA4File.size(); ++size) {
        WriteBytes(path, kA4File.substr(0, size));
        CPageLayout layout;
        layout.SetName("keep");
        EXPECT_EQ(Error(layout.Load(path.c_str())), endOfFile) << size;
        CPageLayout expected;
        expected.SetName("keep");
        ExpectSame(layout, expected);
        CString name("x");
        if (size < 16) // the name is cut too
            EXPECT_EQ(Error(layout.ReadName(path.c_str(), name)), endOfFile) << size;
        else
            EXPECT_EQ(Error(layout.ReadName(path.c_str(), name)), "") << size;
    }
}

TEST_F(PageLayoutFile, OutOfRangeValuesAreRefusedNamingTheFile) {
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
        CPageLayout layout = A4Layout();
        EXPECT_EQ(Error(layout.Load(path.c_str())), Refused(path));
        ExpectSame(layout, A4Layout());
    }
    // The edges of the ranges are read.
    const std::string good[] = {
        WithLong(WithLong(kDefaultFile, 37, 100), 41, 100),
        WithFloat(WithFloat(kDefaultFile, 13, 2000.0f), 45, -2000.0f),
    };
    for (const std::string& bytes : good) {
        WriteBytes(path, bytes);
        EXPECT_EQ(Error(CPageLayout().Load(path.c_str())), "");
    }
}

TEST_F(PageLayoutFile, AMissingFileIsReportedAndAFailedSaveKeepsTheOldFile) {
    const std::string missing = root / "none.kvl";
    CPageLayout layout;
    CString name;
    EXPECT_EQ(Error(layout.Load(missing.c_str())), "ﾌｧｲﾙ " + missing + " が見つかりません。");
    EXPECT_EQ(Error(layout.ReadName(missing.c_str(), name)),
              "ﾌｧｲﾙ " + missing + " が見つかりません。");

    // The save runs out of room half-way.
    const std::string path = root / "keep.kvl";
    WriteBytes(path, kA4File);
    std::optional<CFileError> error;
    WithFileSizeLimit(20, [&] { error = CPageLayout().Save(path.c_str()); });
    EXPECT_EQ(Error(error), "ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ " + path + " に書き込めません。");
    EXPECT_EQ(ReadBytes(path), kA4File);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.Path()), {}), 1);
}
