#include "print/PostcardPainter.h"

#include "platform/QtText.h"
#include "print/CustomerBarcode.h"
#include "print/LabelLayout.h"
#include "print/LabelText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Drawing units: a hundredth of a millimetre, so that fonts can be sized in
// whole units without visible rounding.
constexpr double kUnits = 100.0;
// The name is spread up to this many ems a cell when its area is long.
constexpr double kMaxNameSpread = 1.15;

QStringList Lines(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines;
    for (const QString& line : s.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

QString Text(const CString& sjis) {
    return qtext::FromSjis(sjis).trimmed();
}

QFont Sized(const QFont& face, double emMm) {
    QFont font(face);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(emMm * kUnits))));
    return font;
}

// The advance of text in ems: asked of the font once for each face and text,
// as measuring loads the glyphs, which at these sizes is slow.
double AdvanceEm(const QFont& font, const QFontMetricsF& fm, const QString& text) {
    static QHash<QString, double> known;
    const QString key = font.families().join(QLatin1Char('\n')) + QLatin1Char('\n') + text;
    auto it = known.find(key);
    if (it == known.end())
        it = known.insert(key, fm.horizontalAdvance(text) / font.pixelSize());
    return *it;
}

// Draws one cell's text centred on (cx, cy), in units.
void DrawCell(QPainter& painter, const QFont& font, const QFontMetricsF& fm,
              const VerticalCell& cell, double cx, double cy, double em) {
    const double width = AdvanceEm(font, fm, cell.text) * font.pixelSize();
    const double baseline = (fm.ascent() - fm.descent()) / 2;
    switch (cell.kind) {
    case VerticalCell::Rotated:
        painter.save();
        painter.translate(cx, cy);
        painter.rotate(90);
        painter.drawText(QPointF(-width / 2, baseline), cell.text);
        painter.restore();
        return;
    case VerticalCell::Group: {
        painter.save();
        painter.translate(cx, cy);
        if (width > 0.95 * em)
            painter.scale(0.95 * em / width, 1);
        painter.drawText(QPointF(-width / 2, baseline), cell.text);
        painter.restore();
        return;
    }
    case VerticalCell::Small:
        painter.drawText(QPointF(cx - width / 2 + 0.1 * em, cy + baseline - 0.12 * em), cell.text);
        return;
    case VerticalCell::Comma:
        painter.drawText(QPointF(cx - width / 2 + 0.55 * em, cy + baseline - 0.55 * em), cell.text);
        return;
    case VerticalCell::Upright:
        break;
    }
    painter.drawText(QPointF(cx - width / 2, cy + baseline), cell.text);
}

struct Placement {
    double right = 0;             // mm: the first line's right edge
    double top = 0;               // mm
    double height = 0;            // mm: the column's length
    double pitch = 0;             // mm from cell to cell down a line; the cell's height when 0
    bool indentFollowing = false; // lines after the first start two cells lower where they can
    bool lastToFoot = false;      // the last line ends at the foot
};

void DrawVertical(QPainter& painter, const QFont& face, const VerticalBlock& block,
                  const Placement& at) {
    if (block.lines.empty())
        return;
    const QFont font = Sized(face, block.cellMm);
    painter.setFont(font);
    const QFontMetricsF fm(font);
    const double em = block.cellMm * kUnits;
    const double pitch = (at.pitch > 0 ? at.pitch : block.cellMm);
    const int capacity = static_cast<int>(std::floor(at.height / pitch + 1e-9));
    for (size_t j = 0; j < block.lines.size(); ++j) {
        const VerticalLine& line = block.lines[j];
        const int length = static_cast<int>(line.size());
        double top = at.top;
        if (at.lastToFoot && j + 1 == block.lines.size() && j > 0)
            top = at.top + at.height - length * pitch;
        else if (at.indentFollowing && j > 0)
            top += std::clamp(capacity - length, 0, 2) * pitch;
        const double cx =
            (at.right - block.cellMm / 2 - static_cast<double>(j) * block.linePitchMm);
        for (int i = 0; i < length; ++i) {
            const double cy = top + (i + 0.5) * pitch;
            DrawCell(painter, font, fm, line[static_cast<size_t>(i)], cx * kUnits, cy * kUnits, em);
        }
    }
}

// The digits centred in their boxes by their ink.
void DrawBoxDigits(QPainter& painter, const QFont& face, const PostalBoxes& boxes,
                   const QString& digits) {
    if (!boxes.Present() || digits.size() != 7)
        return;
    const QFont font = Sized(face, boxes.height * 0.8);
    painter.setFont(font);
    const QFontMetricsF fm(font);
    for (int i = 0; i < 7; ++i) {
        const RectMm box = boxes.Box(i);
        const QString d = digits.mid(i, 1);
        const QRectF ink = fm.tightBoundingRect(d);
        const double cx = (box.left + box.right) / 2 * kUnits;
        const double cy = (box.top + box.bottom) / 2 * kUnits;
        painter.drawText(QPointF(cx - fm.horizontalAdvance(d) / 2, cy - ink.center().y()), d);
    }
}

void Outline(QPainter& painter, const RectMm& r) {
    painter.drawRect(
        QRectF(r.left * kUnits, r.top * kUnits, r.width() * kUnits, r.height() * kUnits));
}

} // namespace

QString PostalCodeDigits(const CString& zip) {
    QString digits;
    for (const QChar c : qtext::FromSjis(zip)) {
        if (c >= u'0' && c <= u'9')
            digits += c;
        else if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            digits += QChar(c.unicode() - 0xFF10 + u'0');
        else if (!c.isSpace() && c != u'-' && c != u'〒' && c != u'－' && c != u'ー' && c != u'‐' &&
                 c != u'−')
            return {};
    }
    return digits.size() == 7 ? digits : QString();
}

bool HasPostcardText(const CAddrCard& card) {
    return !Text(card.m_strAddress).isEmpty() &&
           !(Text(card.m_strName).isEmpty() && Text(card.m_strCompany).isEmpty());
}

QString RecipientName(const CAddrCard& card) {
    const QString name = Text(card.m_strName).simplified();
    if (!name.isEmpty())
        return name + QStringLiteral(" 様");
    return Text(card.m_strCompany).simplified() + QStringLiteral(" 御中");
}

QFont MakePostcardFont(const CString& face) {
    QStringList families;
    const QString name = qtext::FromSjis(face);
    if (!name.isEmpty())
        families << name;
    families << QStringLiteral("IPAMincho") << QStringLiteral("IPAexMincho")
             << QStringLiteral("Noto Serif CJK JP") << QStringLiteral("MS Mincho")
             << QStringLiteral("Yu Mincho") << QStringLiteral("IPAGothic")
             << QStringLiteral("Noto Sans CJK JP");
    families.removeDuplicates();
    QFont font;
    font.setFamilies(families);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

CPostcardPainter::CPostcardPainter(const CPostcardLayout& layout, const PostcardSize& size,
                                   PostcardOptions options, PrintOffset offset)
    : m_size(size), m_options(std::move(options)), m_offset(offset) {
    m_layout.CopyFrom(layout);
}

PostcardReport CPostcardPainter::DrawCard(QPainter& painter, PxPerMm scale, const CAddrCard& card,
                                          bool guides) const {
    PostcardReport report;
    painter.save();
    painter.translate((m_offset.x + m_size.face.left) * scale.x,
                      (m_offset.y + m_size.face.top) * scale.y);
    painter.scale(scale.x / kUnits, scale.y / kUnits);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    if (guides) {
        painter.save();
        painter.setPen(QPen(Qt::red, 0));
        for (const PostalBoxes* boxes : {&m_size.recipient, &m_size.sender})
            for (int i = 0; boxes->Present() && i < 7; ++i)
                Outline(painter, boxes->Box(i));
        painter.setPen(QPen(Qt::lightGray, 0, Qt::DashLine));
        for (const RectMm* r : {&m_size.address, &m_size.name, &m_size.beside, &m_size.senderArea})
            Outline(painter, *r);
        painter.restore();
    }
    const QString zip = PostalCodeDigits(card.m_strZip);
    if (zip.isEmpty() && card.m_nNotation != NOTATION_ENGLISH)
        report.badZip = true;
    DrawBoxDigits(painter, m_options.face, m_size.recipient, zip);
    if (card.m_nNotation == NOTATION_ENGLISH) {
        // Across the middle of the face, centred as a block.
        const RectMm area{m_size.name.left, m_size.name.top, m_size.address.right,
                          m_size.address.bottom};
        const LabelLayout label =
            LayOutLabel(LabelDrawingText(ComposeLabelText(card)), m_options.english, area.width(),
                        area.height(), kMinPoints);
        if (label.text) {
            double width = 0;
            double height = 0;
            for (int i = 0; i < label.text->lineCount(); ++i) {
                const QTextLine line = label.text->lineAt(i);
                width = std::max(width, line.naturalTextWidth());
                height = line.y() + line.height();
            }
            const double left =
                std::max(area.left, (area.left + area.right - width / kLabelLayoutPxPerMm) / 2);
            const double top =
                std::max(area.top, (m_size.face.height() - height / kLabelLayoutPxPerMm) / 2);
            painter.save();
            painter.translate(left * kUnits, top * kUnits);
            painter.scale(kUnits / kLabelLayoutPxPerMm, kUnits / kLabelLayoutPxPerMm);
            label.text->draw(&painter, QPointF(0, 0));
            painter.restore();
        }
        report.fits = label.fits;
        report.undrawable =
            UndrawableCharacters(label.text ? label.text->text() : QString(), m_options.english);
    }
    double senderBottom = m_size.senderArea.bottom;
    if (card.m_nNotation != NOTATION_ENGLISH) {
        DrawJapanese(painter, card, report);
        const RectMm bars = BarcodeArea();
        if (m_options.barcode &&
            DrawCustomerBarcode(painter,
                                CustomerBarcodeData(zip, qtext::FromSjis(card.m_strAddress)),
                                QPointF(bars.left * kUnits, bars.top * kUnits), kUnits) &&
            bars.left < m_size.senderArea.right)
            senderBottom = std::min(senderBottom, bars.top - 1);
    }
    DrawSender(painter, report, senderBottom);
    painter.restore();
    return report;
}

void CPostcardPainter::DrawJapanese(QPainter& painter, const CAddrCard& card,
                                    PostcardReport& report) const {
    const NumeralStyle style = m_options.numerals;
    const QFont& face = m_options.face;
    const QString name = RecipientName(card);
    const bool person = !Text(card.m_strName).isEmpty();
    QStringList beside;
    if (person && !Text(card.m_strCompany).isEmpty())
        beside << Text(card.m_strCompany);
    if (!Text(card.m_strTitle).isEmpty())
        beside << Text(card.m_strTitle);
    const QStringList address = Lines(qtext::FromSjis(card.m_strAddress));
    report.undrawable =
        UndrawableCharacters(address.join(QString()) + name + beside.join(QString()), face);

    const RectMm& a = m_size.address;
    const VerticalBlock addressBlock = LayOutVertical(address, style, m_layout.m_fAddressPoints,
                                                      kMinPoints, a.width(), a.height());
    DrawVertical(painter, face, addressBlock, {a.right, a.top, a.height(), 0, true, false});

    // The name column centred on the name area, spread a little when short.
    const RectMm& n = m_size.name;
    const VerticalBlock nameBlock = LayOutVertical({name}, style, m_layout.m_fNamePoints,
                                                   kMinNamePoints, n.width(), n.height(), 1.2, 1);
    size_t longest = 1;
    for (const VerticalLine& line : nameBlock.lines)
        longest = std::max(longest, line.size());
    const double pitch =
        std::min(nameBlock.cellMm * kMaxNameSpread, n.height() / static_cast<double>(longest));
    const double across =
        nameBlock.cellMm + nameBlock.linePitchMm *
                               static_cast<double>(std::max<size_t>(nameBlock.lines.size(), 1) - 1);
    const double nameRight = (n.left + n.right) / 2 + across / 2;
    const double nameTop = n.top + (n.height() - pitch * static_cast<double>(longest)) / 2;
    DrawVertical(painter, face, nameBlock, {nameRight, nameTop, n.height(), pitch, false, false});

    const RectMm& b = m_size.beside;
    const VerticalBlock besideBlock = LayOutVertical(beside, style, m_layout.m_fBesidePoints,
                                                     kMinPoints, b.width(), b.height(), 1.2);
    DrawVertical(painter, face, besideBlock, {b.right, b.top, b.height(), 0, false, false});

    report.fits = addressBlock.fits && nameBlock.fits && (beside.isEmpty() || besideBlock.fits);
}

RectMm CPostcardPainter::BarcodeArea() const {
    const QSizeF size = CustomerBarcodeSize();
    const double top = std::max(m_size.address.bottom, m_size.name.bottom) + 2;
    const double left = std::max(2.0, m_size.address.right - size.width());
    return {left, top, left + size.width(), top + size.height()};
}

void CPostcardPainter::DrawSender(QPainter& painter, PostcardReport& report, double bottom) const {
    const CAddrCard* sender = m_options.sender;
    if (!sender)
        return;
    const QString zip = PostalCodeDigits(sender->m_strZip);
    report.badSenderZip = zip.isEmpty();
    RectMm area = m_size.senderArea;
    area.bottom = bottom;
    if (m_size.sender.Present()) {
        DrawBoxDigits(painter, m_options.face, m_size.sender, zip);
    } else if (!zip.isEmpty()) {
        // No boxes on the face: the code under the sender, across.
        const double em = std::min(3.5, m_layout.m_fSenderPoints * 25.4 / 72);
        const QFont font = Sized(m_options.face, em);
        painter.setFont(font);
        const QString text = QStringLiteral("〒") + zip.left(3) + QLatin1Char('-') + zip.mid(3);
        painter.drawText(
            QPointF(area.left * kUnits, area.bottom * kUnits - QFontMetricsF(font).descent()),
            text);
        area.bottom -= em * 1.5;
    }
    QStringList lines = Lines(qtext::FromSjis(sender->m_strAddress));
    const QString name = Text(sender->m_strName).simplified();
    if (!name.isEmpty())
        lines << name;
    const VerticalBlock block = LayOutVertical(lines, m_options.numerals, m_layout.m_fSenderPoints,
                                               kMinPoints, area.width(), area.height());
    DrawVertical(painter, m_options.face, block,
                 {area.right, area.top, area.height(), 0, true, !name.isEmpty()});
    report.fits = report.fits && block.fits;
    const QString missing = UndrawableCharacters(lines.join(QString()), m_options.face);
    for (const QChar c : missing)
        if (!report.undrawable.contains(c))
            report.undrawable += c;
}
