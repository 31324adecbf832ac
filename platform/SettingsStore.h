#pragma once
// The per-user settings store: sections of keys holding texts or integers.
// Sections and keys are ASCII; texts are Shift_JIS.

#include "platform/CString.h"

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual CString GetProfileString(const char* section, const char* key,
                                     const char* def = nullptr) const = 0;
    virtual BOOL WriteProfileString(const char* section, const char* key, const char* value) = 0;
    // The stored integer, or def when the key is missing or holds no number.
    virtual int GetProfileInt(const char* section, const char* key, int def) const = 0;
    virtual BOOL WriteProfileInt(const char* section, const char* key, int value) = 0;
    virtual BOOL RemoveKey(const char* section, const char* key) = 0;
};

// The store of the running program; an in-memory store until one is installed.
ZKLIB_API ISettingsStore& AfxGetProfile();
// Installs a store (not owned); null restores the in-memory store.
void AfxSetProfile(ISettingsStore* store);
