#include "res/AppStrings.h"

#include <cstddef>
#include <stdexcept>

extern const char* const kAppStringsData;
extern const std::size_t kAppStringsData_size;

const CStringTable& AppStrings() {
    static const CStringTable table = [] {
        CStringTable t;
        std::string error;
        if (!t.Load(std::string_view(kAppStringsData, kAppStringsData_size), &error))
            throw std::logic_error("program string table: " + error);
        return t;
    }();
    return table;
}

CString LoadAppString(UINT id) {
    return AppStrings().Get(id);
}

std::string LoadAppStringUtf8(UINT id) {
    return AppStrings().GetUtf8(id);
}
