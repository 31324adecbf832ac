#include "views/controls/CaptionLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

CCaptionLabel::CCaptionLabel(const QString& text, QWidget* parent, Qt::Alignment alignment)
    : QWidget(parent), m_strText(text), m_crBack(palette().color(QPalette::Button)),
      m_crTextBack(palette().color(QPalette::Button)), m_nAlign(alignment) {
    setAccessibleName(text);
}

void CCaptionLabel::SetBold(BOOL bold) {
    QFont f = font();
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    setFont(f);
    updateGeometry();
    update();
}

void CCaptionLabel::SetBackColor(const QColor& color) {
    m_crBack = color;
    update();
}

void CCaptionLabel::SetTextBackColor(const QColor& color) {
    m_crTextBack = color;
    update();
}

void CCaptionLabel::SetText(const QString& text) {
    if (text == m_strText)
        return;
    m_strText = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void CCaptionLabel::SetAlignment(Qt::Alignment alignment) {
    m_nAlign = alignment;
    update();
}

QStringList CCaptionLabel::Lines() const {
    // Two line breaks in a row count as one.
    return m_strText.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QSize CCaptionLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    const QStringList lines = Lines();
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return {width, metrics.height() * static_cast<int>(std::max<qsizetype>(1, lines.size()))};
}

void CCaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_crBack);
    const QStringList lines = Lines();
    if (lines.isEmpty())
        return;

    const QFontMetrics metrics(font());
    int imageWidth = 0;
    for (const QString& line : lines)
        imageWidth = std::max(imageWidth, metrics.horizontalAdvance(line));
    const int lineHeight = metrics.height();
    const int imageHeight = lineHeight * static_cast<int>(lines.size());
    if (imageWidth <= 0)
        return;

    const qreal ratio = devicePixelRatioF();
    QPixmap image(QSize(imageWidth, imageHeight) * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(m_crTextBack);
    {
        QPainter p(&image);
        p.setFont(font());
        const int horizontal = static_cast<int>(m_nAlign & Qt::AlignHorizontal_Mask);
        const int flags = Qt::AlignVCenter | Qt::TextSingleLine |
                          (horizontal ? horizontal : static_cast<int>(Qt::AlignLeft));
        for (int i = 0; i < lines.size(); ++i) {
            const QRect band(0, i * lineHeight, imageWidth, lineHeight);
            if (!isEnabled()) {
                // Embossed: a highlight one pixel down and right, the shadow on top.
                p.setPen(palette().color(QPalette::Light));
                p.drawText(band.translated(1, 1), flags, lines[i]);
                p.setPen(palette().color(QPalette::Dark));
            } else {
                p.setPen(palette().color(QPalette::WindowText));
            }
            p.drawText(band, flags, lines[i]);
        }
    }

    int x = 0;
    if (m_nAlign & Qt::AlignHCenter)
        x = (width() - imageWidth) / 2;
    else if (m_nAlign & Qt::AlignRight)
        x = width() - imageWidth;
    int y = 0;
    if (m_nAlign & Qt::AlignVCenter)
        y = (height() - imageHeight) / 2;
    else if (m_nAlign & Qt::AlignBottom)
        y = height() - imageHeight;
    painter.setClipRect(rect());
    painter.drawPixmap(x, y, image);
}

void CCaptionLabel::mousePressEvent(QMouseEvent* event) {
    m_bPressed = event->button() == Qt::LeftButton;
}

void CCaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_bPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_bPressed = false;
    if (click)
        emit clicked();
}

void CCaptionLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange)
        update();
}
