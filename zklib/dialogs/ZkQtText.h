#pragma once
// Text crossing between the library's Shift_JIS strings and Qt's widgets, always
// through the one code-page converter, and file paths (the system's own narrow
// encoding) shown in or taken from widgets.

#include "platform/CString.h"
#include "platform/CodePage.h"

#include <QString>

#include <string>
#include <string_view>

// Damaged bytes show as U+FFFD rather than vanish.
QString ZkQt_ToQString(std::string_view sjis);
inline QString ZkQt_ToQString(const CString& sjis) {
    return ZkQt_ToQString(sjis.view());
}
// FALSE, with the first character code page 932 cannot hold in error, when the
// text does not fit the code page; out is then left as it was.
BOOL ZkQt_ToSjis(const QString& text, CString& out, cp932::Error* error = nullptr);

QString ZkQt_PathToQString(std::string_view nativePath);
std::string ZkQt_PathFromQString(const QString& path);
