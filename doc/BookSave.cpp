#include "doc/BookSave.h"

#include "model/AddrBookFile.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "zklib/ZkRotateBackup.h"

namespace {

constexpr UINT IDS_BACKUP_FAILED = 146;

} // namespace

std::optional<CFileError> SaveBookSafely(const char* path, CAddrBook& book,
                                         const BackupPolicy& policy,
                                         const std::function<bool()>& saveWithoutBackup) {
    CAtomicFile file;
    if (auto error = WriteAddrBookTemp(path, book, file))
        return error;

    CZkRotateBackup backup(policy.nGenerations, policy.strExtension);
    if (policy.bMakeBackup && !backup.Backup(path) && !saveWithoutBackup()) {
        file.Abort();
        return CFileError::Cancelled();
    }
    try {
        file.Commit();
    } catch (const CFileException& e) {
        return CFileError::FromException(e, MB_OK | MB_ICONSTOP);
    }
    return std::nullopt;
}

bool AskSaveWithoutBackup() {
    return AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_BACKUP_FAILED), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}
