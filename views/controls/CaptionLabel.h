#pragma once
// A caption that paints itself: bold if asked, in chosen colours, drawn first
// into an off-screen image and then copied onto the control. It reports clicks,
// so a card form can turn a contact caption into a list of methods.

#include "platform/Types.h"

#include <QColor>
#include <QString>
#include <QWidget>

class CCaptionLabel : public QWidget {
    Q_OBJECT
public:
    explicit CCaptionLabel(const QString& text = QString(), QWidget* parent = nullptr,
                           Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

    void SetBold(BOOL bold);
    void SetBackColor(const QColor& color);
    void SetTextBackColor(const QColor& color);
    void SetText(const QString& text);
    QString Text() const { return m_strText; }
    // One horizontal (left, centre, right) and one vertical (top, middle, bottom) flag.
    void SetAlignment(Qt::Alignment alignment);
    Qt::Alignment Alignment() const { return m_nAlign; }

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QStringList Lines() const;

    QString m_strText;
    QColor m_crBack;
    QColor m_crTextBack;
    Qt::Alignment m_nAlign;
    bool m_bPressed = false;
};
