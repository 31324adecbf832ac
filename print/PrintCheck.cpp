#include "print/PrintCheck.h"

#include "platform/CodePage.h"
#include "platform/UserInteraction.h"
#include "print/PrintMessages.h"

BOOL CheckCanPrint(const CPageLayout& layout, int cardCount) {
    if (const std::optional<LayoutFault> fault = layout.Check()) {
        AfxMessageBoxUtf8(fault->kind == LayoutFault::OutOfRange ? printmsg::kBadPageLayout
                                                                 : printmsg::kNoRoomForText,
                          MB_ICONSTOP);
        return FALSE;
    }
    if (cardCount <= 0) {
        AfxMessageBoxUtf8(printmsg::kNoCards, MB_ICONINFORMATION);
        return FALSE;
    }
    return TRUE;
}

void ReportUnfitLabels(std::span<const CAddrCard* const> cards) {
    if (cards.empty())
        return;
    std::vector<std::string> names;
    names.reserve(cards.size());
    for (const CAddrCard* card : cards)
        names.push_back(cp932::ToUtf8Lossy(card->m_strName.view()));
    AfxMessageBoxUtf8(printmsg::UnfitLabels(names), MB_ICONWARNING);
}
