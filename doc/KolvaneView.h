#pragma once
// A view of the document: the card list and the two card forms. Views never own
// cards; the document tells them about changes through update hints.

class CAddrCard;

class IKolvaneView {
public:
    virtual ~IKolvaneView() = default;
    // A document was opened or created: show it from scratch.
    virtual void OnInitialUpdate() {}
    // sender is the view that caused the change, or null.
    virtual void OnUpdate(IKolvaneView* sender, int hint, CAddrCard* card) = 0;
};
