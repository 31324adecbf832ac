#pragma once
// What the clipboard offers, as of its last change: cards of the card list,
// and plain text. The edit commands' rules are evaluated far more often than
// the clipboard changes, and on X11 every question to the clipboard is a
// round trip to the display server that can hang, so they read this instead.

#include <QObject>

class CClipboardState : public QObject {
    Q_OBJECT
public:
    explicit CClipboardState(QObject* parent = nullptr);

    bool HasCards() const { return m_bCards; }
    bool HasText() const { return m_bText; }

signals:
    void changed();

private:
    void Read();

    bool m_bCards = false;
    bool m_bText = false;
};
