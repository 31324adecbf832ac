// Reads an address book from arbitrary bytes: no crash, no allocation beyond
// what the data could hold, an error with a text for a refused file and no
// message box, and a book that was read writes a file that reads back to the
// same bytes. The list rules
// then run over whatever texts the data held.

#include "model/AddrBook.h"
#include "model/CardFilter.h"
#include "model/CardRules.h"
#include "platform/RecordingUserInteraction.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string Written(CAddrBook& book) {
    CMemFile image;
    if (book.Write(&image))
        std::abort();
    return image.Data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordingUserInteraction quiet;
    CMemFile file(std::string(reinterpret_cast<const char*>(data), size), "fuzz.kvd");
    CAddrBook book;
    const std::optional<CFileError> error = book.Read(&file);
    if (!quiet.messages.empty() || (error && error->GetText().empty()))
        std::abort();
    if (error)
        return 0;

    const std::string image = Written(book);
    CMemFile again(image, "again.kvd");
    CAddrBook back;
    if (back.Read(&again) || again.GetRemaining() != 0 || Written(back) != image)
        std::abort();

    std::vector<CAddrCard*> duplicates;
    book.FindDuplicates(duplicates);
    CCardFilter filter;
    filter.SetFilter(FILTER_KANA_A);
    filter.List(book);
    filter.SetSortKey(-2);
    if (book.GetCount() > 0)
        filter.SetSearchText(book.GetAt(0)->m_strName.Left(2));
    if (filter.List(book).size() > static_cast<size_t>(book.GetCount()))
        std::abort();
    return 0;
}
