#pragma once
// The text of a card's address label, lines joined with line feeds (the card's
// own line breaks are kept as stored). An English card shows name, title,
// company and address; any other card is composed the Japanese way: postal mark
// and code, address, company, title, name and the polite suffix " 様".

#include "model/AddrCard.h"

// Shift_JIS.
CString ComposeLabelText(const CAddrCard& card);
