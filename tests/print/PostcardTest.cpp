// Postcards and envelopes: postal codes, the name column, the bundled sizes,
// and pages written to PDF and read back with pdftotext: each digit in its
// box on every bundled size, the address top to bottom in columns right to
// left, the sender in its area, and what is reported.

#include "PrintTestSupport.h"

#include "print/PostcardPdf.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>

namespace {

struct Glyph {
    double left = 0, top = 0, right = 0, bottom = 0; // mm
    std::string text;
    double cx() const { return (left + right) / 2; }
    double cy() const { return (top + bottom) / 2; }
};

// The words of a page (1 for the first) as pdftotext -bbox finds them.
std::vector<Glyph> ReadGlyphs(const std::string& path, int page = 1) {
    const QString n = QString::number(page);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                     QString::fromStdString(path), QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    const std::string html = pdftotext.readAllStandardOutput().toStdString();
    static const std::regex word(
        R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
    const double mm = 25.4 / 72.0;
    std::vector<Glyph> glyphs;
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        glyphs.push_back({std::stod((*it)[1]) * mm, std::stod((*it)[2]) * mm,
                          std::stod((*it)[3]) * mm, std::stod((*it)[4]) * mm, (*it)[5]});
    return glyphs;
}

// Whether g lies inside r (on the paper) give or take 0.5 mm.
bool Inside(const Glyph& g, const RectMm& r) {
    return g.left >= r.left - 0.5 && g.right <= r.right + 0.5 && g.top >= r.top - 0.5 &&
           g.bottom <= r.bottom + 0.5;
}

RectMm OnPaper(const RectMm& r, const PostcardSize& size) {
    return {r.left + size.face.left, r.top + size.face.top, r.right + size.face.left,
            r.bottom + size.face.top};
}

// A word of n characters of equal advance cut into its characters.
std::vector<Glyph> Characters(const std::vector<Glyph>& words) {
    std::vector<Glyph> chars;
    for (const Glyph& w : words) {
        const QString text = QString::fromStdString(w.text);
        const double step = (w.right - w.left) / static_cast<double>(text.size());
        for (qsizetype i = 0; i < text.size(); ++i)
            chars.push_back({w.left + step * static_cast<double>(i), w.top,
                             w.left + step * static_cast<double>(i + 1), w.bottom,
                             text.mid(i, 1).toStdString()});
    }
    return chars;
}

std::vector<Glyph> Find(const std::vector<Glyph>& glyphs, const char* utf8) {
    std::vector<Glyph> found;
    for (const QChar c : QString::fromUtf8(utf8))
        for (const Glyph& g : glyphs)
            if (g.text == QString(c).toStdString())
                found.push_back(g);
    return found;
}

// The digits drawn on the level of the boxes, left to right.
std::vector<Glyph> BoxDigits(const std::vector<Glyph>& glyphs, const RectMm& box) {
    std::vector<Glyph> digits;
    for (const Glyph& g : glyphs)
        if (g.text.size() == 1 && std::isdigit(static_cast<unsigned char>(g.text[0])) &&
            g.cy() > box.top && g.cy() < box.bottom)
            digits.push_back(g);
    std::sort(digits.begin(), digits.end(),
              [](const Glyph& a, const Glyph& b) { return a.left < b.left; });
    return digits;
}

void ExpectInBoxes(const std::vector<Glyph>& glyphs, const PostalBoxes& boxes,
                   const PostcardSize& size, const char* expected) {
    const std::vector<Glyph> digits = BoxDigits(glyphs, OnPaper(boxes.Box(0), size));
    ASSERT_EQ(digits.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(digits[i].text, std::string(1, expected[i]));
        EXPECT_TRUE(Inside(digits[i], OnPaper(boxes.Box(i), size))) << i;
    }
}

} // namespace

TEST(Postcard, PostalCodesAndNames) {
    const std::pair<const char*, const char*> zips[] = {
        {"123-4567", "1234567"},
        {"〒１２３－４５６７", "1234567"},
        {" 1234567 ", "1234567"},
        {"123-456", ""},
        {"12345678", ""},
        {"123-45a7", ""},
        {"", ""},
    };
    for (const auto& [zip, digits] : zips)
        EXPECT_EQ(PostalCodeDigits(Sjis(zip)).toStdString(), digits) << zip;
    EXPECT_EQ(RecipientName(JapaneseCard("山田  太郎", "", "x", "株式会社ＡＢＣ")).toStdString(),
              "山田 太郎 様");
    EXPECT_EQ(RecipientName(JapaneseCard("", "", "x", "株式会社ＡＢＣ")).toStdString(),
              "株式会社ＡＢＣ 御中");
    EXPECT_TRUE(HasPostcardText(JapaneseCard("", "", "東京都", "株式会社ＡＢＣ")));
    EXPECT_FALSE(HasPostcardText(JapaneseCard("山田", "", " \r\n")));
    EXPECT_FALSE(HasPostcardText(JapaneseCard("", "", "東京都")));
}

// Every bundled layout: the digits in their boxes, the address in columns
// top to bottom and right to left, the sender inside its area. A postal code
// not of 7 digits leaves the boxes empty and a character no face draws is
// named; an English card is set across.
TEST(Postcard, BundledSizesReadBack) {
    EnsureGuiApplication();
    std::vector<PostcardSize> sizes;
    ASSERT_FALSE(ReadPostcardSizes(BUNDLED_LAYOUTS_DIR "/POSTBOX.DEF", sizes));
    ASSERT_EQ(sizes.size(), 4u);
    const CAddrCard card = JapaneseCard("山田 太郎", "123-4567",
                                        "東京都港区芝公園4-2-8\r\n桜ビル3F", "株式会社ＡＢＣ");
    const CAddrCard sender =
        JapaneseCard("鈴木 花子", "〒９８７-６５４３", "宮城県仙台市青葉区本町3丁目8-1");
    CAddrCard bad = JapaneseCard("山田", "123-456", "東京都");
    bad.m_strName = CZkString(Sjis("山田") + CString("\x85\x40"));
    const CAddrCard english = EnglishCard("John Smith", "1 Main Street\r\nSpringfield");
    PostcardOptions options;
    options.face = MakePostcardFont("IPAMincho");
    options.english = DefaultFonts().english;
    options.sender = &sender;
    TempDir dir;
    for (const char* file : {"HAGAKI.KVP", "OFUKU.KVP", "NAGA3.KVP", "NAGA4.KVP"}) {
        SCOPED_TRACE(file);
        CPostcardLayout layout;
        ASSERT_FALSE(layout.Load((std::string(BUNDLED_LAYOUTS_DIR "/") + file).c_str()));
        const PostcardSize* size = FindPostcardSize(sizes, layout.m_strSize.view());
        ASSERT_TRUE(size);
        const CPostcardPainter painter(layout, *size, options);
        const CAddrCard* cards[] = {&card, &bad, &english};
        std::vector<PostcardProblem> problems;
        ASSERT_TRUE(WritePostcardsPdf((dir / "a.pdf").c_str(), cards, painter, false, &problems));
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].card, &bad);
        EXPECT_TRUE(problems[0].report.badZip);
        EXPECT_EQ(problems[0].report.undrawable, QString(QChar::ReplacementCharacter));
        const std::vector<Glyph> glyphs = Characters(ReadGlyphs(dir / "a.pdf"));

        ExpectInBoxes(glyphs, size->recipient, *size, "1234567");

        const std::vector<Glyph> first = Find(glyphs, "東京都港芝公園");
        const std::vector<Glyph> second = Find(glyphs, "桜ビル");
        ASSERT_EQ(first.size(), 7u);
        ASSERT_EQ(second.size(), 3u);
        for (size_t i = 1; i < first.size(); ++i) {
            EXPECT_NEAR(first[i].cx(), first[0].cx(), 0.2);
            EXPECT_GT(first[i].top, first[i - 1].top);
        }
        EXPECT_LT(second[0].cx(), first[0].cx() - 2);
        EXPECT_TRUE(Inside(first[0], OnPaper(size->address, *size)));

        const std::vector<Glyph> from = Find(glyphs, "宮城県仙台市鈴木花子");
        ASSERT_EQ(from.size(), 10u);
        for (const Glyph& g : from)
            EXPECT_TRUE(Inside(g, OnPaper(size->senderArea, *size))) << g.text;
        if (size->sender.Present())
            ExpectInBoxes(glyphs, size->sender, *size, "9876543");

        EXPECT_TRUE(BoxDigits(Characters(ReadGlyphs(dir / "a.pdf", 2)),
                              OnPaper(size->recipient.Box(0), *size))
                        .empty());
        const std::vector<Glyph> words = ReadGlyphs(dir / "a.pdf", 3);
        const auto word = [&](const char* text) {
            return std::find_if(words.begin(), words.end(),
                                [&](const Glyph& g) { return g.text == text; });
        };
        ASSERT_TRUE(word("John") != words.end() && word("Smith") != words.end());
        EXPECT_NEAR(word("John")->top, word("Smith")->top, 0.1);
        EXPECT_LT(word("John")->left, word("Smith")->left);
    }
}
