#include "platform/FileError.h"

#include "platform/UserInteraction.h"

CFileError CFileError::FromCause(int cause, LONG osError, std::string path, UINT type) {
    CFileError error;
    // Every failure names a cause, so that it never reads as a cancel.
    error.m_cause = cause == CFileException::none ? CFileException::genericException : cause;
    error.m_lOsError = osError;
    error.m_strPath = std::move(path);
    error.m_nType = type;
    return error;
}

CFileError CFileError::FromException(const CFileException& e, UINT type) {
    return FromCause(e.m_cause, e.m_lOsError, e.m_strFileName, type);
}

CFileError CFileError::FromMessage(UINT id, const CStringTable& strings, std::string path,
                                   UINT type) {
    CFileError error;
    error.m_nMessageId = id;
    error.m_pStrings = &strings;
    error.m_strPath = std::move(path);
    error.m_nType = type;
    return error;
}

CFileError CFileError::FromText(TextFn text, std::string path, UINT type) {
    CFileError error;
    error.m_pText = text;
    error.m_strPath = std::move(path);
    error.m_nType = type;
    return error;
}

CFileError CFileError::FromWords(std::string text, std::string path, UINT type) {
    CFileError error;
    error.m_strText = std::move(text);
    error.m_strPath = std::move(path);
    error.m_nType = type;
    return error;
}

std::string CFileError::GetText() const {
    if (!m_strText.empty())
        return m_strText;
    if (m_pText)
        return m_pText(m_strPath);
    if (m_nMessageId != 0)
        return m_pStrings->GetUtf8(m_nMessageId) + m_strPath;
    if (m_cause == CFileException::none)
        return std::string();
    return CFileException(m_cause, m_lOsError, m_strPath).GetErrorMessage();
}

int CFileError::Show() const {
    if (IsCancelled())
        return IDCANCEL;
    return AfxMessageBoxUtf8(GetText(), m_nType);
}
