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

private:
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
};
