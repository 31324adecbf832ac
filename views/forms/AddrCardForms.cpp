#include "views/forms/AddrCardForms.h"

#include "views/forms/AddrCardEnView.h"
#include "views/forms/AddrCardJaView.h"

std::unique_ptr<ICardForm> CreateAddrCardForm(int notation, std::unique_ptr<ICardFormHost> host,
                                              QWidget* parent) {
    std::unique_ptr<CAddrCardForm> form;
    if (notation == NOTATION_ENGLISH)
        form = std::make_unique<CAddrCardEnView>(std::move(host), parent);
    else
        form = std::make_unique<CAddrCardJaView>(std::move(host), parent);
    form->hide();
    return form;
}
