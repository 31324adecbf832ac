#pragma once
// The postal customer barcode (カスタマバーコード): its data made from a postal
// code and an address by the postal service's rules, the bars from libzint's
// Japanese postal symbology, drawn at the rules' 10-point size.

#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// The address display number: the digits of the house number, block and
// building or room number, joined by hyphens. Full-width letters and digits
// count as half-width; "&", "/", "・" and "." are dropped; kanji numerals
// before 丁目, 丁, 番地, 番, 号, 地割, 線, の or ノ become digits; a single
// letter is kept (without a hyphen before it) but F after a number (a floor)
// and runs of two or more letters separate like any other character.
// "3丁目5番8号 ABCビル10F" → "3-5-8-10".
QString AddressDisplayNumber(const QString& address);

// The barcode's data: the 7 digits of the postal code and the address display
// number, cut where it would pass the symbol's 20 characters (a letter takes
// two). "" when the postal code is not 7 digits.
QString CustomerBarcodeData(const QString& postalDigits, const QString& address);

struct CustomerBarcodeBar {
    QRectF mm; // from the symbol's top-left corner
};

inline constexpr double kBarcodePitchMm = 1.2;  // bar to bar
inline constexpr double kBarcodeBarMm = 0.6;    // a bar's width
inline constexpr double kBarcodeHeightMm = 3.6; // a long bar

// The bars libzint makes for data, scaled to the rules' size: long, upper,
// lower and timing bars in thirds of the long bar's height. Empty when
// libzint refuses the data.
std::vector<CustomerBarcodeBar> CustomerBarcodeBars(const QString& data);

// The symbol's size in mm.
QSizeF CustomerBarcodeSize();

// Draws the bars with their top-left corner at topLeft, in the painter's
// units, unitsPerMm of them to the millimetre. FALSE when there is nothing to
// draw.
bool DrawCustomerBarcode(QPainter& painter, const QString& data, QPointF topLeft,
                         double unitsPerMm);
