// The vCard export command of the list: all, the listed or the selected cards.

#include "views/AddrListView.h"

#include "doc/KolvaneDoc.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "transfer/VCardWriter.h"
#include "views/dialogs/VCardExportDlg.h"

void CAddrListView::OnFileVCardExport() {
    CVCardExportDlg dialog(window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<const CAddrCard*> cards = CardsOfExportRange(dialog.GetRange());
    int written = 0;
    if (const std::optional<CFileError> error =
            ExportVCards(dialog.FilePath().c_str(), cards, m_doc.GetBook().m_methods,
                         dialog.GetVersion(), written)) {
        error->Show();
        return;
    }
    // "%d 件のｶｰﾄﾞがｴｸｽﾎﾟｰﾄされました。"
    CString message;
    message.Format(LoadAppString(239), written);
    AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
}
