#pragma once
// The options sheet's general page: start-up, closing, recent files, backups
// and the notation of new cards.

#include "platform/Types.h"

#include <QWidget>

struct COptions;

class CSjisFieldGuard;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

class COptGenericPage : public QWidget {
    Q_OBJECT
public:
    // Shows and takes this page's part of values, which outlives the page.
    explicit COptGenericPage(COptions& values, QWidget* parent = nullptr);

    // FALSE: values into the controls. TRUE: controls into the values, with
    // validation; FALSE after the message, the focus on the refused control and
    // the values as they were.
    BOOL UpdateData(BOOL bSaveAndValidate);
    // Back to the control the last validation refused, once the page shows again.
    void FocusRefused();

private:
    BOOL CheckBackupExt(const QString& ext);
    BOOL Refused(QLineEdit* edit);

    COptions& m_values;
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
