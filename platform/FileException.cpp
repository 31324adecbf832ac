#include "platform/FileException.h"

#include "platform/UserInteraction.h"

#include <cerrno>
#include <cstring>

namespace {

// "%1" stands for the file's path.
const char* CauseText(int cause) {
    switch (cause) {
    case CFileException::fileNotFound:
        return "ﾌｧｲﾙ %1 が見つかりません。";
    case CFileException::badPath:
        return "ﾌｧｲﾙ %1 のﾊﾟｽの一部またはすべてが無効です。";
    case CFileException::tooManyOpenFiles:
        return "開いているﾌｧｲﾙが多すぎるため、%1 を開けません。";
    case CFileException::accessDenied:
        return "ﾌｧｲﾙ %1 へのｱｸｾｽが拒否されました。";
    case CFileException::invalidFile:
        return "ﾌｧｲﾙ %1 は開かれていません。";
    case CFileException::removeCurrentDir:
        return "現在のﾌｫﾙﾀﾞ %1 は削除できません。";
    case CFileException::directoryFull:
        return "ﾌｫﾙﾀﾞがいっぱいのため、%1 を作成できません。";
    case CFileException::badSeek:
        return "ﾌｧｲﾙ %1 の位置を移動できません。";
    case CFileException::hardIO:
        return "ﾌｧｲﾙ %1 の読み書き中に装置のｴﾗｰが起きました。";
    case CFileException::sharingViolation:
        return "ﾌｧｲﾙ %1 は他のﾌﾟﾛｸﾞﾗﾑが使用中です。";
    case CFileException::lockViolation:
        return "ﾌｧｲﾙ %1 の一部は他のﾌﾟﾛｸﾞﾗﾑがﾛｯｸしています。";
    case CFileException::diskFull:
        return "ﾃﾞｨｽｸがいっぱいのため、ﾌｧｲﾙ %1 に書き込めません。";
    case CFileException::endOfFile:
        return "ﾌｧｲﾙ %1 は途中で終わっています。壊れている可能性があります。";
    default:
        return "ﾌｧｲﾙ %1 の読み書き中に予期しないｴﾗｰが起きました。";
    }
}

} // namespace

std::string CFileException::GetErrorMessage() const {
    std::string text = CauseText(m_cause);
    const size_t at = text.find("%1");
    text.replace(at, 2, m_strFileName.empty() ? std::string("(名前なし)") : m_strFileName);
    if (m_lOsError != 0 && m_cause == genericException) {
        text += "\n(";
        text += std::strerror(m_lOsError);
        text += ")";
    }
    return text;
}

int CFileException::ReportError(UINT type) const {
    return AfxMessageBoxUtf8(GetErrorMessage(), type);
}

int CFileException::OsErrorToCause(int err) {
    switch (err) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EBUSY:
    case ETXTBSY:
        return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    case ESPIPE:
    case EOVERFLOW:
        return badSeek;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(int err, const std::string& fileName) {
    throw CFileException(OsErrorToCause(err), err, fileName);
}

void CFileException::Throw(int cause, const std::string& fileName) {
    throw CFileException(cause, 0, fileName);
}
