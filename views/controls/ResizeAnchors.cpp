#include "views/controls/ResizeAnchors.h"

#include <algorithm>

CResizeAnchors::~CResizeAnchors() = default;

void CResizeAnchors::Attach(QWidget* parent) {
    Attach(parent, parent ? parent->size() : QSize(0, 0));
}

void CResizeAnchors::Attach(QWidget* parent, const QSize& designSize) {
    m_pParent = parent;
    m_sizeDesign = designSize;
    m_sizeLast = designSize;
}

BOOL CResizeAnchors::AddControl(QWidget* control, UINT flags) {
    if (!m_pParent || !control || control->parentWidget() != m_pParent)
        return FALSE;
    m_entries.push_back({control, flags});
    return TRUE;
}

void CResizeAnchors::Reposition() {
    if (!m_pParent)
        return;
    // Growth is counted only beyond the design width: nothing moves while the
    // parent is narrower, and regrowing from below it moves by the excess only.
    const int dx = std::max(m_pParent->width(), m_sizeDesign.width()) -
                   std::max(m_sizeLast.width(), m_sizeDesign.width());
    if (dx != 0) {
        for (const Entry& entry : m_entries) {
            if (!entry.control)
                continue;
            QRect r = entry.control->geometry();
            if (entry.flags & ANCHOR_SIZE_X)
                r.setRight(r.right() + dx);
            if (entry.flags & ANCHOR_MOVE_X)
                r.translate(dx, 0);
            entry.control->setGeometry(r);
        }
    }
    RememberSize();
}

void CResizeAnchors::RememberSize() {
    if (m_pParent)
        m_sizeLast = m_pParent->size();
}
