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

// The top-left corner of every word of the file, in mm, in the order pdftotext finds them.
std::vector<std::tuple<double, double, std::string>> WordCorners(const std::string& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QString::fromStdString(path), QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    const std::string html = pdftotext.readAllStandardOutput().toStdString();
    static const std::regex word(R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)"[^>]*>([^<]*)<)re");
    std::vector<std::tuple<double, double, std::string>> corners;
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        corners.emplace_back(std::stod((*it)[1]) * 25.4 / 72, std::stod((*it)[2]) * 25.4 / 72,
                             (*it)[3]);
    return corners;
}

} // namespace

TEST(PrinterOffset, TypedAndKeptByPrinterName) {
    const std::pair<const char*, std::optional<PrintOffset>> typed[] = {
        {"1.5,-2.0", PrintOffset{1.5, -2.0}},
        {" -20 , 20 ", PrintOffset{-20, 20}},
        {"1,5", PrintOffset{1, 5}},
        {"20.01,0", std::nullopt},
        {"1,5,0", std::nullopt},
        {"nan,0", std::nullopt},
        {"1.5", std::nullopt}};
    for (const auto& [text, expected] : typed)
        EXPECT_EQ(ParsePrintOffset(text), expected) << text;

    CMemorySettingsStore store;
    AfxSetProfile(&store);
    const QString name = QStringLiteral("Büro/Drucker 2");
    const char* key = "B%C3%BCro%2FDrucker%202";
    ASSERT_TRUE(SavePrinterOffset(name, {1.5, -2.0}));
    EXPECT_EQ(store.GetProfileString("PrinterOffset", key), CString("1.50,-2.00"));
    EXPECT_EQ(LoadPrinterOffset(name), (PrintOffset{1.5, -2.0}));
    EXPECT_FALSE(SavePrinterOffset(name, {0, 25}));
    store.WriteProfileString("PrinterOffset", "Bad", "99,0");
    EXPECT_EQ(LoadPrinterOffset(QStringLiteral("Bad")), PrintOffset{});
    ASSERT_TRUE(SavePrinterOffset(name, {}));
    EXPECT_FALSE(store.Contains("PrinterOffset", key));
    AfxSetProfile(nullptr);
}

TEST(PrinterOffset, EveryTextOfAPdfMovesByExactlyTheOffset) {
    EnsureGuiApplication();
    TempDir root;
    const CAddrCard cards[] = {
        JapaneseCard("鈴木 一郎", "100-0001", "東京都千代田区1-1", "山田商事"),
        EnglishCard("Jane Doe", "2 Elm St.\r\nLondon", "Doe & Co.")};
    const std::vector<const CAddrCard*> listed = {&cards[0], &cards[1]};
    const CPageLayout sheet = Sheet(210, 297, 0, 10, 2, 2, 3, 3);
    const std::string plain = root / "plain.pdf", moved = root / "moved.pdf";
    ASSERT_TRUE(WriteLabelsPdf(plain.c_str(), listed, sheet, DefaultFonts(), true));
    ASSERT_TRUE(WriteLabelsPdf(moved.c_str(), listed, sheet, DefaultFonts(), true, nullptr, nullptr,
                               PrintOffset{1.5, -2.0}));
    const auto before = WordCorners(plain), after = WordCorners(moved);
    ASSERT_GE(before.size(), 10u);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        const auto& [x, y, text] = before[i];
        EXPECT_EQ(std::get<2>(after[i]), text);
        EXPECT_NEAR(std::get<0>(after[i]) - x, 1.5, 0.01) << text;
        EXPECT_NEAR(std::get<1>(after[i]) - y, -2.0, 0.01) << text;
    }
}
