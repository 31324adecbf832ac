#pragma once
// The user's options, edited together on the options sheet. The document holds
// the one copy the program uses; the main window and the application read it
// there. Each part goes to the settings when its user goes, as the part may
// still change until then: the document's and the main window's as they are
// destroyed, the application's at exit.

#include "doc/AppSettings.h"
#include "platform/CString.h"

struct COptions {
    // The application's: reopen the last file at start-up; how many recent
    // files the file menu lists (the list takes a new length at the next start).
    BOOL m_bOpenPrevDoc = kOpenPrevDoc.def;
    int m_nMaxMRU = kMaxMru.def;
    // The document's: save on close without asking; the backups on save; the
    // card search's letter case.
    BOOL m_bAutoSave = kAutoSave.def;
    BOOL m_bMakeBackup = kMakeBackup.def;
    int m_nMaxBackup = kMaxBackup.def;
    CString m_strBackupExt = kBackupExt.def;
    BOOL m_bMatchCase = kMatchCase.def;
    // The main window's: reuse the saved position; the notation of a new card
    // (0 Japanese, 1 English).
    BOOL m_bSaveWndPos = kSaveWndPos.def;
    int m_nNewCardLang = kNewCardLang.def;

    // Every option from the settings, numbers brought into range, defaults for
    // what is missing.
    static COptions Load();
    void SaveApplicationPart() const;
    void SaveDocumentPart() const;
    void SaveWindowPart() const;
};
