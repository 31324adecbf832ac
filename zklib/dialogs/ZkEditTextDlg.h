#pragma once
// A one-line text entry with length limits counted in bytes of Shift_JIS (a
// double-byte character counts 2). The caller sets the public fields; after OK
// m_strText holds the text.

#include "platform/CString.h"

#include <QDialog>

class QLabel;
class QLineEdit;

class ZKLIB_API CZkEditTextDlg : public QDialog {
    Q_OBJECT
public:
    explicit CZkEditTextDlg(QWidget* parent = nullptr);

    int DoModal();
    // Puts the fields into the controls; DoModal does this first.
    void Prepare();
    // Refuses a text outside the limits with a message; both limits inclusive.
    virtual BOOL IsValid(const char* text);

    CString m_strPrompt;
    CString m_strText;
    CString m_strTitle;
    int m_nMinLength = -1; // -1: no limit
    int m_nMaxLength = -1;

public slots:
    void accept() override;

private:
    QLabel* m_pPrompt;
    QLineEdit* m_pEdit;
};
