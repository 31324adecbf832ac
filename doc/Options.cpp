#include "doc/Options.h"

COptions COptions::Load() {
    COptions options;
    options.m_bOpenPrevDoc = kOpenPrevDoc.Load();
    options.m_nMaxMRU = kMaxMru.Load();
    options.m_bAutoSave = kAutoSave.Load();
    options.m_bMakeBackup = kMakeBackup.Load();
    options.m_nMaxBackup = kMaxBackup.Load();
    options.m_strBackupExt = kBackupExt.Load();
    options.m_bMatchCase = kMatchCase.Load();
    options.m_bSaveWndPos = kSaveWndPos.Load();
    options.m_nNewCardLang = kNewCardLang.Load();
    return options;
}

void COptions::SaveApplicationPart() const {
    kOpenPrevDoc.Save(m_bOpenPrevDoc);
    kMaxMru.Save(m_nMaxMRU);
}

void COptions::SaveDocumentPart() const {
    kAutoSave.Save(m_bAutoSave);
    kMakeBackup.Save(m_bMakeBackup);
    kMaxBackup.Save(m_nMaxBackup);
    kBackupExt.Save(m_strBackupExt);
    kMatchCase.Save(m_bMatchCase);
}

void COptions::SaveWindowPart() const {
    kSaveWndPos.Save(m_bSaveWndPos);
    kNewCardLang.Save(m_nNewCardLang);
}
