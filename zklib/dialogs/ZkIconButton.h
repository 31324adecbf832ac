#pragma once
// A button that shows an icon inside a black frame with a dark grey shadow.

#include "platform/Export.h"

#include <QAbstractButton>
#include <QIcon>

class ZKLIB_API CZkIconButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CZkIconButton(const QIcon& icon = QIcon(), QWidget* parent = nullptr);

    void SetIcon(const QIcon& icon);
    // Twice the system's large icon size, plus room for the frame and shadow.
    void SizeToContent();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
