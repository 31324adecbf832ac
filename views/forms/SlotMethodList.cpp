#include "views/forms/SlotMethodList.h"

CSlotMethodList::CSlotMethodList(QWidget* parent) : QComboBox(parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    setMaxVisibleItems(10);
}

void CSlotMethodList::hidePopup() {
    QComboBox::hidePopup();
    emit closedUp();
}
