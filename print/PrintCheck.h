#pragma once
// The checks before printing and the report after it, shared by the printer,
// the preview and PDF output.

#include "model/AddrCard.h"
#include "print/PageLayout.h"

#include <span>

// FALSE after a shown message when the layout is out of range or leaves no room
// for text, or when there is no card to print.
BOOL CheckCanPrint(const CPageLayout& layout, int cardCount);

// Names, in one message, the cards whose labels did not fit; nothing when there
// are none.
void ReportUnfitLabels(std::span<const CAddrCard* const> cards);
