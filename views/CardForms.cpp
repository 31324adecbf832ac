#include "views/CardForm.h"

#include "views/PlaceholderCardForm.h"

std::unique_ptr<ICardForm> CreateCardForm(int notation, CKolvaneDoc& doc, QWidget* parent) {
    return std::make_unique<CPlaceholderCardForm>(notation, doc, parent);
}
