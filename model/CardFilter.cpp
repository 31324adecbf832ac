#include "model/CardFilter.h"

#include "model/CardRules.h"

#include <algorithm>
#include <functional>

void CCardFilter::SetFilter(int filterId) {
    m_nFilterId = filterId;
    if (filterId != FILTER_DUPLICATES)
        m_strIndexChars = IndexChars(filterId);
}

void CCardFilter::SetSearchText(const char* text) {
    m_strSearch = text;
    PrepareSearch();
}

void CCardFilter::SetMatchCase(BOOL bMatchCase) {
    m_bMatchCase = bMatchCase;
    PrepareSearch();
}

void CCardFilter::PrepareSearch() {
    m_search.reset();
    if (!m_strSearch.IsEmpty())
        m_search.emplace(m_strSearch, m_bMatchCase);
}

BOOL CCardFilter::Passes(const CAddrCard& card) const {
    if (m_nFilterId == FILTER_DUPLICATES)
        return TRUE;
    if (m_search)
        return MatchesSearch(card, *m_search);
    switch (m_nFilterId) {
    case FILTER_JAPANESE:
        return card.IsJapanese();
    case FILTER_ENGLISH:
        return card.IsEnglish();
    case FILTER_ALL:
        return TRUE;
    default:
        return IsIndexFilter(m_nFilterId) && MatchesIndex(card, m_strIndexChars);
    }
}

bool CCardFilter::CanRefine(const CAddrBook& book) const {
    // A text that begins with the previous one can only match cards the
    // previous one matched.
    return m_last && m_last->book == &book && m_last->generation == book.GetGeneration() &&
           m_last->bMatchCase == m_bMatchCase &&
           m_strSearch.view().starts_with(m_last->text.view());
}

const std::vector<CAddrCard*>& CCardFilter::List(const CAddrBook& book) {
    m_listed.clear();
    if (m_nFilterId == FILTER_DUPLICATES) {
        // Taken in book order, so that cards of equal sort keys keep it.
        std::vector<CAddrCard*> duplicates;
        book.FindDuplicates(duplicates);
        std::sort(duplicates.begin(), duplicates.end(), std::less<CAddrCard*>());
        for (const auto& card : book.Cards())
            if (std::binary_search(duplicates.begin(), duplicates.end(), card.get(),
                                   std::less<CAddrCard*>()))
                m_listed.push_back(card.get());
    } else if (IsSearching() && CanRefine(book)) {
        std::erase_if(m_last->matched,
                      [this](const CAddrCard* card) { return !MatchesSearch(*card, *m_search); });
        m_last->text = m_strSearch;
        m_listed = m_last->matched;
    } else {
        m_listed.reserve(static_cast<size_t>(book.GetCount()));
        for (const auto& card : book.Cards())
            if (Passes(*card))
                m_listed.push_back(card.get());
        if (IsSearching())
            m_last = LastSearch{&book, book.GetGeneration(), m_strSearch, m_bMatchCase, m_listed};
    }
    if (!IsSearching())
        m_last.reset();
    SortCards(m_listed, m_nSortKey);
    return m_listed;
}
