// The options command: the sheet edits copies of the values; OK hands them back
// to their owners, which store them in the settings store as they are destroyed.

#include "app/KolvaneApp.h"

#include "doc/UpdateHints.h"
#include "views/MainFrame.h"
#include "views/dialogs/OptionsSheet.h"

void CKolvaneApp::OnOptions() {
    CKolvaneDoc& doc = *m_pDoc;
    CMainFrame& frame = *m_pFrame;
    // Refilling the list leaves no card current, so a showing form must be
    // written back now and put away if the search rule changes.
    if (!frame.CommitActiveView())
        return;

    COptionValues values;
    values.m_bAutoSave = doc.m_bAutoSave;
    values.m_bOpenPrevDoc = m_bOpenPrevDoc;
    values.m_bSaveWndPos = frame.m_bSaveWndPos;
    values.m_nMaxMRU = m_nMaxMRU;
    values.m_bMakeBackup = doc.m_bMakeBackup;
    values.m_nMaxBackup = doc.m_nMaxBackup;
    values.m_strBackupExt = doc.m_strBackupExt;
    values.m_nNewCardLang = frame.m_nNewCardLang;
    values.m_bMatchCase = doc.m_bMatchCase;
    const COptionsResult result = RunOptionsSheet(values, &frame);
    if (!result.bAccepted)
        return;

    doc.m_bAutoSave = values.m_bAutoSave;
    m_bOpenPrevDoc = values.m_bOpenPrevDoc;
    frame.m_bSaveWndPos = values.m_bSaveWndPos;
    // The recent-file list takes the new length at the next start, as the
    // sheet has told the user.
    m_nMaxMRU = values.m_nMaxMRU;
    doc.m_bMakeBackup = values.m_bMakeBackup;
    doc.m_nMaxBackup = values.m_nMaxBackup;
    doc.m_strBackupExt = values.m_strBackupExt;
    frame.m_nNewCardLang = values.m_nNewCardLang;
    if (result.bMatchCaseChanged) {
        doc.m_bMatchCase = values.m_bMatchCase;
        // The form was committed before the sheet opened and could not be
        // edited since, so it goes without refusing.
        frame.SwitchView(CMainFrame::SLOT_LIST, TRUE);
        doc.UpdateAllViews(nullptr, HINT_REBUILD_LIST);
    }
}
