#pragma once
// The values the options sheet edits. Their owners (the application, the
// document, the main window and the card search) fill a copy before the sheet
// opens and take the values back after OK.

#include "platform/CString.h"

struct COptionValues {
    BOOL m_bAutoSave = FALSE;    // document, "AutoSave"
    BOOL m_bOpenPrevDoc = FALSE; // application, "OpenPrevDoc"
    BOOL m_bSaveWndPos = FALSE;  // main window, "SaveWndPos"
    int m_nMaxMRU = 0;           // application, "MaxMRU", 4 to 16
    BOOL m_bMakeBackup = FALSE;  // document, "MakeBackup"
    int m_nMaxBackup = 0;        // document, "MaxBackup", 0 to 32
    CString m_strBackupExt;      // document, "BackupExt"
    int m_nNewCardLang = -1;     // main window, "NewCardLang": 0 Japanese, 1 English
    BOOL m_bMatchCase = FALSE;   // card search, "MatchCase"
};
