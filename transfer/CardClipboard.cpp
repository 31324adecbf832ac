#include "transfer/CardClipboard.h"

#include "model/ContactMethodUsage.h"

#include <unordered_map>

namespace {

// What error messages call the data instead of a file's path.
const char* const kClipboardName = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ";

// A record of eight empty texts (a 4-byte length and the closing NUL each) and
// no contact entries: version, notation, the texts, the contact list's version
// and count.
constexpr DWORD kMinCardBytes = 4 + 4 + 8 * (4 + 1) + 4 + 4;

constexpr UINT kErrorType = MB_OK | MB_ICONSTOP;

} // namespace

std::string WriteCardBlock(std::span<const CAddrCard* const> cards) {
    CMemFile file(std::string(), kClipboardName);
    file.WriteDword(static_cast<DWORD>(cards.size()));
    for (const CAddrCard* card : cards)
        card->Write(&file);
    return file.Detach();
}

std::string WriteMethodBlock(const CContactMethodTable& methods) {
    CMemFile file(std::string(), kClipboardName);
    methods.Write(&file);
    return file.Detach();
}

std::optional<CFileError> ReadCardBlock(std::string_view bytes,
                                        std::vector<std::unique_ptr<CAddrCard>>& cards) {
    CMemFile file(std::string(bytes), kClipboardName);
    DWORD count = 0;
    try {
        count = file.ReadDword();
        if (count > file.GetRemaining() / kMinCardBytes)
            CFileException::Throw(CFileException::endOfFile, kClipboardName);
    } catch (const CFileException& e) {
        return CFileError::FromException(e, kErrorType);
    }
    std::vector<std::unique_ptr<CAddrCard>> read;
    read.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        auto card = std::make_unique<CAddrCard>();
        if (auto error = card->Read(&file))
            return error;
        read.push_back(std::move(card));
    }
    cards = std::move(read);
    return std::nullopt;
}

std::optional<CFileError> ReadMethodBlock(std::string_view bytes, CContactMethodTable& methods) {
    CMemFile file(std::string(bytes), kClipboardName);
    CContactMethodTable read;
    if (auto error = read.Read(&file))
        return error;
    for (const ContactMethod& method : read.Entries())
        methods.Append(method);
    return std::nullopt;
}

bool MapMethodIds(std::span<const std::unique_ptr<CAddrCard>> cards,
                  const CContactMethodTable& source, CContactMethodTable& target,
                  const CAddrBook& book) {
    // Methods by both names, the first of equal names in table order; a
    // hostile block may hold many methods, so nothing here is quadratic.
    const auto key = [](const ContactMethod& m) {
        return m.strJapanese.str() + '\0' + m.strEnglish.str();
    };
    std::unordered_map<std::string, int> byNames;
    for (const ContactMethod& method : target.Entries())
        byNames.emplace(key(method), method.nId);
    std::unordered_map<int, int> ids; // source id to target id, or to -1 - n for missing[n]
    std::vector<const ContactMethod*> missing;
    for (const ContactMethod& method : source.Entries()) {
        if (ids.count(method.nId))
            continue; // the first of equal ids names the method, as lookups do
        const auto [at, added] =
            byNames.emplace(key(method), -1 - static_cast<int>(missing.size()));
        if (added)
            missing.push_back(&method);
        ids.emplace(method.nId, at->second);
    }
    const std::vector<int> fresh = UnusedMethodIds(target, book, missing.size(), cards);
    for (size_t n = 0; n < missing.size(); ++n)
        target.Append({fresh[n], missing[n]->strJapanese, missing[n]->strEnglish});
    for (const auto& card : cards) {
        const auto& entries = card->m_contacts.Entries();
        for (size_t i = 0; i < entries.size(); ++i)
            if (const auto it = ids.find(entries[i].nMethodId); it != ids.end())
                card->m_contacts.SetMethodAt(
                    static_cast<int>(i),
                    it->second >= 0 ? it->second : fresh[static_cast<size_t>(-1 - it->second)]);
    }
    return !missing.empty();
}
