#pragma once
// The drop-down list of contact methods that takes a slot caption's place while
// the user picks a method. It reports when its list has closed up.

#include <QComboBox>

class CSlotMethodList : public QComboBox {
    Q_OBJECT
public:
    explicit CSlotMethodList(QWidget* parent = nullptr);

    void hidePopup() override;

signals:
    // The list closed up; the chosen item becomes current only afterwards, so
    // receivers connect queued.
    void closedUp();
};
