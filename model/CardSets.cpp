#include "model/CardSets.h"

std::vector<CAddrCard*> CardsOfRange(int range, const CAddrBook& book,
                                     std::span<CAddrCard* const> rows,
                                     const std::vector<bool>& selected) {
    std::vector<CAddrCard*> cards;
    switch (range) {
    case CARDS_ALL:
        cards.reserve(static_cast<size_t>(book.GetCount()));
        for (const auto& card : book.Cards())
            cards.push_back(card.get());
        break;
    case CARDS_LISTED:
        cards.assign(rows.begin(), rows.end());
        break;
    case CARDS_SELECTED:
        for (size_t row = 0; row < rows.size() && row < selected.size(); ++row)
            if (selected[row])
                cards.push_back(rows[row]);
        break;
    default:
        break;
    }
    return cards;
}
