#pragma once
// The painter of a postcard's or an envelope's address face, for any QPainter
// device: the printer, the preview and PDF files. A Japanese card is set
// vertically: the postal code's digits in the printed boxes, the address at
// the right, the name large in the middle ending in 様 (the company and 御中
// when there is no name), the company and title smaller beside the name, and
// the sender's card at the lower left with its postal code in the sender's
// boxes. An English card is set horizontally in Western order.

#include "model/AddrCard.h"
#include "print/LabelPainter.h"
#include "print/PostcardLayout.h"
#include "print/VerticalText.h"

#include <QFont>
#include <QString>

class QPainter;

struct PostcardOptions {
    NumeralStyle numerals = NumeralStyle::Kanji;
    QFont face;    // vertical text; its size is not used
    QFont english; // English cards, at its own size
    const CAddrCard* sender = nullptr;
    bool barcode = false; // the postal customer barcode under the address
};

struct PostcardReport {
    bool fits = true;          // every part fit in its area
    bool badZip = false;       // the postal code is not 7 digits: the boxes stay empty
    bool badSenderZip = false; // the same for the sender's
    QString undrawable;        // characters the face cannot draw, once each

    bool Clean() const { return fits && !badZip && !badSenderZip && undrawable.isEmpty(); }
};

// The 7 digits of a postal code as typed (half or full width, hyphens, a 〒
// and blanks anywhere); "" when there are not exactly 7.
QString PostalCodeDigits(const CString& zip);
// A card gets a postcard when it has an address and a name or a company.
bool HasPostcardText(const CAddrCard& card);
// The name column: "山田 太郎" → "山田 太郎 様" (each blank set an em long); the
// company and " 御中" when the card has no name.
QString RecipientName(const CAddrCard& card);
// Whether a face carries the customer barcode: an envelope (a face without
// sender boxes) unless the user turned it off, a postcard only when asked.
inline bool WantsBarcode(const PostcardSize& size, bool onPostcards, bool onEnvelopes) {
    return size.sender.Present() ? onPostcards : onEnvelopes;
}
// The face with Mincho faces to fall back on, then any Japanese face.
QFont MakePostcardFont(const CString& face);

class CPostcardPainter {
public:
    static constexpr double kMinNamePoints = 10;
    static constexpr double kMinPoints = 6;

    CPostcardPainter(const CPostcardLayout& layout, const PostcardSize& size,
                     PostcardOptions options, PrintOffset offset = {});

    // Draws the card on a page of the size's paper. The painter's coordinates
    // are device pixels from the paper's top-left corner, scale of them to
    // the millimetre. With guides, the boxes and areas are outlined.
    PostcardReport DrawCard(QPainter& painter, PxPerMm scale, const CAddrCard& card,
                            bool guides) const;

    const PostcardSize& Size() const { return m_size; }
    // Where the customer barcode goes, in mm on the face: under the address
    // and the name, its right edge on the address's.
    RectMm BarcodeArea() const;
    // A printer's calibration: moves everything drawn.
    void SetOffset(PrintOffset offset) { m_offset = offset; }

private:
    void DrawJapanese(QPainter& painter, const CAddrCard& card, PostcardReport& report) const;
    void DrawSender(QPainter& painter, PostcardReport& report, double bottom) const;

    CPostcardLayout m_layout;
    PostcardSize m_size;
    PostcardOptions m_options;
    PrintOffset m_offset;
};
