#pragma once
// Text crossing between the book's Shift_JIS strings and the widgets, always
// through the one code-page converter.

#include "platform/CString.h"
#include "platform/CodePage.h"

#include <QString>

#include <string>

// Bytes the code page does not define show as U+FFFD rather than vanish.
QString SjisToQString(const CString& sjis);
// FALSE, with out untouched and the first character code page 932 cannot hold
// in error, when the text does not fit the code page.
BOOL QStringToSjis(const QString& text, CString& out, cp932::Error* error = nullptr);
// Where in text (in UTF-16 units) the character the error names begins.
qsizetype UnstorablePosition(const QString& text, const cp932::Error& error);
// The message (UTF-8) that names the character and asks for another.
std::string UnstorableCharMessage(const cp932::Error& error);
