#pragma once
// Settings in QSettings: the registry branch Software\Tavrin\ｺﾙｳﾞｧﾈ on Windows, an
// INI file under the user's configuration folder elsewhere. Texts are kept as
// Unicode so the file stays readable; they come back as Shift_JIS.

#include "platform/SettingsStore.h"

#include <memory>
#include <string>

class QSettings;

class CQtSettingsStore final : public ISettingsStore {
public:
    // The user's own store (organisation "Tavrin", application "ｺﾙｳﾞｧﾈ").
    CQtSettingsStore();
    // An INI file at this native path.
    explicit CQtSettingsStore(const std::string& iniPath);
    ~CQtSettingsStore() override;

    CString GetProfileString(const char* section, const char* key,
                             const char* def = nullptr) const override;
    BOOL WriteProfileString(const char* section, const char* key, const char* value) override;
    int GetProfileInt(const char* section, const char* key, int def) const override;
    BOOL WriteProfileInt(const char* section, const char* key, int value) override;
    BOOL RemoveKey(const char* section, const char* key) override;
    // Writes pending changes; FALSE when the store cannot be written.
    BOOL Sync();

private:
    std::unique_ptr<QSettings> m_settings;
};
