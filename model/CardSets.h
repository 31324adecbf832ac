#pragma once
// The sets of cards that export and printing work on.

#include "model/AddrBook.h"

#include <span>
#include <vector>

enum : int { CARDS_ALL = 0, CARDS_LISTED = 1, CARDS_SELECTED = 2 };

// CARDS_ALL: every card of the book in book order; CARDS_LISTED: the list's
// rows top to bottom; CARDS_SELECTED: the selected rows top to bottom
// (selected[i] tells whether row i is selected).
std::vector<CAddrCard*> CardsOfRange(int range, const CAddrBook& book,
                                     std::span<CAddrCard* const> rows,
                                     const std::vector<bool>& selected);
