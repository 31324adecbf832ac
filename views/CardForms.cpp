#include "views/CardForm.h"

#include "views/forms/AddrCardEnView.h"
#include "views/forms/AddrCardJaView.h"

std::unique_ptr<ICardForm> CreateCardForm(int notation, CKolvaneDoc& doc, QWidget* parent) {
    std::unique_ptr<CAddrCardForm> form;
    if (notation == NOTATION_ENGLISH)
        form = std::make_unique<CAddrCardEnView>(doc, parent);
    else
        form = std::make_unique<CAddrCardJaView>(doc, parent);
    form->hide();
    return form;
}
