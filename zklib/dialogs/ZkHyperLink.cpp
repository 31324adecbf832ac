#include "zklib/dialogs/ZkHyperLink.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "zklib/ZkStrings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

bool HasScheme(const QString& target) {
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1;
}

UINT ReasonId(int code) {
    switch (code) {
    case 0:
    case 8:
        return 2;
    case 2:
        return 3;
    case 3:
        return 4;
    case 5:
        return 6;
    case 11:
        return 5;
    case 26:
        return 13;
    case 27:
        return 7;
    case 28:
        return 10;
    case 29:
        return 9;
    case 30:
        return 8;
    case 31:
        return 12;
    case 32:
        return 11;
    default:
        return 14;
    }
}

// Replaces the first printf directive (%s or %d) of a library text.
std::string FillIn(std::string text, const std::string& value) {
    const size_t at = text.find('%');
    if (at != std::string::npos && at + 1 < text.size())
        text.replace(at, 2, value);
    return text;
}

} // namespace

int CZkHyperLink::Navigate() {
    if (m_strTarget.IsEmpty())
        return navigateEmpty;
    const QString target = qtext::FromPath(m_strTarget.view());
    QUrl url;
    if (HasScheme(target)) {
        url = QUrl(target);
    } else {
        const QFileInfo info(target);
        if (!info.exists())
            return info.absoluteDir().exists() ? fileNotFound : pathNotFound;
        url = QUrl::fromLocalFile(info.absoluteFilePath());
    }
    return QDesktopServices::openUrl(url) ? navigateDone : noAssociation;
}

std::string CZkHyperLink::ErrorText(const char* target, int code) {
    std::string reason = ZkLoadStringUtf8(ReasonId(code));
    if (ReasonId(code) == 14)
        reason = FillIn(reason, std::to_string(code));
    return FillIn(ZkLoadStringUtf8(1), target ? target : "") + reason;
}

void CZkHyperLink::ReportError(const char* target, int code) {
    AfxMessageBoxUtf8(ErrorText(target, code), MB_OK | MB_ICONSTOP);
}
