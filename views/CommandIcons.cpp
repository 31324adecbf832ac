#include "views/CommandIcons.h"

#include "views/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

// Every picture is drawn on a 16 by 16 grid and scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kCard(255, 250, 225);
const QColor kBlue(30, 90, 190);
const QColor kGreen(30, 140, 60);
const QColor kRed(200, 40, 40);
const QColor kYellow(240, 190, 40);

QPen Pen(const QColor& color, qreal width = 1.0) {
    QPen pen(color, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void Page(QPainter& p, QRectF r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
    p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void TextLines(QPainter& p, QRectF r, int count) {
    p.setPen(Pen(QColor(120, 120, 120)));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(r.left(), r.top() + 2 * i), QPointF(r.right(), r.top() + 2 * i));
}

// An address card with a name line and a picture corner.
void Card(QPainter& p, QRectF r) {
    p.setPen(Pen(kInk));
    p.setBrush(kCard);
    p.drawRoundedRect(r, 1, 1);
    p.setPen(Pen(kBlue, 1.2));
    p.drawLine(QPointF(r.left() + 2, r.top() + 2.5),
               QPointF(r.left() + r.width() * 0.6, r.top() + 2.5));
    TextLines(p, QRectF(r.left() + 2, r.top() + 5, r.width() - 4, 0), int((r.height() - 5) / 2));
}

void Glyph(QPainter& p, const QString& text, const QColor& color, QRectF r = QRectF(0, 0, 16, 16)) {
    QFont font = p.font();
    font.setPixelSize(int(r.height() * 0.85));
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, Qt::AlignCenter, text);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(Pen(color, 2));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot((to - from).x(), (to - from).y());
    const QPointF n(-d.y(), d.x());
    QPolygonF head{to + d * 1.5, to - d * 2.5 + n * 3, to - d * 2.5 - n * 3};
    p.setPen(Pen(color));
    p.setBrush(color);
    p.drawPolygon(head);
}

void Star(QPainter& p, QPointF c, qreal r) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal len = i % 2 ? r * 0.45 : r;
        star << c + QPointF(std::cos(a) * len, std::sin(a) * len);
    }
    p.setPen(Pen(QColor(180, 120, 0)));
    p.setBrush(kYellow);
    p.drawPolygon(star);
}

void Cross(QPainter& p, QRectF r) {
    p.setPen(Pen(kRed, 2.2));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void Folder(QPainter& p) {
    p.setPen(Pen(QColor(150, 110, 20)));
    p.setBrush(QColor(250, 210, 100));
    QPolygonF back{{1.5, 4.5}, {6, 4.5}, {7.5, 6}, {13.5, 6}, {13.5, 13.5}, {1.5, 13.5}};
    p.drawPolygon(back);
    p.setBrush(QColor(255, 230, 140));
    QPolygonF front{{1.5, 13.5}, {3.5, 8}, {15.5, 8}, {13.5, 13.5}};
    p.drawPolygon(front);
}

void Disk(QPainter& p) {
    p.setPen(Pen(QColor(20, 40, 100)));
    p.setBrush(QColor(60, 100, 190));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(4, 9.5, 8, 5));
}

void Printer(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(170, 170, 180));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(Pen(kGreen));
    p.drawPoint(QPointF(12.5, 8.5));
}

void Magnifier(QPainter& p, QPointF c, qreal r) {
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(c, r, r);
    p.setPen(Pen(QColor(120, 80, 40), 2.4));
    p.drawLine(c + QPointF(r * 0.75, r * 0.75), c + QPointF(r * 1.8, r * 1.8));
}

void Clipboard(QPainter& p) {
    p.setPen(Pen(QColor(110, 70, 30)));
    p.setBrush(QColor(200, 150, 90));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(4, 1.5, 5, 2.5));
}

void Gear(QPainter& p, QPointF c, qreal r) {
    p.setPen(Pen(QColor(70, 70, 80)));
    p.setBrush(QColor(160, 160, 175));
    QPolygonF teeth;
    for (int i = 0; i < 16; ++i) {
        const qreal a = i * M_PI / 8;
        const qreal len = (i / 2) % 2 ? r * 0.72 : r;
        teeth << c + QPointF(std::cos(a) * len, std::sin(a) * len);
    }
    p.drawPolygon(teeth);
    p.setBrush(kPaper);
    p.drawEllipse(c, r * 0.3, r * 0.3);
}

Drawing DrawingOf(int id) {
    switch (id) {
    case ID_FILE_NEW:
        return [](QPainter& p) {
            Page(p, QRectF(2.5, 1.5, 10, 13));
            Star(p, QPointF(12, 4), 3.5);
        };
    case ID_FILE_OPEN:
        return [](QPainter& p) { Folder(p); };
    case ID_FILE_SAVE:
        return [](QPainter& p) { Disk(p); };
    case ID_FILE_SAVE_AS:
        return [](QPainter& p) {
            Disk(p);
            p.setPen(Pen(QColor(180, 90, 0), 2));
            p.drawLine(QPointF(8, 14), QPointF(14.5, 7.5));
        };
    case ID_FILE_IMPORT:
        return [](QPainter& p) {
            Page(p, QRectF(6.5, 1.5, 8, 13));
            Arrow(p, QPointF(0.5, 8), QPointF(8, 8), kGreen);
        };
    case ID_FILE_EXPORT:
        return [](QPainter& p) {
            Page(p, QRectF(1.5, 1.5, 8, 13));
            Arrow(p, QPointF(7, 8), QPointF(13.5, 8), kBlue);
        };
    case ID_FILE_PRINT:
        return [](QPainter& p) { Printer(p); };
    case ID_FILE_PRINT_PREVIEW:
        return [](QPainter& p) {
            Page(p, QRectF(1.5, 1.5, 10, 13));
            Magnifier(p, QPointF(8.5, 8.5), 3.2);
        };
    case ID_FILE_PAGE_SETUP:
        return [](QPainter& p) {
            Page(p, QRectF(1.5, 1.5, 11, 13));
            p.setPen(Pen(kBlue));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(3.5, 5.5, 3, 3));
            p.drawRect(QRectF(7.5, 5.5, 3, 3));
            p.drawRect(QRectF(3.5, 10, 3, 3));
            p.drawRect(QRectF(7.5, 10, 3, 3));
        };
    case ID_FILE_PRINT_SETUP:
        return [](QPainter& p) {
            Printer(p);
            Gear(p, QPointF(12.5, 12.5), 3.5);
        };
    case ID_APP_EXIT:
        return [](QPainter& p) {
            p.setPen(Pen(kInk));
            p.setBrush(QColor(150, 100, 60));
            p.drawRect(QRectF(2.5, 1.5, 7, 13));
            Arrow(p, QPointF(7, 8), QPointF(14, 8), kRed);
        };
    case ID_EDIT_UNDO:
        return [](QPainter& p) {
            QPainterPath path;
            path.moveTo(4, 7);
            path.cubicTo(7, 2, 15, 4, 13, 11);
            p.setPen(Pen(kBlue, 2));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
            p.setPen(Pen(kBlue));
            p.setBrush(kBlue);
            p.drawPolygon(QPolygonF{{1, 8}, {7, 9}, {4, 3}});
        };
    case ID_EDIT_CUT:
        return [](QPainter& p) {
            p.setPen(Pen(kInk, 1.3));
            p.drawLine(QPointF(5, 1), QPointF(10, 10));
            p.drawLine(QPointF(11, 1), QPointF(6, 10));
            p.setBrush(Qt::NoBrush);
            p.setPen(Pen(kRed, 1.4));
            p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
            p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
        };
    case ID_EDIT_COPY:
        return [](QPainter& p) {
            Page(p, QRectF(1.5, 1.5, 8, 10));
            Page(p, QRectF(6.5, 4.5, 8, 10));
            TextLines(p, QRectF(8, 8, 4.5, 0), 3);
        };
    case ID_EDIT_PASTE:
        return [](QPainter& p) {
            Clipboard(p);
            Page(p, QRectF(6.5, 5.5, 8, 9));
        };
    case ID_EDIT_COPY_SETTINGS:
        return [](QPainter& p) {
            Page(p, QRectF(1.5, 1.5, 8, 10));
            Page(p, QRectF(5.5, 4.5, 8, 10));
            Gear(p, QPointF(12, 12), 3.6);
        };
    case ID_EDIT_FIND:
        return [](QPainter& p) { Magnifier(p, QPointF(6.5, 6.5), 4.5); };
    case ID_EDIT_OPTIONS:
        return [](QPainter& p) { Gear(p, QPointF(8, 8), 7); };
    case ID_CARD_NEW:
        return [](QPainter& p) {
            Card(p, QRectF(0.5, 4.5, 13, 10));
            Star(p, QPointF(12, 4), 3.8);
        };
    case ID_CARD_DELETE:
        return [](QPainter& p) {
            Card(p, QRectF(0.5, 2.5, 13, 10));
            Cross(p, QRectF(8, 8, 6.5, 6.5));
        };
    case ID_CARD_DUPLICATES:
        return [](QPainter& p) {
            Card(p, QRectF(0.5, 1.5, 11, 8));
            Card(p, QRectF(4.5, 6.5, 11, 8));
        };
    case ID_CARD_JAPANESE:
        return [](QPainter& p) { Glyph(p, QStringLiteral("日"), kRed); };
    case ID_CARD_ENGLISH:
        return [](QPainter& p) { Glyph(p, QStringLiteral("英"), kBlue); };
    case ID_CARD_CONTACT_METHODS:
        return [](QPainter& p) {
            p.setPen(Pen(kInk));
            p.setBrush(QColor(90, 90, 95));
            QPainterPath handset;
            handset.moveTo(2, 4);
            handset.cubicTo(2, 12, 6, 15, 12, 14);
            handset.lineTo(13.5, 11);
            handset.lineTo(10.5, 9.5);
            handset.lineTo(9, 11);
            handset.cubicTo(7, 10.5, 5.5, 9, 5, 7);
            handset.lineTo(6.5, 5.5);
            handset.lineTo(5, 2.5);
            handset.closeSubpath();
            p.drawPath(handset);
            p.setPen(Pen(kBlue, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(8, 1, 7, 7), 0, 90 * 16);
        };
    case ID_VIEW_LIST:
        return [](QPainter& p) {
            p.setPen(Pen(kInk));
            p.setBrush(kPaper);
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.fillRect(QRectF(2, 2, 12, 2.5), QColor(190, 200, 220));
            TextLines(p, QRectF(3.5, 6.5, 9, 0), 4);
        };
    case ID_VIEW_CARD:
        return [](QPainter& p) { Card(p, QRectF(0.5, 2.5, 15, 11)); };
    case ID_VIEW_PREV_CARD:
        return [](QPainter& p) { Arrow(p, QPointF(13.5, 8), QPointF(4, 8), kGreen); };
    case ID_VIEW_NEXT_CARD:
        return [](QPainter& p) { Arrow(p, QPointF(2.5, 8), QPointF(12, 8), kGreen); };
    case ID_HELP_FINDER:
        return [](QPainter& p) {
            p.setPen(Pen(kBlue));
            p.setBrush(QColor(220, 235, 255));
            p.drawEllipse(QRectF(1, 1, 14, 14));
            Glyph(p, QStringLiteral("?"), kBlue, QRectF(1, 1.5, 14, 14));
        };
    case ID_APP_ABOUT:
        return [](QPainter& p) {
            p.setPen(Pen(kBlue));
            p.setBrush(kBlue);
            p.drawEllipse(QRectF(1, 1, 14, 14));
            Glyph(p, QStringLiteral("i"), kPaper, QRectF(1, 1.5, 14, 14));
        };
    default:
        return {};
    }
}

QPixmap Render(const Drawing& draw, int side, qreal dpr) {
    QPixmap pixmap(int(side * dpr), int(side * dpr));
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(side / 16.0, side / 16.0);
    draw(p);
    return pixmap;
}

QIcon IconOf(const Drawing& draw) {
    QIcon icon;
    for (int side : {16, 24, 32})
        icon.addPixmap(Render(draw, side, 1.0));
    icon.addPixmap(Render(draw, 16, 2.0));
    return icon;
}

} // namespace

QIcon CommandIcon(int commandId) {
    const Drawing draw = DrawingOf(commandId);
    return draw ? IconOf(draw) : QIcon();
}

QIcon ProgramIcon() {
    QIcon icon;
    const Drawing draw = [](QPainter& p) {
        Card(p, QRectF(0.5, 3.5, 12, 9));
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(QColor(250, 120, 80));
        p.drawRoundedRect(QRectF(8.5, 7.5, 7, 8), 1, 1);
        Glyph(p, QStringLiteral("住"), kPaper, QRectF(8.5, 7.5, 7, 8));
    };
    for (int side : {16, 32, 48, 64, 128})
        icon.addPixmap(Render(draw, side, 1.0));
    return icon;
}
