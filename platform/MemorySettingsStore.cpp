#include "platform/MemorySettingsStore.h"

#include <charconv>

CString CMemorySettingsStore::GetProfileString(const char* section, const char* key,
                                               const char* def) const {
    const auto it = m_values.find({section, key});
    if (it == m_values.end())
        return CString(def);
    if (const auto* text = std::get_if<std::string>(&it->second))
        return CString(std::string_view(*text));
    return CString(std::to_string(std::get<int>(it->second)).c_str());
}

BOOL CMemorySettingsStore::WriteProfileString(const char* section, const char* key,
                                              const char* value) {
    if (!value)
        return RemoveKey(section, key);
    m_values[{section, key}] = std::string(value);
    return TRUE;
}

int CMemorySettingsStore::GetProfileInt(const char* section, const char* key, int def) const {
    const auto it = m_values.find({section, key});
    if (it == m_values.end())
        return def;
    if (const auto* n = std::get_if<int>(&it->second))
        return *n;
    const std::string& text = std::get<std::string>(it->second);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : def;
}

BOOL CMemorySettingsStore::WriteProfileInt(const char* section, const char* key, int value) {
    m_values[{section, key}] = value;
    return TRUE;
}

BOOL CMemorySettingsStore::RemoveKey(const char* section, const char* key) {
    m_values.erase({section, key});
    return TRUE;
}

bool CMemorySettingsStore::Contains(const char* section, const char* key) const {
    return m_values.count({section, key}) != 0;
}

namespace {
CMemorySettingsStore g_defaultStore;
ISettingsStore* g_store = &g_defaultStore;
} // namespace

ISettingsStore& AfxGetProfile() {
    return *g_store;
}

void AfxSetProfile(ISettingsStore* store) {
    g_store = store ? store : &g_defaultStore;
}
