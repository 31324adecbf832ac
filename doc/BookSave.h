#pragma once
// Saving an address book over its file without ever losing the file: the book
// is written to a temporary file beside the target and put on the disk; only
// then are the backups rotated (the newest a link to the target, which keeps its
// name) and the temporary file renamed over the target. Whenever the save stops,
// the target's name holds the old book or the new one; a failed write leaves the
// target and every backup as they were. Temporary files that cut-short saves of
// the same target left behind are removed.

#include "model/AddrBook.h"
#include "platform/FileError.h"

#include <functional>
#include <optional>

struct BackupPolicy {
    BOOL bMakeBackup = TRUE;
    UINT nGenerations = 5;
    CString strExtension = "bak";
};

// When the backup fails, saveWithoutBackup is asked whether to save anyway; on
// No the save stops with a cancelled error. Failures come back as errors.
std::optional<CFileError> SaveBookSafely(const char* path, CAddrBook& book,
                                         const BackupPolicy& backup,
                                         const std::function<bool()>& saveWithoutBackup);

// The question of the program: string 146 with Yes and No.
bool AskSaveWithoutBackup();
