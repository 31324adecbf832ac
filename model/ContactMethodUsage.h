#pragma once
// Which contact-method ids the cards of a book refer to. Cards keep the id of a
// deleted method, so a new method must never take an id a card still holds.

#include "model/AddrBook.h"

#include <memory>
#include <span>
#include <vector>

// The number of cards with at least one entry of the method.
int CountCardsUsingMethod(const CAddrBook& book, int id);
// The smallest id >= 0 that neither the table nor any card of the book, nor
// any of the cards about to join it, uses.
int UnusedMethodId(const CContactMethodTable& table, const CAddrBook& book,
                   std::span<const std::unique_ptr<CAddrCard>> joining = {});
// The count smallest such ids, in ascending order.
std::vector<int> UnusedMethodIds(const CContactMethodTable& table, const CAddrBook& book,
                                 size_t count,
                                 std::span<const std::unique_ptr<CAddrCard>> joining = {});
