#pragma once
// The English card form (form 101): name, title, company, address, the contact
// slots with English method names, other and notes.

#include "views/forms/AddrCardForm.h"

class CAddrCardEnView : public CAddrCardForm {
    Q_OBJECT
public:
    explicit CAddrCardEnView(CKolvaneDoc& doc, QWidget* parent = nullptr);

    CString m_strName;
    CString m_strTitle;
    CString m_strCompany;
    CString m_strAddress;
    CString m_strOther;
    CString m_strNotes;
};
