#include "zklib/dialogs/ZkStaticLink.h"

#include "platform/QtText.h"

#include <QApplication>
#include <QMouseEvent>

const QColor CZkStaticLink::g_colorUnvisited(0, 0, 255);
const QColor CZkStaticLink::g_colorVisited(128, 0, 128);

CZkStaticLink::CZkStaticLink(const char* target, QWidget* parent) : QLabel(parent), m_link(target) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    SetColor(g_colorUnvisited);
}

void CZkStaticLink::SetColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void CZkStaticLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    CZkHyperLink link = m_link;
    if (CString(link).IsEmpty()) {
        CString own;
        if (!qtext::ToSjis(text(), own) || own.IsEmpty())
            return;
        link.SetTarget(own);
    }
    const int result = link.Navigate();
    if (result < 33) {
        QApplication::beep();
    } else {
        m_bVisited = true;
        SetColor(g_colorVisited);
    }
    emit navigated(result);
}
