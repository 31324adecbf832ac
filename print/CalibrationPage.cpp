#include "print/CalibrationPage.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr double kArmMm = 10.0;
constexpr double kRulerStartMm = 5.0; // printers leave the outermost millimetres blank
constexpr double kRulerEndMm = 60.0;

class CMmPainter {
public:
    CMmPainter(QPainter& painter, PxPerMm scale) : m_painter(painter), m_scale(scale) {}

    QPointF At(double x, double y) const { return {x * m_scale.x, y * m_scale.y}; }
    void Line(double x1, double y1, double x2, double y2) {
        m_painter.drawLine(At(x1, y1), At(x2, y2));
    }
    void Text(double x, double y, double width, double height, int flags, const QString& text) {
        m_painter.drawText(QRectF(At(x, y), At(x + width, y + height)), flags, text);
    }
    void Cross(double x, double y) {
        Line(x - kArmMm, y, x + kArmMm, y);
        Line(x, y - kArmMm, x, y + kArmMm);
        m_painter.drawEllipse(At(x, y), 2.0 * m_scale.x, 2.0 * m_scale.y);
    }
    // Ticks every millimetre along the line through the cross, across (or down)
    // the page, numbered every 10 mm with the distance from the paper's edge.
    void Ruler(bool across) {
        const double c = kCalibrationCrossMm;
        if (across)
            Line(kRulerStartMm, c, kRulerEndMm, c);
        else
            Line(c, kRulerStartMm, c, kRulerEndMm);
        for (int mm = static_cast<int>(kRulerStartMm); mm <= static_cast<int>(kRulerEndMm); ++mm) {
            const double tick = mm % 10 == 0 ? 4.0 : mm % 5 == 0 ? 2.5 : 1.5;
            if (across)
                Line(mm, c, mm, c + tick);
            else
                Line(c, mm, c + tick, mm);
            if (mm % 10 != 0)
                continue;
            const QString number = QString::number(mm);
            if (across)
                Text(mm - 5, c + 4.5, 10, 4, Qt::AlignHCenter | Qt::AlignTop, number);
            else
                Text(c + 4.5, mm - 2, 10, 4, Qt::AlignLeft | Qt::AlignVCenter, number);
        }
    }

private:
    QPainter& m_painter;
    PxPerMm m_scale;
};

QFont PageFont(double points) {
    QFont font = MakeLabelFont(LOGFONT{}, 0, true);
    font.setPointSizeF(points);
    return font;
}

} // namespace

void DrawCalibrationPage(QPainter& painter, PxPerMm scale, const CPageLayout& layout,
                         PrintOffset offset) {
    const double width = layout.GetPrintWidth().mm();
    const double height = layout.GetPrintHeight().mm();
    painter.save();
    painter.translate(offset.x * scale.x, offset.y * scale.y);
    painter.setBrush(Qt::NoBrush);
    if (layout.HasRoomForText()) {
        painter.setPen(QPen(Qt::gray, 0.1 * scale.x));
        for (int cell = 0; cell < layout.GetCellCount(); ++cell) {
            const RectMm r = layout.GetCellRectF(cell);
            painter.drawRect(QRectF(QPointF(r.left * scale.x, r.top * scale.y),
                                    QPointF(r.right * scale.x, r.bottom * scale.y)));
        }
    }
    painter.setPen(QPen(Qt::black, 0.15 * scale.x));
    CMmPainter mm(painter, scale);
    const double c = kCalibrationCrossMm;
    mm.Cross(c, c);
    mm.Cross(width - c, height - c);
    painter.setFont(PageFont(6));
    mm.Ruler(true);
    mm.Ruler(false);
    painter.setFont(PageFont(8));
    const QString text =
        QStringLiteral("ｷｬﾘﾌﾞﾚｰｼｮﾝ ﾍﾟｰｼﾞ  %1 × %2 mm  補正 横 %3 mm、縦 %4 mm\n"
                       "十字の中心は用紙の左端から %5 mm、上端から %5 mm の所に印刷されるはずです。"
                       "実際の位置を測り、右へずれた分だけ横の値を、下へずれた分だけ縦の値を"
                       "減らしてください (左や上へずれたときは増やします)。")
            .arg(width, 0, 'f', 1)
            .arg(height, 0, 'f', 1)
            .arg(offset.x, 0, 'f', 2)
            .arg(offset.y, 0, 'f', 2)
            .arg(c, 0, 'f', 0);
    mm.Text(c + 12, c + 12, std::max(width - c - 22, 20.0), 40, Qt::TextWordWrap, text);
    painter.restore();
}
