#include "print/LabelPainter.h"

#include "print/LabelLayout.h"
#include "print/LabelText.h"

#include <QPaintDevice>
#include <QPainter>

namespace {

QRectF ToDevice(const RectMm& r, PxPerMm scale) {
    return QRectF(QPointF(r.left * scale.x, r.top * scale.y),
                  QPointF(r.right * scale.x, r.bottom * scale.y));
}

} // namespace

PxPerMm PxPerMm::OfDevice(const QPaintDevice& device) {
    return FromDpi(device.logicalDpiX(), device.logicalDpiY());
}

CLabelPainter::CLabelPainter(const CPageLayout& layout, const LabelFonts& fonts, PrintOffset offset)
    : m_offset(offset), m_english(fonts.english), m_japanese(fonts.japanese) {
    m_layout.CopyFrom(layout);
}

bool CLabelPainter::DrawLabel(QPainter& painter, const CAddrCard& card,
                              const RectMm& textRect) const {
    LabelFontSizes& fonts = card.m_nNotation == NOTATION_ENGLISH ? m_english : m_japanese;
    const LabelLayout label = LayOutLabel(LabelDrawingText(ComposeLabelText(card)), fonts,
                                          textRect.width(), textRect.height(), kMinPoints);
    if (!label.text)
        return false;
    const QPointF topLeft(textRect.left * kLabelLayoutPxPerMm, textRect.top * kLabelLayoutPxPerMm);
    if (label.fits) {
        label.text->draw(&painter, topLeft);
        return true;
    }
    painter.save();
    painter.setClipRect(ToDevice(textRect, PxPerMm{kLabelLayoutPxPerMm, kLabelLayoutPxPerMm}),
                        Qt::IntersectClip);
    label.text->draw(&painter, topLeft);
    painter.restore();
    return false;
}

std::vector<UnfitLabel> CLabelPainter::DrawPage(QPainter& painter, PxPerMm scale,
                                                const CPagePlan& plan, int page,
                                                bool outlines) const {
    painter.save();
    painter.translate(m_offset.x * scale.x, m_offset.y * scale.y);
    std::vector<UnfitLabel> unfit = DrawCells(painter, scale, plan, page, outlines);
    painter.restore();
    return unfit;
}

std::vector<UnfitLabel> CLabelPainter::DrawCells(QPainter& painter, PxPerMm scale,
                                                 const CPagePlan& plan, int page,
                                                 bool outlines) const {
    const auto cards = plan.GetPageCards(page);
    std::vector<UnfitLabel> unfit;
    if (!m_layout.HasRoomForText()) {
        for (size_t cell = 0; cell < cards.size(); ++cell)
            unfit.push_back({static_cast<int>(cell), cards[cell]});
        return unfit;
    }
    if (outlines) {
        painter.save();
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        for (int cell = 0; cell < m_layout.GetCellCount(); ++cell)
            painter.drawRect(ToDevice(m_layout.GetCellRectF(cell), scale));
        painter.restore();
    }
    const size_t cells = static_cast<size_t>(m_layout.GetCellCount());
    // One transformation and pen for the page: changed for each label, they
    // would be written out again for each label.
    painter.save();
    painter.scale(scale.x / kLabelLayoutPxPerMm, scale.y / kLabelLayoutPxPerMm);
    painter.setPen(Qt::black);
    for (size_t cell = 0; cell < cards.size(); ++cell) {
        const int c = static_cast<int>(cell);
        // A plan made for more cells than the layout has: the rest has no place.
        if (cell >= cells || !DrawLabel(painter, *cards[cell], m_layout.GetCellTextRectF(c)))
            unfit.push_back({c, cards[cell]});
    }
    painter.restore();
    return unfit;
}
