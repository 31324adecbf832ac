#include "zklib/ZkStrings.h"

#include "platform/StringTable.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern const char* const kZkStringsData;
extern const std::size_t kZkStringsData_size;
extern const char* const kZkStringsDataEn;
extern const std::size_t kZkStringsDataEn_size;

namespace {

CStringTable LoadTable(std::string_view data) {
    CStringTable t;
    std::string error;
    if (!t.Load(data, &error))
        throw std::logic_error("library string table: " + error);
    return t;
}

ZkLanguage LanguageOfEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::strncmp(value, "en", 2) == 0 ? ZkLanguage::english : ZkLanguage::japanese;
    }
    return ZkLanguage::japanese;
}

ZkLanguage& Language() {
    static ZkLanguage language = LanguageOfEnvironment();
    return language;
}

const CStringTable& Table() {
    static const CStringTable japanese =
        LoadTable(std::string_view(kZkStringsData, kZkStringsData_size));
    static const CStringTable english =
        LoadTable(std::string_view(kZkStringsDataEn, kZkStringsDataEn_size));
    return Language() == ZkLanguage::english ? english : japanese;
}

} // namespace

ZkLanguage ZkGetLanguage() {
    return Language();
}

void ZkSetLanguage(ZkLanguage language) {
    Language() = language;
}

CString ZkLoadString(UINT id) {
    return Table().Get(id);
}

std::string ZkLoadStringUtf8(UINT id) {
    return Table().GetUtf8(id);
}
