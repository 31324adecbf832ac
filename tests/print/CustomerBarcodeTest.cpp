// The postal customer barcode: the address display number by the postal
// service's rules (its own worked examples among the cases), the data cut to
// the symbol's 20 characters, and the bars painted on an envelope equal to
// libzint's symbol for the same data.

#include "PrintTestSupport.h"

#include "platform/QtText.h"
#include "print/CustomerBarcode.h"
#include "print/PostcardPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <zint.h>

namespace {

TEST(CustomerBarcode, AddressDisplayNumber) {
    const struct {
        const char* address;
        const char* number;
    } cases[] = {
        {"東京都千代田区千代田1-1", "1-1"},
        {"3丁目5番8号", "3-5-8"},
        {"一丁目二番三号", "1-2-3"},
        {"二十三番地百一号", "23-101"},
        {"五丁目二番地の三", "5-2-3"},
        {"１２－３４　２Ｆ", "12-34-2"},
        {"5-6 コーポ202号室", "5-6-202"},
        {"千代田区三番町6", "6"},
        // The postal service's examples.
        {"千葉市稲毛区緑町3丁目30-8 郵便ビル403号", "3-30-8-403"},
        {"秋田県大仙市堀見内 南田茂木 添60-1", "60-1"},
        {"東京都台東区台東5-6-3 ABCビル10F", "5-6-3-10"},
        {"北海道札幌市東区北六条東4丁目 郵便センター6号館", "4-6"},
        {"山梨県韮崎市龍岡町下條南割 韮崎400", "400"},
        {"千葉県鎌ケ谷市右京塚 東3丁目-20-5 郵便・A&bコーポB604号", "3-20-5B604"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddressDisplayNumber(QString::fromUtf8(c.address)).toStdString(), c.number)
            << c.address;
}

TEST(CustomerBarcode, DataIsCutToTwentyCharacters) {
    EXPECT_EQ(CustomerBarcodeData(QStringLiteral("2630023"), QStringLiteral("3-30-8-403")),
              QStringLiteral("26300233-30-8-403"));
    // A letter takes two characters: B does not fit after 12 of 13.
    EXPECT_EQ(CustomerBarcodeData(QStringLiteral("1000001"), QStringLiteral("1234-5678-901B")),
              QStringLiteral("10000011234-5678-901"));
    EXPECT_EQ(CustomerBarcodeData(QStringLiteral("100001"), QStringLiteral("1-1")), QString());
}

// The bars of libzint's own vector output: 'F' long, 'A' upper, 'D' lower,
// 'T' timing, left to right.
std::string ZintBars(const char* data) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_JAPANPOST;
    EXPECT_LT(ZBarcode_Encode_and_Buffer_Vector(symbol,
                                                reinterpret_cast<const unsigned char*>(data),
                                                static_cast<int>(strlen(data)), 0),
              ZINT_ERROR);
    std::vector<std::pair<float, char>> bars;
    const float full = symbol->vector->height;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
        const bool up = r->y <= 0, down = r->y + r->height >= full;
        bars.push_back({r->x, up ? (down ? 'F' : 'A') : (down ? 'D' : 'T')});
    }
    ZBarcode_Delete(symbol);
    std::sort(bars.begin(), bars.end());
    std::string kinds;
    for (const auto& b : bars)
        kinds += b.second;
    return kinds;
}

// An envelope painted at 20 px/mm, the barcode read back from the pixels.
TEST(CustomerBarcode, EnvelopeBarsAreLibzintsAtTheRulesSize) {
    EnsureGuiApplication();
    std::vector<PostcardSize> sizes;
    ASSERT_FALSE(ReadPostcardSizes(BUNDLED_LAYOUTS_DIR "/POSTBOX.DEF", sizes));
    const PostcardSize size = *FindPostcardSize(sizes, "NAGA3");
    const PostcardSize& hagaki = *FindPostcardSize(sizes, "HAGAKI");
    ASSERT_TRUE(WantsBarcode(size, false, true) && !WantsBarcode(size, true, false) &&
                WantsBarcode(hagaki, true, false) && !WantsBarcode(hagaki, false, true));
    PostcardOptions options;
    options.face = MakePostcardFont("IPAMincho");
    options.barcode = true;
    const CPostcardPainter painter(CPostcardLayout(), size, options);
    const CAddrCard card =
        JapaneseCard("山田 太郎", "263-0023", "千葉市稲毛区緑町3丁目30-8\n郵便ビル403号");
    constexpr double px = 20;
    QImage image(120 * 20, 235 * 20, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter p(&image);
    painter.DrawCard(p, {px, px}, card, false);
    p.end();

    const RectMm area = painter.BarcodeArea();
    EXPECT_GE(area.top, 215);
    const auto dark = [&](double xMm, double yMm) {
        return qGray(image.pixel(static_cast<int>(xMm * px), static_cast<int>(yMm * px))) < 128;
    };
    std::string kinds;
    int runs = 0;
    double firstLeft = -1, lastRight = 0;
    for (double x = area.left - 1; x < area.right + 1; x += 1 / px) {
        const bool on = dark(x, area.top + 1.8);
        if (on && !dark(x - 1 / px, area.top + 1.8)) {
            ++runs;
            if (firstLeft < 0)
                firstLeft = x;
            const bool up = dark(x + 0.3, area.top + 0.2), down = dark(x + 0.3, area.top + 3.4);
            kinds += up ? (down ? 'F' : 'A') : (down ? 'D' : 'T');
        }
        if (on)
            lastRight = x;
    }
    EXPECT_EQ(runs, 67);
    EXPECT_EQ(kinds, ZintBars("26300233-30-8-403"));
    EXPECT_NEAR(lastRight - firstLeft, 79.8, 0.1); // 66 pitches of 1.2 mm and a bar
}

} // namespace
