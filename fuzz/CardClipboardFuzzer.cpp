// Reads arbitrary bytes as the clipboard's card block and as its method block:
// no crash, no message box, no more cards than the bytes could hold, an error
// with a text or cards that write a block reading back the same. When both
// read, the cards' method ids are mapped into a book as a paste does, and every
// mapped id then names a method of the book or was unknown to the block.

#include "platform/RecordingUserInteraction.h"
#include "transfer/CardClipboard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string Written(const std::vector<std::unique_ptr<CAddrCard>>& cards) {
    std::vector<const CAddrCard*> pointers;
    for (const auto& card : cards)
        pointers.push_back(card.get());
    return WriteCardBlock(pointers);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordingUserInteraction quiet;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::unique_ptr<CAddrCard>> cards;
    const std::optional<CFileError> cardError = ReadCardBlock(bytes, cards);
    CContactMethodTable methods;
    const std::optional<CFileError> methodError = ReadMethodBlock(bytes, methods);
    if (!quiet.messages.empty() || (cardError && cardError->GetText().empty()) ||
        (methodError && methodError->GetText().empty()) || cards.size() > size / 56)
        std::abort();
    if (!cardError) {
        const std::string image = Written(cards);
        std::vector<std::unique_ptr<CAddrCard>> again;
        if (ReadCardBlock(image, again) || Written(again) != image)
            std::abort();
    }
    if (methodError) {
        if (methods.GetCount() != 0)
            std::abort();
        return 0;
    }
    const std::string table = WriteMethodBlock(methods);
    CContactMethodTable back;
    if (ReadMethodBlock(table, back) || WriteMethodBlock(back) != table)
        std::abort();
    if (cardError)
        return 0;
    CAddrBook book;
    book.m_methods.SetDefaults();
    MapMethodIds(cards, methods, book.m_methods, book);
    for (const auto& card : cards)
        for (const AddrContact& contact : card->m_contacts.Entries())
            if (book.m_methods.IndexOf(contact.nMethodId) < 0 &&
                methods.IndexOf(contact.nMethodId) >= 0)
                std::abort();
    return 0;
}
