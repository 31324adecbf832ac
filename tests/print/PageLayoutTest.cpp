// Page layouts: the file's bytes, the bundled sheets, damaged files refused with
// the layout kept whole, the current layout in the settings and impossible
// grids. Where the cells lie is read from the labels' PDF (LabelDrawingTest); the
// GUI printing test reads the settings keys the program writes.

#include "PrintTestSupport.h"

#include "platform/MemorySettingsStore.h"
#include "platform/RecordingUserInteraction.h"
#include "print/PrintMessages.h"
#include "print/SheetPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <limits>

namespace {

// The default layout with an empty name, byte by byte.
const std::string
    kDefaultFile("\x01\0\0\0"                       // version 1
                 "\x01\0\0\0\0"                     // name "": count 1, the 0
                 "\0\0\0\0"                         // portrait
                 "\x66\xE6\x57\x43\x33\xB3\x8B\x43" // 215.9 x 279.4
                 "\x33\x33\x4B\x41\x33\x33\x4B\x41\x33\x33\x4B\x41\x33\x33\x4B\x41" // margins 12.7
                 "\x01\0\0\0\x01\0\0\0"              // 1 column, 1 row
                 "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", // cell margins 0
                 61);

// The error's text; "" for none.
std::string Error(const std::optional<CFileError>& error) {
    return error ? error->GetText() : std::string();
}

// Orientation, paper, page margins (top, bottom, left, right), grid and cell
// margins in the same order.
std::string Describe(const CPageLayout& l) {
    char text[160];
    std::snprintf(text, sizeof text, "%d %gx%g %g,%g,%g,%g %dx%d %g,%g,%g,%g", l.m_nOrientation,
                  l.m_lenPageWidth.mm(), l.m_lenPageHeight.mm(), l.m_lenPageMarginTop.mm(),
                  l.m_lenPageMarginBottom.mm(), l.m_lenPageMarginLeft.mm(),
                  l.m_lenPageMarginRight.mm(), l.m_nColumns, l.m_nRows, l.m_lenCellMarginTop.mm(),
                  l.m_lenCellMarginBottom.mm(), l.m_lenCellMarginLeft.mm(),
                  l.m_lenCellMarginRight.mm());
    return text;
}

std::string WithLong(std::string bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
}

std::string WithFloat(std::string bytes, size_t at, float value) {
    return WithLong(std::move(bytes), at, std::bit_cast<int32_t>(value));
}

// Layouts report their errors to the caller and show nothing.
class PageLayoutTest : public ::testing::Test {
protected:
    PageLayoutTest() { AfxSetProfile(&store); }
    ~PageLayoutTest() override {
        AfxSetProfile(nullptr);
        EXPECT_EQ(ui.Problems(), "");
    }

    TempDir root;
    RecordingUserInteraction ui;
    CMemorySettingsStore store;
};

} // namespace

TEST_F(PageLayoutTest, TheBundledSheetsAndTheBytesTheProgramWrites) {
    const std::string saved = root / "saved.kvl";
    ASSERT_EQ(Error(CPageLayout().Save(saved.c_str())), "");
    EXPECT_EQ(ReadBytes(saved), kDefaultFile);

    const std::pair<const char*, const char*> sheets[] = {
        {"A4_10.KVL", "A4 10面 0 210x297 21.5,21.5,18.6,18.6 2x5 5,4,6,5"},
        {"A4_12.KVL", "A4 12面 0 210x297 21.6,21.6,18.6,18.6 2x6 4,3,5,4"},
        {"A4_18.KVL", "A4 18面 0 210x297 9,9,18.6,18.6 2x9 2,2,5,4"},
        {"A4_21.KVL", "A4 21面 0 210x297 0.45,0.45,0,0 3x7 4,3,5,4"},
        {"A4_24.KVL", "A4 24面 0 210x297 12.9,12.9,0,0 3x8 3,2,5,4"},
        {"LETTER_10.KVL", "Letter 10面 0 215.9x279.4 12.7,12.7,4,4 2x5 4,4,6,6"},
        {"LETTER_30.KVL", "Letter 30面 0 215.9x279.4 12.7,12.7,4.8,4.8 3x10 1.5,1.5,3,3"},
        {"A4_44.KVL", "A4 44面 48.3×25.4 0 210x297 8.8,8.8,8.4,8.4 4x11 2,1.5,3,2"},
        {"A4_40.KVL", "A4 40面 52.5×29.7 0 210x297 0,0,0,0 4x10 3,2,4,3"},
        {"A4_65.KVL", "A4 65面 38.1×21.2 0 210x297 10.7,10.7,4.75,2.25 5x13 1,1,1.5,4"},
        {"HAGAKI_1.KVL", "はがき 宛名 100×148 0 100x148 28,30,12,12 1x1 0,0,0,0"},
        {"NAGA3_1.KVL", "長形3号 宛名 120×235 0 120x235 40,70,15,15 1x1 0,0,0,0"},
    };
    for (const auto& [file, sheet] : sheets) {
        SCOPED_TRACE(file);
        const std::string path = std::string(BUNDLED_LAYOUTS_DIR) + "/" + file;
        CPageLayout layout;
        ASSERT_EQ(Error(layout.Load(path.c_str())), "");
        EXPECT_EQ(layout.GetName().str() + " " + Describe(layout), Sjis(sheet).str());
        ASSERT_EQ(Error(layout.Save(saved.c_str())), "");
        EXPECT_EQ(ReadBytes(saved), ReadBytes(path));
    }
}

TEST_F(PageLayoutTest, DamagedFilesAreRefusedNamingTheFileAndLeaveTheLayoutWhole) {
    const std::string path = root / "bad.kvl";
    const std::string newer = "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
                              "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n" +
                              path;
    const std::string cut =
        "ﾌｧｲﾙ " + path + " は途中で終わっています。壊れている可能性があります。";
    const std::string refused =
        "ﾌｧｲﾙ " + path +
        " はﾍﾟｰｼﾞﾚｲｱｳﾄとして読み込めません。壊れている可能性があります。\n"
        "(行と列は 1 から 100、方向は縦か横、寸法は -2000 mm から 2000 mm の範囲)";
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // Bytes, the error, whether the name can still be read.
    std::vector<std::tuple<std::string, std::string, bool>> cases = {
        {WithLong(kDefaultFile, 0, 2), newer, false},
        {WithLong(kDefaultFile, 0, -1), newer, false},
    };
    for (size_t size = 0; size < kDefaultFile.size(); ++size)
        cases.emplace_back(kDefaultFile.substr(0, size), cut, size >= 9);
    // Offsets: orientation 9, lengths 13 to 33, columns 37, rows 41, cell margins 45 to 57.
    for (const std::string& bytes :
         {WithLong(kDefaultFile, 37, 0), WithLong(kDefaultFile, 37, 101),
          WithLong(kDefaultFile, 37, -1), WithLong(kDefaultFile, 41, 1 << 20),
          WithLong(kDefaultFile, 9, 2), WithLong(kDefaultFile, 9, -1),
          WithFloat(kDefaultFile, 13, nan), WithFloat(kDefaultFile, 17, inf),
          WithFloat(kDefaultFile, 21, 2000.5f), WithFloat(kDefaultFile, 33, -2001.0f),
          WithFloat(kDefaultFile, 57, -inf)})
        cases.emplace_back(bytes, refused, true);
    CPageLayout a4;
    ASSERT_EQ(Error(a4.Load(BUNDLED_LAYOUTS_DIR "/A4_12.KVL")), "");
    for (const auto& [bytes, error, nameRead] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        WriteBytes(path, bytes);
        CPageLayout layout = a4;
        EXPECT_EQ(Error(layout.Load(path.c_str())), error);
        EXPECT_EQ(layout.GetName() + Describe(layout).c_str(), a4.GetName() + Describe(a4).c_str());
        CString name("x");
        EXPECT_EQ(Error(layout.ReadName(path.c_str(), name)), nameRead ? "" : error);
    }
    // Version 0 and the edges of the ranges are read.
    for (const std::string& bytes :
         {WithLong(kDefaultFile, 0, 0), WithLong(WithLong(kDefaultFile, 37, 100), 41, 100),
          WithFloat(WithFloat(kDefaultFile, 13, 2000.0f), 45, -2000.0f)}) {
        WriteBytes(path, bytes);
        EXPECT_EQ(Error(CPageLayout().Load(path.c_str())), "");
    }
    const std::string missing = root / "none.kvl";
    EXPECT_EQ(Error(a4.Load(missing.c_str())), "ﾌｧｲﾙ " + missing + " が見つかりません。");
}

TEST_F(PageLayoutTest, SettingsValuesSurviveEveryRunExactly) {
    CPageLayout layout;
    layout.SetName(Sjis("宛名 12面"));
    layout.m_lenPageMarginLeft = Length::fromMm(-5.0f);
    layout.m_lenCellMarginBottom = Length::fromMm(3.25f);
    ASSERT_TRUE(layout.SaveToProfile());
    EXPECT_EQ(store.GetProfileInt("PageLayout", "PageMarginLeft", 0), -500);
    // However often the program starts and closes, 12.7 stays 12.7.
    for (int run = 0; run < 5; ++run) {
        CPageLayout read;
        read.LoadFromProfile();
        ASSERT_TRUE(read.SaveToProfile());
    }
    CPageLayout read;
    read.LoadFromProfile();
    EXPECT_EQ(read.GetName(), Sjis("宛名 12面"));
    EXPECT_EQ(read.m_lenPageMarginTop.mm(), 12.7f);
    EXPECT_EQ(read.m_lenPageMarginLeft.mm(), -5.0f);
    EXPECT_EQ(read.m_lenCellMarginBottom.mm(), 3.25f);
    EXPECT_EQ(store.GetProfileInt("PageLayout", "PageMarginTop", 0), 1270);
}

TEST_F(PageLayoutTest, SettingsAnyValueOutOfRangeGivesTheWholeDefaults) {
    for (auto [key, value] : {std::pair{"Columns", 0},
                              {"Columns", 101},
                              {"Rows", -1},
                              {"Orientation", 2},
                              {"PageWidth", 200001},
                              {"PageMarginTop", -200001},
                              {"CellMarginRight", 2147483647},
                              {"PageHeight", -2147483647 - 1}}) {
        store.WriteProfileString("PageLayout", "LayoutName", "mine");
        store.WriteProfileInt("PageLayout", "Columns", 2);
        store.WriteProfileInt("PageLayout", "PageMarginLeft", 500);
        store.WriteProfileInt("PageLayout", key, value);
        CPageLayout layout;
        layout.LoadFromProfile();
        EXPECT_EQ(layout.GetName(), CString("")) << key;
        EXPECT_EQ(layout.m_nColumns, 1) << key;
        EXPECT_EQ(layout.m_lenPageMarginLeft.mm(), 12.7f) << key;
        store.RemoveKey("PageLayout", key);
    }
    // The edges are taken; a missing key gives its own default only.
    store.WriteProfileInt("PageLayout", "Columns", 100);
    store.WriteProfileInt("PageLayout", "CellMarginTop", -200000);
    CPageLayout layout;
    layout.m_nRows = 7;
    layout.LoadFromProfile();
    EXPECT_EQ(layout.m_nRows, 1);
    EXPECT_EQ(layout.m_nColumns, 100);
    EXPECT_EQ(layout.m_lenCellMarginTop.mm(), -2000.0f);
    EXPECT_EQ(layout.GetName(), CString("mine"));
}

TEST_F(PageLayoutTest, ImpossibleLayoutsAreRefusedNamingTheField) {
    for (auto [columns, rows] : {std::pair{0, 3}, {3, 0}, {-2, -3}}) {
        CPageLayout layout;
        layout.m_nColumns = columns;
        layout.m_nRows = rows;
        EXPECT_EQ(layout.GetCellCount(), 0);
        EXPECT_EQ(layout.GetCellTextRectF(5), RectMm{});
    }
    const CPageLayout a4 = Sheet(210, 297, 1, 20, 2, 6, 4, 3);
    EXPECT_TRUE(a4.IsValid());
    // The preview draws a valid sheet, and nothing where it cannot scale it.
    EnsureGuiApplication();
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    EXPECT_FALSE(PaintSheet(painter, QRect(0, 0, 3, 30), a4));
    EXPECT_FALSE(PaintSheet(painter, QRect(0, 0, -5, -5), a4));
    EXPECT_EQ(image.pixel(20, 15), QColor(Qt::green).rgb());
    EXPECT_TRUE(PaintSheet(painter, image.rect(), a4));
    EXPECT_NE(image.pixel(20, 15), QColor(Qt::green).rgb());
    const float inf = std::numeric_limits<float>::infinity();
    using F = LayoutField;
    // A change of the landscape A4 sheet and the text that refuses it.
    const std::tuple<std::function<void(CPageLayout&)>, LayoutFault, const char*> cases[] = {
        {[](CPageLayout& l) { l.m_lenPageHeight = Length(); },
         {F::PrintWidth, LayoutFault::OutOfRange},
         "用紙の幅は 0 mm より大きく 2000 mm 以下にしてください。"},
        {[](CPageLayout& l) { l.m_lenPageWidth = Length::fromMm(2000.5f); },
         {F::PrintHeight, LayoutFault::OutOfRange},
         "用紙の高さは 0 mm より大きく 2000 mm 以下にしてください。"},
        {[inf](CPageLayout& l) { l.m_lenPageWidth = Length::fromMm(-inf); },
         {F::PrintHeight, LayoutFault::OutOfRange},
         nullptr},
        {[](CPageLayout& l) { l.m_lenCellMarginRight = Length::fromMm(-0.01f); },
         {F::CellMarginRight, LayoutFault::OutOfRange},
         "ｾﾙ内余白の右は 0 mm から 2000 mm までにしてください。"},
        {[](CPageLayout& l) { l.m_nRows = 101; },
         {F::Rows, LayoutFault::OutOfRange},
         "列は 1 から 100 までにしてください。"},
        {[](CPageLayout& l) { l.m_nOrientation = 2; },
         {F::Orientation, LayoutFault::OutOfRange},
         "方向は縦か横にしてください。"},
        {[](CPageLayout& l) { l.m_lenPageMarginLeft = Length::fromMm(277.0f); },
         {F::PageMarginLeft, LayoutFault::NoPage},
         "用紙余白の左と右で用紙の幅がなくなります。余白を小さくしてください。"},
        {[](CPageLayout& l) { l.m_lenPageMarginBottom = Length::fromMm(190.0f); },
         {F::PageMarginTop, LayoutFault::NoPage},
         nullptr},
        {[](CPageLayout& l) { l.m_nColumns = 100; },
         {F::CellMarginLeft, LayoutFault::NoRoomInCell},
         "ｾﾙ内余白の左と右でｾﾙの幅がなくなります。ｾﾙ内余白を小さくしてください。"},
        {[](CPageLayout& l) { l.m_lenCellMarginTop = Length::fromMm(26.0f); },
         {F::CellMarginTop, LayoutFault::NoRoomInCell},
         nullptr},
    };
    for (const auto& [change, fault, text] : cases) {
        CPageLayout layout = a4;
        change(layout);
        const std::optional<LayoutFault> found = layout.Check();
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, fault) << static_cast<int>(found->field) << " " << found->kind;
        EXPECT_FALSE(layout.HasRoomForText());
        EXPECT_FALSE(PaintSheet(painter, image.rect(), layout));
        if (text) {
            EXPECT_EQ(printmsg::LayoutFaultText(*found), text);
        }
    }
}
