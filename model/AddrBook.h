#pragma once
// The address book: every card in book order (the order of adding) and the
// book's contact-method table, with the .kvd file form.

#include "model/AddrCard.h"
#include "model/ContactMethodTable.h"

#include <memory>
#include <span>
#include <vector>

class CAddrBook : public CObject {
public:
    CAddrBook();
    CAddrBook(const CAddrBook&) = delete;
    CAddrBook& operator=(const CAddrBook&) = delete;

    // Appends the card and takes ownership; returns its position (the count
    // before). A card is added once; a null card is ignored (-1).
    int AddCard(CAddrCard* card);
    // Appends the cards in their order at once; returns the position of the
    // first (the count before). Null cards are skipped.
    int AddCards(std::vector<std::unique_ptr<CAddrCard>> cards);
    // Removes the card from the book and deletes it; returns the new count.
    int RemoveCard(CAddrCard* card);
    // Removes and deletes every card of the list at once (the others keep
    // their order); returns the new count.
    int RemoveCards(std::span<CAddrCard* const> cards);
    // Deletes every card and empties the contact-method table.
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_cards.size()); }
    // Changes whenever a card is added or removed, so that kept card pointers
    // can be known to be stale (edits of a card's texts do not count).
    unsigned GetGeneration() const { return m_nGeneration; }

    // The cards in book order (list rules, export, printing). Card pointers stay
    // valid while the card is in the book.
    std::span<const std::unique_ptr<CAddrCard>> Cards() const { return m_cards; }
    CAddrCard* GetAt(int index) const { return m_cards[static_cast<size_t>(index)].get(); }

    // Every card whose name, not empty, is also the name of another card: the
    // groups of equal names in the order of their first card, each group's
    // cards in book order.
    void FindDuplicates(std::vector<CAddrCard*>& result) const;

    // Appends the cards read to the book, then reads the table; on an error or
    // a newer version the cards read before it stay. Data that does not begin
    // as a book does is refused before anything is read.
    virtual std::optional<CFileError> Read(CFile* file);
    virtual std::optional<CFileError> Write(CFile* file);

    CContactMethodTable m_methods;

private:
    void Touch();

    std::vector<std::unique_ptr<CAddrCard>> m_cards;
    unsigned m_nGeneration;
};
