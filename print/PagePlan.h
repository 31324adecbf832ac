#pragma once
// Which card lands in which cell of which page: the cards to print, in order,
// fill the cells of a page in the layout's cell order and then the next page.
// Pages are counted from the cards that print, so there is no empty page, and
// no page at all without cards.

#include "model/AddrCard.h"

#include <span>
#include <vector>

class CPagePlan {
public:
    CPagePlan() = default;
    // cellsPerPage below 1 gives a plan without pages.
    CPagePlan(std::vector<const CAddrCard*> cards, int cellsPerPage);

    int GetCardCount() const { return static_cast<int>(m_cards.size()); }
    int GetCellsPerPage() const { return m_nCellsPerPage; }
    int GetPageCount() const;
    // The cards of page (0 for the first page) in cell order; the last page
    // may hold fewer cards than it has cells, a page beyond the last none.
    std::span<const CAddrCard* const> GetPageCards(int page) const;

private:
    std::vector<const CAddrCard*> m_cards;
    int m_nCellsPerPage = 0;
};
