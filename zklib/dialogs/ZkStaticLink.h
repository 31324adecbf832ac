#pragma once
// A text that behaves as a link: underlined, blue until visited and purple
// after, with the hand cursor; a click opens its target (or, without one, its
// own text) and beeps when that fails.

#include "platform/CString.h"
#include "zklib/dialogs/ZkHyperLink.h"

#include <QColor>
#include <QLabel>

class ZKLIB_API CZkStaticLink : public QLabel {
    Q_OBJECT
public:
    static const QColor g_colorUnvisited;
    static const QColor g_colorVisited;

    // target is an address or a native path; may be empty.
    explicit CZkStaticLink(const char* target = nullptr, QWidget* parent = nullptr);

    const CZkHyperLink& Link() const { return m_link; }
    void SetTarget(const char* target) { m_link.SetTarget(target); }
    bool IsVisited() const { return m_bVisited; }

signals:
    void navigated(int result);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void SetColor(const QColor& color);

    CZkHyperLink m_link;
    bool m_bVisited = false;
};
