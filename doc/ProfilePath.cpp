#include "doc/ProfilePath.h"

#include "platform/QtText.h"
#include "platform/SettingsStore.h"

#include <QUrl>

namespace {

constexpr std::string_view kUrlPrefix = "file:";

} // namespace

std::string LoadProfilePath(const char* section, const char* key) {
    const CString stored = AfxGetProfile().GetProfileString(section, key, "");
    if (stored.view().starts_with(kUrlPrefix)) {
        const QUrl url(qtext::FromSjis(stored), QUrl::StrictMode);
        return url.isValid() && url.isLocalFile() ? qtext::ToPath(url.toLocalFile())
                                                  : std::string();
    }
    return qtext::ToPath(qtext::FromSjis(stored));
}

BOOL SaveProfilePath(const char* section, const char* key, const std::string& nativePath) {
    const QString path = qtext::FromPath(nativePath);
    CString text;
    // A plain path that happened to begin like an address is stored as one too.
    if (!qtext::ToSjis(path, text) || text.view().starts_with(kUrlPrefix)) {
        const QByteArray encoded = QUrl::fromLocalFile(path).toEncoded();
        text = CString(std::string_view(encoded.constData(), static_cast<size_t>(encoded.size())));
    }
    return AfxGetProfile().WriteProfileString(section, key, text);
}
