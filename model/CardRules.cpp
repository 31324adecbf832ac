#include "model/CardRules.h"

#include "model/SortKey.h"
#include "platform/MbChar.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const CZkString kEmpty;

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Big-endian first eight bytes of a sort key, zero-padded, so that most
// comparisons are one integer comparison.
std::uint64_t KeyPrefix(const char* key, size_t length) {
    std::uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i)
        prefix = prefix << 8 | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
    return prefix;
}

} // namespace

const CZkString& IndexKey(const CAddrCard& card) {
    return card.IsEnglish() ? card.m_strName : card.m_strFurigana;
}

BOOL MatchesIndex(const CAddrCard& card, const char* set) {
    const std::string_view key = IndexKey(card).view();
    size_t pos = 0;
    while (pos < key.size() && IsBlank(key[pos]))
        ++pos;
    if (pos == key.size() || !set)
        return FALSE;
    const char* first = key.data() + pos;
    const int length = mb::CharLen(first);
    char upper = first[0];
    if (length == 1 && upper >= 'a' && upper <= 'z')
        upper = static_cast<char>(upper - 'a' + 'A');
    for (const char* s = set; *s; s += mb::CharLen(s)) {
        if (mb::CharLen(s) != length || s[0] != upper)
            continue;
        if (length == 1 || s[1] == first[1])
            return TRUE;
    }
    return FALSE;
}

BOOL MatchesSearch(const CAddrCard& card, const CTextSearch& search) {
    if (search.FoundIn(card.m_strFurigana) || search.FoundIn(card.m_strName) ||
        search.FoundIn(card.m_strTitle) || search.FoundIn(card.m_strCompany) ||
        search.FoundIn(card.m_strZip) || search.FoundIn(card.m_strAddress) ||
        search.FoundIn(card.m_strOther) || search.FoundIn(card.m_strNotes))
        return TRUE;
    for (const auto& contact : card.m_contacts.Entries())
        if (search.FoundIn(contact.strText))
            return TRUE;
    return FALSE;
}

const CZkString& SortKeyText(const CAddrCard& card) {
    if (card.IsEnglish() || card.m_strFurigana.IsEmpty())
        return card.m_strName;
    return card.m_strFurigana;
}

const CZkString& SortText(const CAddrCard& card, int sortKey) {
    switch (std::abs(sortKey)) {
    case 1:
        return SortKeyText(card);
    case 3:
        return ColumnText(card, COLUMN_CONTACT);
    default:
        return card.m_strCompany;
    }
}

int CompareCards(const CAddrCard& a, const CAddrCard& b, int sortKey) {
    const int result = MbsCompare(SortText(a, sortKey), SortText(b, sortKey));
    return sortKey < 0 ? -result : result;
}

void SortCards(std::vector<CAddrCard*>& cards, int sortKey) {
    struct Item {
        std::uint64_t prefix;
        size_t offset;
        size_t length;
        CAddrCard* card;
    };
    // The keys of all cards side by side, each compared as bytes.
    std::string keys;
    std::vector<Item> items;
    items.reserve(cards.size());
    for (CAddrCard* card : cards) {
        const size_t offset = keys.size();
        AppendSortKey(SortText(*card, sortKey).view(), keys);
        items.push_back({0, offset, keys.size() - offset, card});
    }
    for (auto& item : items)
        item.prefix = KeyPrefix(keys.data() + item.offset, item.length);

    const auto compare = [&keys](const Item& a, const Item& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        if (a.length <= 8 || b.length <= 8)
            return a.length == b.length ? 0 : a.length < b.length ? -1 : 1;
        const std::string_view ra(keys.data() + a.offset + 8, a.length - 8);
        const std::string_view rb(keys.data() + b.offset + 8, b.length - 8);
        return ra.compare(rb);
    };
    if (sortKey < 0)
        std::stable_sort(items.begin(), items.end(),
                         [&](const Item& a, const Item& b) { return compare(a, b) > 0; });
    else
        std::stable_sort(items.begin(), items.end(),
                         [&](const Item& a, const Item& b) { return compare(a, b) < 0; });
    for (size_t i = 0; i < items.size(); ++i)
        cards[i] = items[i].card;
}

const CZkString& ColumnText(const CAddrCard& card, int column) {
    switch (column) {
    case COLUMN_NAME:
        return card.m_strName;
    case COLUMN_COMPANY:
        return card.m_strCompany;
    default: {
        const auto& contacts = card.m_contacts.Entries();
        return contacts.empty() ? kEmpty : contacts.front().strText;
    }
    }
}
