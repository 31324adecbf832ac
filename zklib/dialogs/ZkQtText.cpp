#include "zklib/dialogs/ZkQtText.h"

#include <QFile>

QString ZkQt_ToQString(std::string_view sjis) {
    const std::u16string text = cp932::ToUtf16Lossy(sjis);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

BOOL ZkQt_ToSjis(const QString& text, CString& out, cp932::Error* error) {
    CString converted;
    const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()),
                                    static_cast<size_t>(text.size()));
    if (!cp932::FromUtf16(utf16, converted, error))
        return FALSE;
    out = converted;
    return TRUE;
}

QString ZkQt_PathToQString(std::string_view nativePath) {
    return QFile::decodeName(
        QByteArray(nativePath.data(), static_cast<qsizetype>(nativePath.size())));
}

std::string ZkQt_PathFromQString(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
