// The options command: the sheet edits a copy of the document's options and OK
// hands it back whole; each part is stored in the settings as its user goes.

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

    // The recent-file list takes a new length at the next start, as the sheet
    // tells the user.
    const COptionsResult result = RunOptionsSheet(doc.Options(), &frame);
    if (result.bMatchCaseChanged) {
        // The form was committed before the sheet opened and could not be
        // edited since, so it goes without refusing.
        frame.SwitchView(CMainFrame::SLOT_LIST, TRUE);
        doc.UpdateAllViews(nullptr, HINT_REBUILD_LIST);
    }
}
