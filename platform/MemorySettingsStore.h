#pragma once
// Settings kept in memory, for tests and tools that must not touch the user's settings.

#include "platform/SettingsStore.h"

#include <map>
#include <string>
#include <variant>

class CMemorySettingsStore final : public ISettingsStore {
public:
    CString GetProfileString(const char* section, const char* key,
                             const char* def = nullptr) const override;
    BOOL WriteProfileString(const char* section, const char* key, const char* value) override;
    int GetProfileInt(const char* section, const char* key, int def) const override;
    BOOL WriteProfileInt(const char* section, const char* key, int value) override;
    BOOL RemoveKey(const char* section, const char* key) override;

    bool Contains(const char* section, const char* key) const;

private:
    using Value = std::variant<int, std::string>;
    std::map<std::pair<std::string, std::string>, Value> m_values;
};
