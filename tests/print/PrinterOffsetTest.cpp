// A printer's calibration: the offset as typed and as kept by printer name,
// and every printed text moved by exactly it, read back from a PDF with
// pdftotext -bbox.

#include "PrintTestSupport.h"

#include "platform/MemorySettingsStore.h"
#include "print/LabelPdf.h"
#include "print/PrinterOffset.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <regex>

namespace {

struct Box {
    double xMin, yMin, xMax, yMax; // mm
    std::string text;
};

// Every word of the file with its box, in the order pdftotext finds them.
std::vector<Box> WordBoxes(const std::string& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QString::fromStdString(path), QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    const std::string html = pdftotext.readAllStandardOutput().toStdString();
    static const std::regex word(
        R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
    const double mm = 25.4 / 72.0;
    std::vector<Box> boxes;
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it) {
        const std::smatch& m = *it;
        boxes.push_back({std::stod(m[1]) * mm, std::stod(m[2]) * mm, std::stod(m[3]) * mm,
                         std::stod(m[4]) * mm, m[5]});
    }
    return boxes;
}

} // namespace

TEST(PrinterOffset, TypedAndKeptByPrinterName) {
    const std::pair<const char*, std::optional<PrintOffset>> typed[] = {
        {"1.5,-2.0", PrintOffset{1.5, -2.0}},
        {" -20 , 20 ", PrintOffset{-20, 20}},
        {"0,0", PrintOffset{}},
        {"20.01,0", std::nullopt},
        {"1,5", PrintOffset{1, 5}},
        {"1,5,0", std::nullopt},
        {"nan,0", std::nullopt},
        {"1e400,0", std::nullopt},
        {"1.5", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : typed)
        EXPECT_EQ(ParsePrintOffset(text), expected) << text;

    CMemorySettingsStore store;
    AfxSetProfile(&store);
    const QString name = QStringLiteral("Büro/Drucker 2 ＃");
    ASSERT_TRUE(SavePrinterOffset(name, {1.5, -2.0}));
    EXPECT_EQ(store.GetProfileString("PrinterOffset", "B%C3%BCro%2FDrucker%202%20%EF%BC%83"),
              CString("1.50,-2.00"));
    EXPECT_EQ(LoadPrinterOffset(name), (PrintOffset{1.5, -2.0}));
    EXPECT_EQ(LoadPrinterOffset(QStringLiteral("Büro")), PrintOffset{});
    EXPECT_FALSE(SavePrinterOffset(name, {0, 25}));
    EXPECT_FALSE(SavePrinterOffset(QString(), {1, 1}));
    store.WriteProfileString("PrinterOffset", "Bad", "99,0");
    EXPECT_EQ(LoadPrinterOffset(QStringLiteral("Bad")), PrintOffset{});
    ASSERT_TRUE(SavePrinterOffset(name, {}));
    EXPECT_FALSE(store.Contains("PrinterOffset", "B%C3%BCro%2FDrucker%202%20%EF%BC%83"));
    AfxSetProfile(nullptr);
}

TEST(PrinterOffset, EveryTextOfAPdfMovesByExactlyTheOffset) {
    EnsureGuiApplication();
    TempDir root;
    std::vector<CAddrCard> cards = {
        JapaneseCard("鈴木 一郎", "100-0001", "東京都千代田区1-1", "山田商事"),
        EnglishCard("Jane Doe", "2 Elm St.\r\nLondon", "Doe & Co."),
        JapaneseCard("田中", "", "札幌市")};
    std::vector<const CAddrCard*> listed;
    for (const CAddrCard& card : cards)
        listed.push_back(&card);
    const CPageLayout sheet = Sheet(210, 297, 0, 10, 2, 2, 3, 3);
    const std::string plain = root / "plain.pdf", moved = root / "moved.pdf";
    ASSERT_TRUE(WriteLabelsPdf(plain.c_str(), listed, sheet, DefaultFonts(), true));
    ASSERT_TRUE(WriteLabelsPdf(moved.c_str(), listed, sheet, DefaultFonts(), true, nullptr, nullptr,
                               PrintOffset{1.5, -2.0}));
    const std::vector<Box> before = WordBoxes(plain), after = WordBoxes(moved);
    ASSERT_GE(before.size(), 12u);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(before[i].text);
        EXPECT_EQ(after[i].text, before[i].text);
        EXPECT_NEAR(after[i].xMin - before[i].xMin, 1.5, 0.01);
        EXPECT_NEAR(after[i].xMax - before[i].xMax, 1.5, 0.01);
        EXPECT_NEAR(after[i].yMin - before[i].yMin, -2.0, 0.01);
        EXPECT_NEAR(after[i].yMax - before[i].yMax, -2.0, 0.01);
    }
}
