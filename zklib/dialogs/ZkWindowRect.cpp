#include "zklib/ZkRect.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {

// Right and bottom lie one past the last pixel, as in the platform's rectangles.
CRect FromQRect(const QRect& r) {
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

} // namespace

CZkRect::CZkRect(Area area, QWidget* window) {
    Set(area, window);
}

void CZkRect::Set(Area area, QWidget* window) {
    QScreen* screen = QGuiApplication::primaryScreen();
    switch (area) {
    case client:
        if (window)
            static_cast<CRect&>(*this) = FromQRect(window->rect());
        break;
    case CZkRect::window:
        if (window) {
            // The frame's thickness around the client area, added to the
            // restored rectangle when the window is minimised or maximised.
            const QRect frame = window->frameGeometry();
            const QRect inner = window->geometry();
            QRect r = frame;
            if (window->isMinimized() || window->isMaximized()) {
                r = window->normalGeometry();
                r.adjust(frame.left() - inner.left(), frame.top() - inner.top(),
                         frame.right() - inner.right(), frame.bottom() - inner.bottom());
            }
            static_cast<CRect&>(*this) = FromQRect(r);
        }
        break;
    case desktop:
        if (screen)
            static_cast<CRect&>(*this) = FromQRect(screen->geometry());
        break;
    case workArea:
        if (screen)
            static_cast<CRect&>(*this) = FromQRect(screen->availableGeometry());
        break;
    }
}
