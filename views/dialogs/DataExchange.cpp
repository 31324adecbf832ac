#include "views/dialogs/DataExchange.h"

#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/DialogStrings.h"

#include <QLineEdit>

#include <limits>

void FocusRefusedEdit(QLineEdit* edit) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

BOOL DdxUnsigned(QLineEdit* edit, int& value) {
    const QString text = edit->text().trimmed();
    bool digits = !text.isEmpty();
    for (QChar c : text)
        digits = digits && c >= u'0' && c <= u'9';
    bool ok = false;
    const qulonglong number = digits ? text.toULongLong(&ok) : 0;
    if (!ok || number > static_cast<qulonglong>(std::numeric_limits<int>::max())) {
        AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_PARSE_UINT), MB_OK | MB_ICONEXCLAMATION);
        FocusRefusedEdit(edit);
        return FALSE;
    }
    value = static_cast<int>(number);
    return TRUE;
}

BOOL DdvMinMax(QLineEdit* edit, int value, int min, int max) {
    if (value >= min && value <= max)
        return TRUE;
    const std::string format = LoadAppStringUtf8(IDS_PARSE_INT_RANGE);
    const QString text = QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size()))
                             .arg(QString::number(min), QString::number(max));
    AfxMessageBoxUtf8(text.toStdString(), MB_OK | MB_ICONEXCLAMATION);
    FocusRefusedEdit(edit);
    return FALSE;
}
