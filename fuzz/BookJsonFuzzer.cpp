// Reads arbitrary bytes as a book's JSON both ways: whatever the one-pass
// reader of from-json takes, the full reader takes too and makes the same book
// file of; what the full reader refuses it says why. The same bytes as a text
// of either encoding: the character tables of from-json and dump convert as
// cp932 converts the whole text.

#include "cli/BookJson.h"
#include "cli/BookJsonStream.h"
#include "cli/Cp932Cache.h"

#include "platform/CodePage.h"
#include "platform/File.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    std::string file, duplicate;
    const bool quick = BookFileInOnePass(json, file, duplicate);
    CAddrBook book;
    std::string error;
    const bool full = BookFromJson(json, book, error);
    Check(full == error.empty());
    if (quick) {
        Check(full && duplicate.empty());
        CMemFile image;
        Check(!book.Write(&image));
        Check(image.Data() == file);
    }

    std::string bytes;
    CString sjis;
    if (cp932cache::AppendFromUtf8(json, bytes))
        Check(cp932::FromUtf8(json, sjis) && sjis.view() == bytes);
    bytes.clear();
    std::string utf8;
    if (cp932cache::AppendRoundTripUtf8(json, bytes))
        Check(cp932::ToUtf8(json, utf8) && utf8 == bytes && cp932::FromUtf8(utf8, sjis) &&
              sjis.view() == json);
    return 0;
}
