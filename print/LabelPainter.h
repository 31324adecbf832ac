#pragma once
// The one painter of label pages, for any QPainter device: the printer, the
// preview and PDF files. It draws the cards of one page of a page plan into the
// cells of the page layout, each label left-aligned from the top of its text
// rectangle and broken into lines between words at its right edge.
//
// A label that does not fit is drawn in a smaller font, half a point at a time
// down to 6 points, a word too long for a line broken anywhere. A label that
// still does not fit is drawn cut at its text rectangle and reported, so that
// the preview can mark its cell and printing can name its card. Text is laid
// out at one resolution whatever the device, so a label fits on paper exactly
// when it fits in the preview.

#include "print/LabelLayout.h"
#include "print/PageLayout.h"
#include "print/PagePlan.h"
#include "print/PrintFonts.h"
#include "print/PrinterOffset.h"

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;

// Device pixels to the millimetre, across and down.
struct PxPerMm {
    double x = 0;
    double y = 0;

    static PxPerMm FromDpi(double dpiX, double dpiY) { return {dpiX / 25.4, dpiY / 25.4}; }
    // The device's logical resolution: the unit of a painter's coordinates on it.
    static PxPerMm OfDevice(const QPaintDevice& device);
};

struct UnfitLabel {
    int cell = 0;
    const CAddrCard* card = nullptr;
};

// The labels of one page laid out ahead of drawing, maybe on another thread:
// the glyphs of each label a font face and where they go, as plain data, as font
// objects belong to the thread that made them. The glyphs of the whole page
// are kept together, so that the drawing thread frees a few blocks a page.
struct PreparedPage {
    // Which face: its names, size and "head" table, made again from these on
    // the drawing thread and checked against them.
    struct Face {
        QString family;
        QString style;
        int weight = 0;
        int italic = 0;
        double pixelSize = 0;
        QByteArray head;

        friend bool operator==(const Face&, const Face&) = default;
    };
    struct Run {
        size_t face = 0;  // in faces
        size_t first = 0; // in glyphs and positions
        size_t count = 0;
    };
    struct Label {
        const CAddrCard* card = nullptr;
        double points = 0;    // the size the label was laid out in
        bool laidOut = false; // false: it has no place, or no room
        bool fits = false;
        size_t firstRun = 0;
        size_t runCount = 0;
    };

    std::vector<Label> labels; // a cell each
    std::vector<Run> runs;
    std::vector<Face> faces;
    std::vector<quint32> glyphs;
    std::vector<QPointF> positions; // in layout pixels from the text rectangle's corner
};

class CLabelPainter {
public:
    static constexpr double kMinPoints = 6.0;

    // offset moves everything drawn: a printer's calibration.
    CLabelPainter(const CPageLayout& layout, const LabelFonts& fonts, PrintOffset offset = {});

    // Draws page (0 for the first) of plan. The painter's coordinates are device
    // pixels from the top-left corner of the paper (the full page, not the
    // printable area), scale of them to the millimetre. With outlines, every
    // cell of the page is outlined. Returns the labels that did not fit; on a
    // layout without room for text nothing is drawn and every label is one.
    std::vector<UnfitLabel> DrawPage(QPainter& painter, PxPerMm scale, const CPagePlan& plan,
                                     int page, bool outlines) const;

    // Whether labels in these fonts can be laid out on one thread and drawn on
    // another: not when they are underlined or struck through, as such lines
    // are drawn a piece of text at a time.
    static bool CanPrepare(const LabelFonts& fonts);
    // Prepare lays out page of plan, on any thread, with a painter of its own;
    // DrawPrepared draws what it gave as DrawPage would draw the page, on a
    // PDF painter. A face that cannot be made again the same has its label
    // laid out again.
    PreparedPage Prepare(const CPagePlan& plan, int page) const;
    std::vector<UnfitLabel> DrawPrepared(QPainter& painter, PxPerMm scale, const PreparedPage& page,
                                         bool outlines) const;

private:
    void DrawOutlines(QPainter& painter, PxPerMm scale, bool outlines) const;
    LabelFontSizes& FontsFor(const CAddrCard& card) const;
    LabelLayout LayOut(const CAddrCard& card, const RectMm& textRect) const;
    // Calls draw with the text rectangle's corner in layout pixels, clipped to
    // the rectangle when the text does not fit it.
    static void DrawInTextRect(QPainter& painter, const RectMm& textRect, bool fits,
                               const std::function<void(QPointF)>& draw);
    PreparedPage::Face FaceOf(const QRawFont& font) const;
    QRawFont RawFontFor(const CAddrCard& card, double points, const PreparedPage::Face& face) const;
    std::vector<UnfitLabel> DrawCells(QPainter& painter, PxPerMm scale, const CPagePlan& plan,
                                      int page, bool outlines) const;
    // Draws one label, the painter's coordinates in layout pixels; false when
    // it did not fit.
    bool DrawLabel(QPainter& painter, const CAddrCard& card, const RectMm& textRect) const;

    CPageLayout m_layout;
    PrintOffset m_offset;
    // Sizes made as labels need them: drawing keeps no other state.
    mutable LabelFontSizes m_english;
    mutable LabelFontSizes m_japanese;
    // The faces met, on the thread that prepares and on the one that draws.
    mutable std::vector<std::pair<QRawFont, PreparedPage::Face>> m_faces;
    mutable std::vector<std::pair<PreparedPage::Face, QRawFont>> m_rawFonts;
};
