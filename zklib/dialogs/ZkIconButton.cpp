#include "zklib/dialogs/ZkIconButton.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {

int LargeIconSize() {
    return QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
}

} // namespace

CZkIconButton::CZkIconButton(const QIcon& icon, QWidget* parent) : QAbstractButton(parent) {
    setIcon(icon);
    setFocusPolicy(Qt::NoFocus);
}

void CZkIconButton::SetIcon(const QIcon& icon) {
    setIcon(icon);
    update();
}

QSize CZkIconButton::sizeHint() const {
    const int side = 2 * LargeIconSize() + 8;
    return {side, side};
}

void CZkIconButton::SizeToContent() {
    resize(sizeHint());
}

void CZkIconButton::paintEvent(QPaintEvent*) {
    if (icon().isNull())
        return;
    const int w = width();
    const int h = height();
    QPainter p(this);
    // The icon is drawn over the button's own background, never erased first.
    const QRect inner(2, 2, w - 8, h - 8);
    icon().paint(&p, inner, Qt::AlignCenter, QIcon::Normal);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 5, h - 5);
    p.fillRect(QRect(QPoint(w - 4, 4), QPoint(w - 1, h - 1)), Qt::darkGray);
    p.fillRect(QRect(QPoint(4, h - 4), QPoint(w - 1, h - 1)), Qt::darkGray);
}
