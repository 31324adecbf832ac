#pragma once
// The card list's rules, shared by the list view, export, printing and the
// command-line tool: the index and search tests, the sort order and the texts
// of the list's three columns.

#include "model/AddrCard.h"
#include "model/TextSearch.h"

#include <vector>

// The text a card is filed under: the name of an English card, the reading of
// any other (even an empty one).
const CZkString& IndexKey(const CAddrCard& card);
// The index key, ASCII letters upper-cased and leading white space ignored,
// begins with one of the characters of set (Shift_JIS).
BOOL MatchesIndex(const CAddrCard& card, const char* set);
// The text occurs in the reading, name, title, company, postal code, address,
// remarks, memo or a contact text (not in contact method names).
BOOL MatchesSearch(const CAddrCard& card, const CTextSearch& search);

// Sort keys: 1 by name (the reading of a Japanese card when it has one),
// 2 by company, 3 by the first contact's text (empty without one); negative
// for descending.
const CZkString& SortKeyText(const CAddrCard& card);
const CZkString& SortText(const CAddrCard& card, int sortKey);
// Character-code order of the key texts, negated for a negative key.
int CompareCards(const CAddrCard& a, const CAddrCard& b, int sortKey);
// Stable: cards that compare equal keep their order.
void SortCards(std::vector<CAddrCard*>& cards, int sortKey);

enum : int { COLUMN_NAME = 0, COLUMN_COMPANY = 1, COLUMN_CONTACT = 2 };
// Name, company, or the text of the first contact entry (empty without one).
const CZkString& ColumnText(const CAddrCard& card, int column);
// The sort key a click on the column gives.
inline int SortKeyOfColumn(int column) {
    return column + 1;
}
