#pragma once
// What the card list lists: a filter (an index button, a notation, all cards or
// the duplicates), a search text that overrides it, the case rule of the
// search and the sort key, and the cards that result, sorted.
//
// Rule of precedence: under the duplicates filter the rows are the result of
// the duplicate search and the search text is not consulted; otherwise a
// search text, when there is one, decides; otherwise the filter does.

#include "model/AddrBook.h"
#include "model/ListFilters.h"
#include "model/TextSearch.h"

#include <optional>
#include <vector>

class CCardFilter {
public:
    // Sets the filter and its index characters (kept under the duplicates filter).
    void SetFilter(int filterId);
    void SetSearchText(const char* text);
    void SetMatchCase(BOOL bMatchCase);
    void SetSortKey(int sortKey) { m_nSortKey = sortKey; }

    int GetFilter() const { return m_nFilterId; }
    const CString& GetIndexChars() const { return m_strIndexChars; }
    const CString& GetSearchText() const { return m_strSearch; }
    BOOL GetMatchCase() const { return m_bMatchCase; }
    int GetSortKey() const { return m_nSortKey; }

    // The rule of precedence for one card. Under the duplicates filter a card is
    // not tested (every card passes): its rows come from the duplicate search.
    BOOL Passes(const CAddrCard& card) const;

    // The cards of book that are listed, in row order. When only the search
    // text grew since the last listing of the same book, just the previous
    // matches are tested again.
    const std::vector<CAddrCard*>& List(const CAddrBook& book);
    // Forgets the previous matches; needed when a card's texts changed.
    void Invalidate() { m_last.reset(); }

private:
    bool IsSearching() const { return m_nFilterId != FILTER_DUPLICATES && !m_strSearch.IsEmpty(); }
    bool CanRefine(const CAddrBook& book) const;
    void PrepareSearch();

    int m_nFilterId = FILTER_ALL;
    CString m_strIndexChars;
    CString m_strSearch;
    BOOL m_bMatchCase = FALSE;
    int m_nSortKey = 1;
    std::optional<CTextSearch> m_search;

    // What the previous search listing matched, in book order.
    struct LastSearch {
        const CAddrBook* book;
        unsigned generation;
        CString text;
        BOOL bMatchCase;
        std::vector<CAddrCard*> matched;
    };
    std::optional<LastSearch> m_last;
    std::vector<CAddrCard*> m_listed;
};
