// The list's postcards: its selected rows, or all its rows, addressed on a
// postcard or envelope layout in the postcard dialog.

#include "views/AddrListView.h"

#include "doc/KolvaneDoc.h"
#include "views/PostcardDialog.h"

void CAddrListView::OnFilePostcards() {
    std::vector<const CAddrCard*> cards = SelectedCards();
    if (cards.size() < 2)
        cards = ListedCards();
    auto* dialog = new CPostcardDialog(std::move(cards), m_doc.GetBook(), window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The pages show the rows as they were; once the list changes their cards may be gone.
    connect(this, &CAddrListView::countChanged, dialog, &QWidget::close);
    dialog->open();
}
