#include "model/ContactMethodUsage.h"

#include <algorithm>
#include <unordered_set>

int CountCardsUsingMethod(const CAddrBook& book, int id) {
    int count = 0;
    for (const auto& card : book.Cards()) {
        const auto& entries = card->m_contacts.Entries();
        if (std::any_of(entries.begin(), entries.end(),
                        [id](const AddrContact& c) { return c.nMethodId == id; }))
            ++count;
    }
    return count;
}

std::vector<int> UnusedMethodIds(const CContactMethodTable& table, const CAddrBook& book,
                                 size_t count,
                                 std::span<const std::unique_ptr<CAddrCard>> joining) {
    std::unordered_set<int> taken;
    for (const ContactMethod& method : table.Entries())
        taken.insert(method.nId);
    for (const auto cards : {book.Cards(), joining})
        for (const auto& card : cards)
            for (const AddrContact& contact : card->m_contacts.Entries())
                taken.insert(contact.nMethodId);
    std::vector<int> ids;
    ids.reserve(count);
    for (int id = 0; ids.size() < count; ++id)
        if (!taken.count(id))
            ids.push_back(id);
    return ids;
}

int UnusedMethodId(const CContactMethodTable& table, const CAddrBook& book,
                   std::span<const std::unique_ptr<CAddrCard>> joining) {
    return UnusedMethodIds(table, book, 1, joining).front();
}
