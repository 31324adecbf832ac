#include "model/AddrBook.h"

#include "model/CardRules.h"
#include "model/RecordIo.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <unordered_set>

namespace {

constexpr char kMagic[4] = {'F', 'D', 'V', 'K'};
// A card of eight zero-count strings and no contacts: version, notation, eight
// counts, contact list version and count.
constexpr ULONGLONG kMinCardBytes = 4 + 4 + 8 * 4 + 4 + 4;

// Generations are unique across all books of the process, so that a book made
// at the address of a deleted one never looks unchanged.
std::atomic<unsigned> g_nextGeneration{1};

} // namespace

CAddrBook::CAddrBook() : m_nGeneration(g_nextGeneration++) {}

void CAddrBook::Touch() {
    m_nGeneration = g_nextGeneration++;
}

int CAddrBook::AddCard(CAddrCard* card) {
    if (!card)
        return -1;
    m_cards.emplace_back(card);
    Touch();
    return GetCount() - 1;
}

int CAddrBook::RemoveCard(CAddrCard* card) {
    const auto it = std::find_if(m_cards.begin(), m_cards.end(),
                                 [card](const auto& c) { return c.get() == card; });
    if (it != m_cards.end())
        m_cards.erase(it);
    else
        delete card;
    Touch();
    return GetCount();
}

int CAddrBook::RemoveCards(std::span<CAddrCard* const> cards) {
    const std::unordered_set<const CAddrCard*> gone(cards.begin(), cards.end());
    std::erase_if(m_cards, [&gone](const auto& c) { return gone.count(c.get()) != 0; });
    Touch();
    return GetCount();
}

void CAddrBook::RemoveAll() {
    m_cards.clear();
    m_methods.RemoveAll();
    Touch();
}

void CAddrBook::Swap(CAddrBook& other) {
    m_cards.swap(other.m_cards);
    std::swap(m_methods, other.m_methods);
    std::swap(m_posCursor, other.m_posCursor);
    Touch();
    other.Touch();
}

template <class Test> CAddrCard* CAddrBook::NextPassing(Test test) {
    while (m_posCursor < m_cards.size()) {
        CAddrCard* card = m_cards[m_posCursor++].get();
        if (test(*card))
            return card;
    }
    return nullptr;
}

CAddrCard* CAddrBook::GetNextCard() {
    return NextPassing([](const CAddrCard&) { return true; });
}

CAddrCard* CAddrBook::GetNextJapanese() {
    return NextPassing([](const CAddrCard& c) { return c.IsJapanese(); });
}

CAddrCard* CAddrBook::GetNextEnglish() {
    return NextPassing([](const CAddrCard& c) { return c.IsEnglish(); });
}

CAddrCard* CAddrBook::GetNextIndexed(const char* set) {
    return NextPassing([set](const CAddrCard& c) { return c.MatchesIndex(set); });
}

CAddrCard* CAddrBook::GetNextMatching(const char* text, BOOL bMatchCase) {
    const CTextSearch search(text, bMatchCase);
    return NextPassing([&search](const CAddrCard& c) { return MatchesSearch(c, search); });
}

std::optional<CFileError> CAddrBook::Read(CFile* file) {
    LONG count = 0;
    if (auto error = recordio::Run([&]() -> std::optional<CFileError> {
            // The magic is not checked, so a file that differs only there still opens.
            char magic[4];
            file->ReadExact(magic, 4);
            if (auto newer = recordio::ReadVersion(file))
                return newer;
            count = recordio::ReadLong(file);
            recordio::CheckCount(file, count, kMinCardBytes);
            return std::nullopt;
        }))
        return error;
    Touch();
    if (count > 0)
        m_cards.reserve(m_cards.size() + static_cast<size_t>(count));
    for (LONG i = 0; i < count; ++i) {
        auto card = std::make_unique<CAddrCard>();
        if (auto error = card->Read(file))
            return error;
        m_cards.push_back(std::move(card));
    }
    return m_methods.Read(file);
}

std::optional<CFileError> CAddrBook::Write(CFile* file) {
    if (auto error = recordio::Run([&]() -> std::optional<CFileError> {
            file->Write(kMagic, 4);
            recordio::WriteLong(file, recordio::kVersion);
            recordio::WriteLong(file, GetCount());
            return std::nullopt;
        }))
        return error;
    for (const auto& card : m_cards)
        if (auto error = card->Write(file))
            return error;
    return m_methods.Write(file);
}
