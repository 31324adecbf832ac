#pragma once
// The Japanese card form (form 129): reading, name, company, department, postal
// code, address, the contact slots with Japanese method names, remarks and memo.
// A known postal code fills the address (on leaving the code or through the
// address search button); a typed address is never replaced unasked.

#include "views/forms/AddrCardForm.h"

#include <vector>

class CPostalCodeTable;
struct CPostalRow;

class CAddrCardJaView : public CAddrCardForm {
    Q_OBJECT
public:
    explicit CAddrCardJaView(CKolvaneDoc& doc, QWidget* parent = nullptr);

    // The table the postal code is looked up in; the shipped one unless set.
    void SetPostalTable(CPostalCodeTable* table) { m_pPostalTable = table; }
    QToolButton* AddressSearchButton() const { return m_pAddressSearch; }
    // Looks the postal code up and fills the address from it. Asked for
    // (explicit), a typed address is replaced as one step the address box can
    // undo; otherwise it is only offered in a hint.
    void FillAddressFromPostalCode(bool explicitRequest);

    CString m_strFurigana;
    CString m_strName;
    CString m_strCompany;
    CString m_strTitle;
    CString m_strAddress;
    CString m_strOther;
    CString m_strNotes;
    CString m_strZip;

private:
    // One row of rows: the only one, or the user's choice; null when cancelled.
    const CPostalRow* ChooseRow(const std::vector<CPostalRow>& rows, const QString& code);
    // A quiet hint: the postal code's tooltip and the main window's status bar.
    void ShowPostalHint(const QString& text);

    CPostalCodeTable* m_pPostalTable;
    QLineEdit* m_pZip;
    QLineEdit* m_pCompany;
    QPlainTextEdit* m_pAddress;
    QToolButton* m_pAddressSearch;
};
