#include "zklib/ZkStrings.h"

#include "platform/StringTable.h"

#include <cstddef>
#include <stdexcept>

extern const char* const kZkStringsData;
extern const std::size_t kZkStringsData_size;

namespace {

const CStringTable& Table() {
    static const CStringTable table = [] {
        CStringTable t;
        std::string error;
        if (!t.Load(std::string_view(kZkStringsData, kZkStringsData_size), &error))
            throw std::logic_error("library string table: " + error);
        return t;
    }();
    return table;
}

} // namespace

CString ZkLoadString(UINT id) {
    return Table().Get(id);
}

std::string ZkLoadStringUtf8(UINT id) {
    return Table().GetUtf8(id);
}
