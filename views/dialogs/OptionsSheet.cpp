#include "views/dialogs/OptionsSheet.h"

#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/DialogStrings.h"
#include "views/dialogs/OptFindPage.h"
#include "views/dialogs/OptGenericPage.h"
#include "views/dialogs/SjisText.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

COptionsSheet::COptionsSheet(const COptionValues& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle(SjisToQString(LoadAppString(IDS_OPTIONS_TITLE)));
    setObjectName(QStringLiteral("optionsSheet"));

    m_pGeneric = new COptGenericPage(this);
    m_pGeneric->m_bAutoSave = values.m_bAutoSave;
    m_pGeneric->m_bOpenPrevDoc = values.m_bOpenPrevDoc;
    m_pGeneric->m_bSaveWndPos = values.m_bSaveWndPos;
    m_pGeneric->m_nMaxMRU = values.m_nMaxMRU;
    m_pGeneric->m_bMakeBackup = values.m_bMakeBackup;
    m_pGeneric->m_nMaxBackup = values.m_nMaxBackup;
    m_pGeneric->m_strBackupExt = values.m_strBackupExt;
    m_pGeneric->m_nNewCardLang = values.m_nNewCardLang;
    m_pGeneric->UpdateData(FALSE);
    m_pFind = new COptFindPage(this);
    m_pFind->m_bMatchCase = values.m_bMatchCase;
    m_pFind->UpdateData(FALSE);

    m_pTabs = new QTabWidget(this);
    m_pTabs->addTab(m_pGeneric, QStringLiteral("一般"));
    m_pTabs->addTab(m_pFind, QStringLiteral("検索"));
    connect(m_pTabs, &QTabWidget::currentChanged, this, &COptionsSheet::OnPageChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(buttons);
}

COptionValues COptionsSheet::Values() const {
    COptionValues values;
    values.m_bAutoSave = m_pGeneric->m_bAutoSave;
    values.m_bOpenPrevDoc = m_pGeneric->m_bOpenPrevDoc;
    values.m_bSaveWndPos = m_pGeneric->m_bSaveWndPos;
    values.m_nMaxMRU = m_pGeneric->m_nMaxMRU;
    values.m_bMakeBackup = m_pGeneric->m_bMakeBackup;
    values.m_nMaxBackup = m_pGeneric->m_nMaxBackup;
    values.m_strBackupExt = m_pGeneric->m_strBackupExt;
    values.m_nNewCardLang = m_pGeneric->m_nNewCardLang;
    values.m_bMatchCase = m_pFind->m_bMatchCase;
    return values;
}

void COptionsSheet::OnPageChanged(int index) {
    // Leaving the general page takes its values, and a refusal keeps it open.
    if (m_pTabs->widget(m_nCurrentPage) == m_pGeneric && index != m_nCurrentPage &&
        !m_pGeneric->UpdateData(TRUE)) {
        const QSignalBlocker block(m_pTabs);
        m_pTabs->setCurrentIndex(m_nCurrentPage);
        m_pGeneric->FocusRefused();
        return;
    }
    m_nCurrentPage = index;
}

void COptionsSheet::accept() {
    if (!m_pGeneric->UpdateData(TRUE)) {
        const QSignalBlocker block(m_pTabs);
        m_pTabs->setCurrentWidget(m_pGeneric);
        m_nCurrentPage = m_pTabs->currentIndex();
        m_pGeneric->FocusRefused();
        return;
    }
    m_pFind->UpdateData(TRUE);
    QDialog::accept();
}

COptionsResult RunOptionsSheet(COptionValues& values, QWidget* parent) {
    COptionsSheet sheet(values, parent);
    COptionsResult result;
    if (sheet.exec() != QDialog::Accepted)
        return result;
    const COptionValues taken = sheet.Values();
    result.bAccepted = true;
    result.bMaxMruChanged = taken.m_nMaxMRU != values.m_nMaxMRU;
    result.bMatchCaseChanged = (taken.m_bMatchCase != 0) != (values.m_bMatchCase != 0);
    values = taken;
    if (result.bMaxMruChanged)
        AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_MAX_MRU_RESTART), MB_OK | MB_ICONEXCLAMATION);
    return result;
}
