#pragma once
// A failed read or write of a file as a value: its cause, the file's path
// (native) and the message box it shows. Readers and writers return it; the
// caller that talks to the user shows it, a batch caller collects or prints it.

#include "platform/FileException.h"
#include "platform/StringTable.h"

#include <string>

class CFileError {
public:
    // A layer's own text about a file, made from its path.
    using TextFn = std::string (*)(const std::string& path);

    // A file-system or reading cause (CFileException::Cause) with the system's
    // error number, worded as CFileException words it.
    static CFileError FromCause(int cause, LONG osError, std::string path, UINT type);
    static CFileError FromException(const CFileException& e, UINT type);
    // The text of a string-table message followed by the path.
    static CFileError FromMessage(UINT id, const CStringTable& strings, std::string path,
                                  UINT type);
    static CFileError FromText(TextFn text, std::string path, UINT type);
    // A text made for this one failure, such as one naming the line of a file.
    static CFileError FromWords(std::string text, std::string path, UINT type);
    // The user chose not to go on: no error to show.
    static CFileError Cancelled() { return CFileError(); }

    BOOL IsCancelled() const {
        return m_cause == CFileException::none && m_nMessageId == 0 && !m_pText &&
               m_strText.empty();
    }

    // The message box's text, UTF-8; "" when cancelled.
    std::string GetText() const;
    // Shows the text through the user-interaction service with the error's icon
    // and buttons; the answer, or IDCANCEL without a box when cancelled.
    int Show() const;

    int m_cause = CFileException::none;
    UINT m_nMessageId = 0; // of m_pStrings; 0 for a cause or a text
    LONG m_lOsError = 0;
    std::string m_strPath;
    UINT m_nType = MB_OK; // the message box's buttons and icon
    TextFn m_pText = nullptr;
    const CStringTable* m_pStrings = nullptr;
    std::string m_strText; // FromWords
};
