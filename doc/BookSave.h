#pragma once
// Saving an address book over its file without ever losing the file: the book
// is written to a temporary file beside the target and put on the disk; only
// then are the backups rotated and the temporary file renamed over the target.
// A failed write leaves the target and every backup as they were.

#include "model/AddrBook.h"

struct BackupPolicy {
    BOOL bMakeBackup = TRUE;
    UINT nGenerations = 5;
    CString strExtension = "bak";
};

// Reports every failure through the user-interaction service; when the backup
// fails the user is asked whether to save anyway.
BOOL SaveBookSafely(const char* path, CAddrBook& book, const BackupPolicy& backup);
