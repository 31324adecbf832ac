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

COptionsSheet::COptionsSheet(const COptions& values, QWidget* parent)
    : QDialog(parent), m_values(values) {
    setWindowTitle(SjisToQString(LoadAppString(IDS_OPTIONS_TITLE)));
    setObjectName(QStringLiteral("optionsSheet"));

    m_pGeneric = new COptGenericPage(m_values, this);
    m_pGeneric->UpdateData(FALSE);
    m_pFind = new COptFindPage(m_values, this);
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

COptionsResult RunOptionsSheet(COptions& values, QWidget* parent) {
    COptionsSheet sheet(values, parent);
    COptionsResult result;
    if (sheet.exec() != QDialog::Accepted)
        return result;
    const COptions& taken = sheet.Values();
    result.bAccepted = true;
    result.bMaxMruChanged = taken.m_nMaxMRU != values.m_nMaxMRU;
    result.bMatchCaseChanged = (taken.m_bMatchCase != 0) != (values.m_bMatchCase != 0);
    values = taken;
    if (result.bMaxMruChanged)
        AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_MAX_MRU_RESTART), MB_OK | MB_ICONEXCLAMATION);
    return result;
}
