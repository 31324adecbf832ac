#pragma once
// File error raised by the file classes, with the cause, the operating system's
// error number and the file's path (in the system's own narrow encoding).

#include "platform/Export.h"
#include "platform/Types.h"

#include <string>

class ZKLIB_API CFileException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException() = default;
    CFileException(int cause, LONG osError, std::string fileName)
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    // Message naming the file and the cause, UTF-8.
    std::string GetErrorMessage() const;
    // Shows the message through the user-interaction service; a type without an
    // icon gets the exclamation icon. Returns the answer of the message box.
    int ReportError(UINT type = MB_OK) const;

    static int OsErrorToCause(int err);
    [[noreturn]] static void ThrowOsError(int err, const std::string& fileName);
    [[noreturn]] static void Throw(int cause, const std::string& fileName);

    int m_cause = none;
    LONG m_lOsError = 0;
    std::string m_strFileName;
};
