// The main window's position and bar layout in the settings, and its close.

#include "views/MainFrame.h"

#include "doc/AppSettings.h"
#include "platform/QtText.h"
#include "zklib/ZkRect.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {

const CRect kNoPosition(-999, -999, -999, -999);

bool OnSomeScreen(const QRect& r) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(r))
            return true;
    return false;
}

} // namespace

void CMainFrame::RestoreWindowPos() {
    if (!m_doc.Options().m_bSaveWndPos)
        return;
    CZkRect saved;
    saved.LoadProfile(kWindowPosSection, kWindowPosKey, kNoPosition);
    const QRect r(saved.left, saved.top, saved.Width(), saved.Height());
    // A position from a screen that is gone, or one that makes no window, is ignored.
    if (saved == kNoPosition || saved.IsRectEmpty() || !OnSomeScreen(r))
        return;
    move(r.topLeft());
    resize(r.size());
    m_restoredFrame = saved;
    m_bPosRestored = true;
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_bShown)
        return;
    m_bShown = true;
    // The saved rectangle includes the frame, which is known only now.
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    if (m_bPosRestored && frame != inner) {
        const CRect r = m_restoredFrame;
        setGeometry(QRect(QPoint(r.left, r.top), QSize(r.Width(), r.Height()))
                        .adjusted(inner.left() - frame.left(), inner.top() - frame.top(),
                                  inner.right() - frame.right(), inner.bottom() - frame.bottom()));
    }
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
