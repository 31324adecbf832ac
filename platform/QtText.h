#pragma once
// Text crossing between Shift_JIS strings and Qt, always through the one
// code-page converter, and file paths (the system's own narrow encoding) shown
// in or taken from Qt.

#include "platform/CString.h"
#include "platform/CodePage.h"

#include <QString>

#include <string>
#include <string_view>

namespace qtext {

// Damaged bytes show as U+FFFD rather than vanish.
QString FromSjis(std::string_view sjis);
inline QString FromSjis(const CString& sjis) {
    return FromSjis(sjis.view());
}
// FALSE, with the first character code page 932 cannot hold in error, when the
// text does not fit the code page; out is then left as it was.
BOOL ToSjis(const QString& text, CString& out, cp932::Error* error = nullptr);

QString FromPath(std::string_view nativePath);
std::string ToPath(const QString& path);

} // namespace qtext
