// The main window's position and bar layout in the settings, and its close.

#include "views/MainFrame.h"

#include "doc/AppSettings.h"
#include "platform/QtText.h"
#include "zklib/ZkRect.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

const CRect kNoPosition(-999, -999, -999, -999);

// The rectangle moved as little as puts it inside the work area of the screen
// it mostly lies on (the primary one when on none), as far as it fits there;
// its top left corner always goes inside, so the title bar stays in reach.
QRect OnScreen(QRect r) {
    const QScreen* best = QGuiApplication::primaryScreen();
    qint64 most = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(r);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > most) {
            most = area;
            best = screen;
        }
    }
    if (!best)
        return r;
    const QRect a = best->availableGeometry();
    r.moveLeft(std::clamp(r.left(), a.left(), std::max(a.left(), a.right() + 1 - r.width())));
    r.moveTop(std::clamp(r.top(), a.top(), std::max(a.top(), a.bottom() + 1 - r.height())));
    return r;
}

// Gives the window's frame, not its inside, the rectangle's size. The frame's
// thickness is known at the earliest when the window shows, and only after
// the move that follows where a window manager adds the frame afterwards;
// without a frame the inside already is the rectangle.
class FramePlacer : public QObject {
public:
    FramePlacer(QWidget& window, const QRect& frame) : QObject(&window), m_frame(frame) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        auto* window = static_cast<QWidget*>(watched);
        if ((type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize) ||
            !window->isVisible())
            return false;
        const QRect frame = window->frameGeometry();
        const QRect inner = window->geometry();
        if (frame == inner)
            return false;
        window->removeEventFilter(this);
        deleteLater();
        window->resize(m_frame.size() - (frame.size() - inner.size()));
        if (frame.topLeft() != m_frame.topLeft())
            window->move(m_frame.topLeft());
        return false;
    }

private:
    QRect m_frame;
};

} // namespace

void CMainFrame::RestoreWindowPos() {
    if (!m_doc.Options().m_bSaveWndPos)
        return;
    CZkRect saved;
    saved.LoadProfile(kWindowPosSection, kWindowPosKey, kNoPosition);
    if (saved == kNoPosition || saved.IsRectEmpty())
        return;
    const QRect frame = OnScreen(QRect(saved.left, saved.top, saved.Width(), saved.Height()));
    // move() places the frame's corner (a window manager puts the title bar
    // there); setGeometry() would place the inside's and the frame would
    // grow out around it, moving up and left at every start.
    move(frame.topLeft());
    resize(frame.size());
    new FramePlacer(*this, frame);
    m_bPosRestored = true;
}

void CMainFrame::SaveWindowPos() {
    CZkRect(CZkRect::window, this).SaveProfile(kWindowPosSection, kWindowPosKey);
}

void CMainFrame::SaveBarStates() {
    kBarStates.Save(saveState().toBase64().constData());
}

void CMainFrame::RestoreBarStates() {
    const CString stored = kBarStates.Load();
    if (!stored.IsEmpty())
        restoreState(QByteArray::fromBase64(QByteArray(stored.GetString())));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveBarStates();
    SaveWindowPos();
    if (!m_doc.SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}
