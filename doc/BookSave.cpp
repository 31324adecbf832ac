#include "doc/BookSave.h"

#include "model/AddrBookFile.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "zklib/ZkFile.h"
#include "zklib/ZkRotateBackup.h"

namespace {

constexpr UINT IDS_BACKUP_FAILED = 146;

// After the backup moved the target aside and the rename then failed, the
// newest backup goes back to its place so the target is never missing.
void RestoreTarget(const char* path, const CZkRotateBackup& backup) {
    if (!ZkFile_DoesExist(path))
        ZkFile_Rename(backup.GetFileName(1), path);
}

} // namespace

std::optional<CFileError> SaveBookSafely(const char* path, CAddrBook& book,
                                         const BackupPolicy& policy,
                                         const std::function<bool()>& saveWithoutBackup) {
    CAtomicFile file;
    if (auto error = WriteAddrBookTemp(path, book, file))
        return error;

    CZkRotateBackup backup(policy.nGenerations, policy.strExtension);
    const BOOL bBackedUp = policy.bMakeBackup && ZkFile_DoesExist(path);
    if (policy.bMakeBackup && !backup.Backup(path) && !saveWithoutBackup()) {
        file.Abort();
        return CFileError::Cancelled();
    }
    try {
        file.Commit();
    } catch (const CFileException& e) {
        if (bBackedUp)
            RestoreTarget(path, backup);
        return CFileError::FromException(e, MB_OK | MB_ICONSTOP);
    }
    return std::nullopt;
}

bool AskSaveWithoutBackup() {
    return AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_BACKUP_FAILED), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}
