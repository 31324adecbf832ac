#include "views/dialogs/SjisText.h"

#include "platform/QtText.h"
#include "res/AppStrings.h"
#include "views/dialogs/DialogStrings.h"

QString SjisToQString(const CString& sjis) {
    return qtext::FromSjis(sjis);
}

BOOL QStringToSjis(const QString& text, CString& out, cp932::Error* error) {
    return qtext::ToSjis(text, out, error);
}

qsizetype UnstorablePosition(const QString& text, const cp932::Error& error) {
    // The converter counts characters; a character beyond the BMP takes two units.
    qsizetype pos = 0;
    for (size_t n = 0; n < error.index && pos < text.size(); ++n)
        pos += text.at(pos).isHighSurrogate() && pos + 1 < text.size() ? 2 : 1;
    return std::min(pos, text.size());
}

std::string UnstorableCharMessage(const cp932::Error& error) {
    const QString character = QString::fromUtf8(error.characterUtf8.data(),
                                                static_cast<qsizetype>(error.characterUtf8.size()));
    const QString code =
        QString::number(static_cast<uint>(error.character), 16).toUpper().rightJustified(4, u'0');
    const std::string format = LoadAppStringUtf8(IDS_UNSTORABLE_CHAR);
    return QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size()))
        .arg(character, code)
        .toStdString();
}
