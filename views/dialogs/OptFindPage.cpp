#include "views/dialogs/OptFindPage.h"

#include "doc/Options.h"

#include <QCheckBox>
#include <QVBoxLayout>

COptFindPage::COptFindPage(COptions& values, QWidget* parent) : QWidget(parent), m_values(values) {
    auto* layout = new QVBoxLayout(this);
    m_pMatchCase = new QCheckBox(QStringLiteral("大小文字を区別(&C)"), this);
    m_pMatchCase->setObjectName(QStringLiteral("matchCase"));
    layout->addWidget(m_pMatchCase);
    layout->addStretch(1);
}

BOOL COptFindPage::UpdateData(BOOL bSaveAndValidate) {
    if (bSaveAndValidate)
        m_values.m_bMatchCase = m_pMatchCase->isChecked();
    else
        m_pMatchCase->setChecked(m_values.m_bMatchCase);
    return TRUE;
}
