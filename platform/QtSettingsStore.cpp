#include "platform/QtSettingsStore.h"

#include "platform/QtText.h"

#include <QSettings>

namespace {

QString KeyPath(const char* section, const char* key) {
    return QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(key);
}

} // namespace

CQtSettingsStore::CQtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Tavrin"), QStringLiteral("ｺﾙｳﾞｧﾈ"))) {}

CQtSettingsStore::CQtSettingsStore(const std::string& iniPath)
    : m_settings(std::make_unique<QSettings>(qtext::FromPath(iniPath), QSettings::IniFormat)) {}

CQtSettingsStore::~CQtSettingsStore() = default;

CString CQtSettingsStore::GetProfileString(const char* section, const char* key,
                                           const char* def) const {
    const QVariant value = m_settings->value(KeyPath(section, key));
    if (!value.isValid())
        return CString(def);
    CString out;
    if (!qtext::ToSjis(value.toString(), out))
        return CString(def);
    return out;
}

BOOL CQtSettingsStore::WriteProfileString(const char* section, const char* key, const char* value) {
    if (!value)
        return RemoveKey(section, key);
    m_settings->setValue(KeyPath(section, key), qtext::FromSjis(std::string_view(value)));
    return m_settings->isWritable() ? TRUE : FALSE;
}

int CQtSettingsStore::GetProfileInt(const char* section, const char* key, int def) const {
    const QVariant value = m_settings->value(KeyPath(section, key));
    bool ok = false;
    const int n = value.toInt(&ok);
    return value.isValid() && ok ? n : def;
}

BOOL CQtSettingsStore::WriteProfileInt(const char* section, const char* key, int value) {
    m_settings->setValue(KeyPath(section, key), value);
    return m_settings->isWritable() ? TRUE : FALSE;
}

BOOL CQtSettingsStore::RemoveKey(const char* section, const char* key) {
    m_settings->remove(KeyPath(section, key));
    return m_settings->isWritable() ? TRUE : FALSE;
}

BOOL CQtSettingsStore::Sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError ? TRUE : FALSE;
}
