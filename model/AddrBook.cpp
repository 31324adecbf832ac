#include "model/AddrBook.h"

#include "model/RecordIo.h"
#include "res/AppStrings.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <unordered_set>

namespace {

constexpr char kMagic[4] = {'F', 'D', 'V', 'K'};
// "Not an address book or damaged", followed by the file's path.
constexpr UINT IDS_NOT_A_BOOK = 404;
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

int CAddrBook::AddCards(std::vector<std::unique_ptr<CAddrCard>> cards) {
    const int first = GetCount();
    m_cards.reserve(m_cards.size() + cards.size());
    for (auto& card : cards)
        if (card)
            m_cards.push_back(std::move(card));
    Touch();
    return first;
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

std::optional<CFileError> CAddrBook::Read(CFile* file) {
    LONG count = 0;
    if (auto error = recordio::Run([&]() -> std::optional<CFileError> {
            // Any other file (zeros, a document, text) would otherwise read as an
            // empty book, and saving it would write a book over that file.
            char magic[sizeof kMagic] = {};
            if (file->GetRemaining() >= sizeof magic)
                file->ReadExact(magic, sizeof magic);
            if (std::memcmp(magic, kMagic, sizeof magic) != 0)
                return CFileError::FromMessage(IDS_NOT_A_BOOK, AppStrings(), file->GetFilePath(),
                                               MB_OK | MB_ICONSTOP);
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
            file->Write(kMagic, sizeof kMagic);
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
