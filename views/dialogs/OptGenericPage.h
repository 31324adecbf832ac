#pragma once
// The options sheet's general page: start-up, closing, recent files, backups
// and the notation of new cards.

#include "platform/CString.h"

#include <QWidget>

class CSjisFieldGuard;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

class COptGenericPage : public QWidget {
    Q_OBJECT
public:
    explicit COptGenericPage(QWidget* parent = nullptr);

    // FALSE: members into the controls. TRUE: controls into the members, with
    // validation; FALSE after the message, the focus on the refused control and
    // the members as they were.
    BOOL UpdateData(BOOL bSaveAndValidate);
    // Back to the control the last validation refused, once the page shows again.
    void FocusRefused();

    BOOL m_bAutoSave = FALSE;
    BOOL m_bOpenPrevDoc = FALSE;
    BOOL m_bSaveWndPos = FALSE;
    int m_nMaxMRU = 0;
    BOOL m_bMakeBackup = FALSE;
    int m_nMaxBackup = 0;
    CString m_strBackupExt;
    int m_nNewCardLang = -1;

private:
    BOOL CheckBackupExt(const QString& ext);
    BOOL Refused(QLineEdit* edit);

    QCheckBox* m_pAutoSave;
    QCheckBox* m_pOpenPrevDoc;
    QCheckBox* m_pSaveWndPos;
    QLineEdit* m_pMaxMRU;
    QCheckBox* m_pMakeBackup;
    QLineEdit* m_pBackupExt;
    QLineEdit* m_pMaxBackup;
    QRadioButton* m_pJapanese;
    QRadioButton* m_pEnglish;
    QButtonGroup* m_pNewCardLang;
    CSjisFieldGuard* m_pGuard;
    QLineEdit* m_pRefused = nullptr;
};
