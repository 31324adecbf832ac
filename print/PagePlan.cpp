#include "print/PagePlan.h"

#include <algorithm>

CPagePlan::CPagePlan(std::vector<const CAddrCard*> cards, int cellsPerPage)
    : m_cards(std::move(cards)), m_nCellsPerPage(std::max(cellsPerPage, 0)) {}

int CPagePlan::GetPageCount() const {
    if (m_nCellsPerPage == 0)
        return 0;
    const size_t cells = static_cast<size_t>(m_nCellsPerPage);
    return static_cast<int>((m_cards.size() + cells - 1) / cells);
}

std::span<const CAddrCard* const> CPagePlan::GetPageCards(int page) const {
    if (page < 0 || page >= GetPageCount())
        return {};
    const size_t first = static_cast<size_t>(page) * static_cast<size_t>(m_nCellsPerPage);
    const size_t count = std::min(m_cards.size() - first, static_cast<size_t>(m_nCellsPerPage));
    return std::span<const CAddrCard* const>(m_cards).subspan(first, count);
}
