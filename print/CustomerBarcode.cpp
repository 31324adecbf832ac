#include "print/CustomerBarcode.h"

#include <QPainter>
#include <QRegularExpression>

#include <zint.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kSymbolChars = 20;
constexpr int kBars = 67;

int KanjiDigit(QChar c) {
    static const QString digits = QStringLiteral("〇一二三四五六七八九");
    return static_cast<int>(digits.indexOf(c));
}

int KanjiUnit(QChar c) {
    switch (c.unicode()) {
    case u'十':
        return 10;
    case u'百':
        return 100;
    case u'千':
        return 1000;
    default:
        return 0;
    }
}

bool IsKanjiNumeral(QChar c) {
    return KanjiDigit(c) >= 0 || KanjiUnit(c) > 0;
}

// 十一 → 11, 二十三 → 23, 百一 → 101; without units digit by digit (一〇一).
QString KanjiToDigits(QStringView run) {
    const bool units =
        std::any_of(run.begin(), run.end(), [](QChar c) { return KanjiUnit(c) > 0; });
    if (!units) {
        QString digits;
        for (const QChar c : run)
            digits += QChar(u'0' + KanjiDigit(c));
        return digits;
    }
    long total = 0;
    int digit = -1;
    for (const QChar c : run) {
        if (const int unit = KanjiUnit(c)) {
            total += (digit < 0 ? 1 : digit) * unit;
            digit = -1;
        } else {
            digit = KanjiDigit(c);
        }
    }
    return QString::number(total + std::max(digit, 0));
}

const QStringList& Marks() {
    static const QStringList marks = {
        QStringLiteral("丁"),   QStringLiteral("番地"), QStringLiteral("番"), QStringLiteral("号"),
        QStringLiteral("地割"), QStringLiteral("線"),   QStringLiteral("の"), QStringLiteral("ノ")};
    return marks;
}

// A number before one of the marks is an address number; so is one after a
// mark or a hyphen (the 三 of 二番地の三). 番町 is a town's name (三番町).
bool IsAddressNumber(QStringView before, QStringView after) {
    if (after.startsWith(u"番町"))
        return false;
    const QStringList& marks = Marks();
    return std::any_of(marks.begin(), marks.end(),
                       [&](const QString& m) {
                           return after.startsWith(m) || (before.endsWith(m) && m != u"丁");
                       }) ||
           before.endsWith(u"丁目") || before.endsWith(u'-');
}

bool IsLetter(QChar c) {
    return c >= u'A' && c <= u'Z';
}

} // namespace

QString AddressDisplayNumber(const QString& address) {
    QString s = address.normalized(QString::NormalizationForm_KC).toUpper();
    s.remove(QRegularExpression(QStringLiteral("[&/・.]")));
    QString numbered;
    for (qsizetype i = 0; i < s.size();) {
        qsizetype end = i;
        while (end < s.size() && IsKanjiNumeral(s[end]))
            ++end;
        if (end > i) {
            const QStringView run = QStringView(s).mid(i, end - i);
            if (IsAddressNumber(QStringView(s).left(i), QStringView(s).mid(end)))
                numbered += KanjiToDigits(run);
            else
                numbered += run;
            i = end;
        } else {
            numbered += s[i];
            ++i;
        }
    }
    QString out;
    for (qsizetype i = 0; i < numbered.size();) {
        const QChar c = numbered[i];
        if (c >= u'0' && c <= u'9') {
            out += c;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < numbered.size() && IsLetter(numbered[end]))
            ++end;
        const bool floor = c == u'F' && i > 0 && numbered[i - 1].isDigit();
        if (end == i + 1 && !floor) {
            if (out.endsWith(u'-'))
                out.chop(1);
            out += c;
        } else if (!out.isEmpty() && !out.endsWith(u'-')) {
            out += u'-';
        }
        i = std::max(end, i + 1);
    }
    while (out.endsWith(u'-'))
        out.chop(1);
    return out;
}

QString CustomerBarcodeData(const QString& postalDigits, const QString& address) {
    if (postalDigits.size() != 7)
        return {};
    QString data = postalDigits;
    int used = 7;
    for (const QChar c : AddressDisplayNumber(address)) {
        used += IsLetter(c) ? 2 : 1;
        if (used > kSymbolChars)
            break;
        data += c;
    }
    return data;
}

std::vector<CustomerBarcodeBar> CustomerBarcodeBars(const QString& data) {
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(),
                                                                      ZBarcode_Delete);
    if (!symbol || data.isEmpty())
        return {};
    symbol->symbology = BARCODE_JAPANPOST;
    symbol->show_hrt = 0;
    const QByteArray bytes = data.toLatin1();
    if (ZBarcode_Encode_and_Buffer_Vector(symbol.get(),
                                          reinterpret_cast<const unsigned char*>(bytes.data()),
                                          static_cast<int>(bytes.size()), 0) >= ZINT_ERROR ||
        !symbol->vector || !symbol->vector->rectangles || symbol->rows != 3)
        return {};
    // libzint sizes the bars in modules of its own; the rules fix the bar's
    // width and split the long bar in equal thirds.
    const double module = symbol->vector->rectangles->width;
    const double upper = symbol->row_height[0] * module;
    const double lower = upper + symbol->row_height[1] * module;
    const double total = lower + symbol->row_height[2] * module;
    const double third = kBarcodeHeightMm / 3;
    const auto y = [&](double v) {
        if (v <= upper)
            return v / upper * third;
        if (v <= lower)
            return third + (v - upper) / (lower - upper) * third;
        return 2 * third + std::min(v - lower, total - lower) / (total - lower) * third;
    };
    const double mmPerUnit = kBarcodeBarMm / module;
    std::vector<CustomerBarcodeBar> bars;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
        const double top = y(r->y);
        bars.push_back(
            {QRectF(r->x * mmPerUnit, top, r->width * mmPerUnit, y(r->y + r->height) - top)});
    }
    std::sort(bars.begin(), bars.end(),
              [](const auto& a, const auto& b) { return a.mm.left() < b.mm.left(); });
    if (bars.size() != kBars)
        return {};
    return bars;
}

QSizeF CustomerBarcodeSize() {
    return {(kBars - 1) * kBarcodePitchMm + kBarcodeBarMm, kBarcodeHeightMm};
}

bool DrawCustomerBarcode(QPainter& painter, const QString& data, QPointF topLeft,
                         double unitsPerMm) {
    const std::vector<CustomerBarcodeBar> bars = CustomerBarcodeBars(data);
    for (const CustomerBarcodeBar& bar : bars)
        painter.fillRect(QRectF(topLeft.x() + bar.mm.left() * unitsPerMm,
                                topLeft.y() + bar.mm.top() * unitsPerMm,
                                bar.mm.width() * unitsPerMm, bar.mm.height() * unitsPerMm),
                         Qt::black);
    return !bars.empty();
}
