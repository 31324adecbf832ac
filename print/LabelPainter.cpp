#include "print/LabelPainter.h"

#include "print/LabelLayout.h"
#include "print/LabelText.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// Layout pixels, the painter's coordinates while labels are drawn.
constexpr PxPerMm kLayoutScale{kLabelLayoutPxPerMm, kLabelLayoutPxPerMm};

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

LabelFontSizes& CLabelPainter::FontsFor(const CAddrCard& card) const {
    return card.m_nNotation == NOTATION_ENGLISH ? m_english : m_japanese;
}

LabelLayout CLabelPainter::LayOut(const CAddrCard& card, const RectMm& textRect) const {
    return LayOutLabel(LabelDrawingText(ComposeLabelText(card)), FontsFor(card), textRect.width(),
                       textRect.height(), kMinPoints);
}

void CLabelPainter::DrawInTextRect(QPainter& painter, const RectMm& textRect, bool fits,
                                   const std::function<void(QPointF)>& draw) {
    if (!fits) {
        painter.save();
        painter.setClipRect(ToDevice(textRect, kLayoutScale), Qt::IntersectClip);
    }
    draw(ToDevice(textRect, kLayoutScale).topLeft());
    if (!fits)
        painter.restore();
}

bool CLabelPainter::DrawLabel(QPainter& painter, const CAddrCard& card,
                              const RectMm& textRect) const {
    const LabelLayout label = LayOut(card, textRect);
    if (!label.text)
        return false;
    DrawInTextRect(painter, textRect, label.fits,
                   [&](QPointF topLeft) { label.text->draw(&painter, topLeft); });
    return label.fits;
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
    DrawOutlines(painter, scale, outlines);
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

void CLabelPainter::DrawOutlines(QPainter& painter, PxPerMm scale, bool outlines) const {
    if (!outlines)
        return;
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    for (int cell = 0; cell < m_layout.GetCellCount(); ++cell)
        painter.drawRect(ToDevice(m_layout.GetCellRectF(cell), scale));
    painter.restore();
}

bool CLabelPainter::CanPrepare(const LabelFonts& fonts) {
    for (const QFont* font : {&fonts.english, &fonts.japanese})
        if (font->underline() || font->strikeOut() || font->overline())
            return false;
    return true;
}

PreparedPage::Face CLabelPainter::FaceOf(const QRawFont& font) const {
    for (const auto& [known, face] : m_faces)
        if (known == font)
            return face;
    PreparedPage::Face face{font.familyName(), font.styleName(),
                            font.weight(),     static_cast<int>(font.style()),
                            font.pixelSize(),  font.fontTable("head")};
    m_faces.emplace_back(font, face);
    return face;
}

PreparedPage CLabelPainter::Prepare(const CPagePlan& plan, int page) const {
    const auto cards = plan.GetPageCards(page);
    PreparedPage prepared;
    prepared.labels.resize(cards.size());
    const size_t cells = static_cast<size_t>(m_layout.GetCellCount());
    for (size_t cell = 0; cell < cards.size(); ++cell) {
        PreparedPage::Label& entry = prepared.labels[cell];
        entry.card = cards[cell];
        if (!m_layout.HasRoomForText() || cell >= cells)
            continue;
        const LabelLayout label =
            LayOut(*cards[cell], m_layout.GetCellTextRectF(static_cast<int>(cell)));
        if (!label.text)
            continue;
        entry.laidOut = true;
        entry.fits = label.fits;
        entry.points = label.points;
        entry.firstRun = prepared.runs.size();
        for (const QGlyphRun& run : label.text->glyphRuns()) {
            const PreparedPage::Face face = FaceOf(run.rawFont());
            const auto known = std::find(prepared.faces.begin(), prepared.faces.end(), face);
            const size_t index = static_cast<size_t>(known - prepared.faces.begin());
            if (known == prepared.faces.end())
                prepared.faces.push_back(face);
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            prepared.runs.push_back(
                {index, prepared.glyphs.size(), static_cast<size_t>(glyphs.size())});
            prepared.glyphs.insert(prepared.glyphs.end(), glyphs.begin(), glyphs.end());
            prepared.positions.insert(prepared.positions.end(), positions.begin(), positions.end());
        }
        entry.runCount = prepared.runs.size() - entry.firstRun;
    }
    return prepared;
}

QRawFont CLabelPainter::RawFontFor(const CAddrCard& card, double points,
                                   const PreparedPage::Face& face) const {
    for (const auto& [known, font] : m_rawFonts)
        if (known == face)
            return font;
    // The face alone, asked for as the label's font asked for it.
    QFont request = FontsFor(card).At(points);
    request.setFamilies({face.family});
    QRawFont font = QRawFont::fromFont(request);
    if (!font.isValid() || FaceOf(font) != face)
        font = QRawFont();
    m_rawFonts.emplace_back(face, font);
    return font;
}

std::vector<UnfitLabel> CLabelPainter::DrawPrepared(QPainter& painter, PxPerMm scale,
                                                    const PreparedPage& page, bool outlines) const {
    std::vector<UnfitLabel> unfit;
    for (size_t cell = 0; cell < page.labels.size(); ++cell)
        if (!page.labels[cell].laidOut || !page.labels[cell].fits)
            unfit.push_back({static_cast<int>(cell), page.labels[cell].card});
    if (!m_layout.HasRoomForText())
        return unfit;
    painter.save();
    painter.translate(m_offset.x * scale.x, m_offset.y * scale.y);
    DrawOutlines(painter, scale, outlines);
    painter.scale(scale.x / kLabelLayoutPxPerMm, scale.y / kLabelLayoutPxPerMm);
    painter.setPen(Qt::black);
    std::vector<QGlyphRun> runs;
    for (size_t cell = 0; cell < page.labels.size(); ++cell) {
        const PreparedPage::Label& label = page.labels[cell];
        if (!label.laidOut)
            continue;
        const RectMm textRect = m_layout.GetCellTextRectF(static_cast<int>(cell));
        runs.clear();
        for (size_t r = label.firstRun; r < label.firstRun + label.runCount; ++r) {
            const PreparedPage::Run& prepared = page.runs[r];
            const QRawFont font = RawFontFor(*label.card, label.points, page.faces[prepared.face]);
            if (!font.isValid())
                break;
            QGlyphRun& run = runs.emplace_back();
            run.setRawFont(font);
            run.setRawData(page.glyphs.data() + prepared.first,
                           page.positions.data() + prepared.first,
                           static_cast<int>(prepared.count));
        }
        if (runs.size() < label.runCount) {
            DrawLabel(painter, *label.card, textRect);
            continue;
        }
        DrawInTextRect(painter, textRect, label.fits, [&](QPointF topLeft) {
            for (const QGlyphRun& run : runs)
                painter.drawGlyphRun(topLeft, run);
        });
    }
    painter.restore();
    return unfit;
}
