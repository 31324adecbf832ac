#pragma once
// The name dialog of a contact method: its Japanese and its English name, both
// required.

#include "platform/CString.h"

#include <QDialog>

class CSjisFieldGuard;
class QLineEdit;

class CContactMethodEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit CContactMethodEditDlg(QWidget* parent = nullptr);

    // Shown when the dialog opens; after OK the names entered.
    CString m_strJapanese;
    CString m_strEnglish;

    QLineEdit& JapaneseEdit() const { return *m_pJapanese; }
    QLineEdit& EnglishEdit() const { return *m_pEnglish; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    BOOL Take(QLineEdit* edit, CString& out);

    QLineEdit* m_pJapanese;
    QLineEdit* m_pEnglish;
    CSjisFieldGuard* m_pGuard;
    bool m_bInitialized = false;
};
