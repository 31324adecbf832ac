#include "model/AddrBook.h"

#include <bit>
#include <functional>
#include <string_view>

// Names are grouped through a hash table, one pass over the book, and the
// groups of two or more are laid out in the order of their first card: the same
// result as comparing every pair of cards in book order, in linear time.
void CAddrBook::FindDuplicates(std::vector<CAddrCard*>& result) const {
    result.clear();
    const size_t count = m_cards.size();
    const size_t slotCount = std::bit_ceil(std::max<size_t>(16, count * 2));
    const size_t mask = slotCount - 1;
    std::vector<int> slots(slotCount, -1); // group numbers
    std::vector<size_t> groupFirst;        // first card of each group
    std::vector<size_t> groupSize;
    std::vector<int> groupOf(count, -1); // -1: empty name
    const std::hash<std::string_view> hash;

    for (size_t i = 0; i < count; ++i) {
        const std::string_view name = m_cards[i]->m_strName.view();
        if (name.empty())
            continue;
        size_t slot = hash(name) & mask;
        while (slots[slot] >= 0 &&
               m_cards[groupFirst[static_cast<size_t>(slots[slot])]]->m_strName.view() != name)
            slot = (slot + 1) & mask;
        if (slots[slot] < 0) {
            slots[slot] = static_cast<int>(groupFirst.size());
            groupFirst.push_back(i);
            groupSize.push_back(0);
        }
        groupOf[i] = slots[slot];
        ++groupSize[static_cast<size_t>(slots[slot])];
    }

    std::vector<size_t> next(groupSize.size());
    size_t total = 0;
    for (size_t g = 0; g < groupSize.size(); ++g) {
        next[g] = total;
        if (groupSize[g] > 1)
            total += groupSize[g];
    }
    result.resize(total);
    for (size_t i = 0; i < count; ++i) {
        if (groupOf[i] < 0)
            continue;
        const auto g = static_cast<size_t>(groupOf[i]);
        if (groupSize[g] > 1)
            result[next[g]++] = m_cards[i].get();
    }
}
