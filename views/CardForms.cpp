#include "views/CardForm.h"

#include "app/KolvaneDoc.h"
#include "views/forms/AddrCardForms.h"

std::unique_ptr<ICardForm> CreateCardForm(int notation, CKolvaneDoc& doc, QWidget* parent) {
    return CreateAddrCardForm(notation, std::make_unique<CDocumentCardFormHost<CKolvaneDoc>>(doc),
                              parent);
}
