#pragma once
// The Japanese card form (form 129): reading, name, company, department, postal
// code, address, the contact slots with Japanese method names, remarks and memo.

#include "views/forms/AddrCardForm.h"

class CAddrCardJaView : public CAddrCardForm {
    Q_OBJECT
public:
    explicit CAddrCardJaView(CKolvaneDoc& doc, QWidget* parent = nullptr);

    CString m_strFurigana;
    CString m_strName;
    CString m_strCompany;
    CString m_strTitle;
    CString m_strAddress;
    CString m_strOther;
    CString m_strNotes;
    CString m_strZip;
};
