// Reads arbitrary bytes as a vCard file with each charset choice. Every card
// holds valid Shift_JIS, the report counts the cards returned and names lines
// within the file, and the cards written in every version read back as as many
// cards.

#include "platform/CodePage.h"
#include "transfer/VCardReader.h"
#include "transfer/VCardWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckText(const CString& text) {
    std::string unicode;
    Check(cp932::ToUtf8(text.view(), unicode));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n') +
                                       std::count(bytes.begin(), bytes.end(), '\r')) +
                      1;
    for (VCardCharset charset : {VCardCharset::Auto, VCardCharset::Utf8, VCardCharset::Cp932}) {
        CContactMethodTable methods;
        methods.SetDefaults();
        VCardReport report;
        VCardReadOptions options;
        options.charset = charset;
        const auto cards = ReadVCards(bytes, methods, options, report);
        Check(report.cards == static_cast<int>(cards.size()));
        for (const VCardProblem& problem : report.problems)
            Check(problem.line >= 1 && problem.line <= lines &&
                  !VCardProblemText(problem, true).empty());
        for (const VCardUnstorable& entry : report.unstorable)
            Check(entry.line >= 1 && entry.line <= lines && entry.card >= 1);
        std::vector<const CAddrCard*> written;
        for (const auto& card : cards) {
            for (const CZkString* text :
                 {&card->m_strFurigana, &card->m_strName, &card->m_strTitle, &card->m_strCompany,
                  &card->m_strZip, &card->m_strAddress, &card->m_strOther, &card->m_strNotes})
                CheckText(*text);
            for (const AddrContact& contact : card->m_contacts.Entries())
                CheckText(contact.strText);
            written.push_back(card.get());
        }
        if (charset != VCardCharset::Auto)
            continue;
        for (VCardVersion version : {VCardVersion::V21, VCardVersion::V30, VCardVersion::V40}) {
            CContactMethodTable back = methods;
            VCardReport again;
            const auto read = ReadVCards(WriteVCards(written, methods, version), back, {}, again);
            Check(read.size() == cards.size() && again.unstorable.empty());
        }
    }
    return 0;
}
