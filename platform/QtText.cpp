#include "platform/QtText.h"

#include <QFile>

namespace qtext {

QString FromSjis(std::string_view sjis) {
    const std::u16string text = cp932::ToUtf16Lossy(sjis);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

BOOL ToSjis(const QString& text, CString& out, cp932::Error* error) {
    CString converted;
    const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()),
                                    static_cast<size_t>(text.size()));
    if (!cp932::FromUtf16(utf16, converted, error))
        return FALSE;
    out = converted;
    return TRUE;
}

QString FromPath(std::string_view nativePath) {
    return QFile::decodeName(
        QByteArray(nativePath.data(), static_cast<qsizetype>(nativePath.size())));
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace qtext
