#include "views/dialogs/ContactMethodEditDlg.h"

#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/DialogStrings.h"
#include "views/dialogs/SjisFieldGuard.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CContactMethodEditDlg::CContactMethodEditDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("連絡方法"));
    setObjectName(QStringLiteral("contactMethodEditDlg"));
    m_pGuard = new CSjisFieldGuard(this);

    m_pJapanese = new QLineEdit(this);
    m_pJapanese->setObjectName(QStringLiteral("japaneseName"));
    m_pEnglish = new QLineEdit(this);
    m_pEnglish->setObjectName(QStringLiteral("englishName"));
    m_pGuard->Watch(m_pJapanese);
    m_pGuard->Watch(m_pEnglish);
    const int editWidth = m_pJapanese->fontMetrics().averageCharWidth() * 18;
    m_pJapanese->setMinimumWidth(editWidth);
    m_pEnglish->setMinimumWidth(editWidth);

    auto* japaneseLabel = new QLabel(QStringLiteral("日本語表記(&J):"), this);
    japaneseLabel->setBuddy(m_pJapanese);
    auto* englishLabel = new QLabel(QStringLiteral("英語表記(&E):"), this);
    englishLabel->setBuddy(m_pEnglish);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(japaneseLabel, 0, 0);
    layout->addWidget(m_pJapanese, 0, 1);
    layout->addWidget(englishLabel, 1, 0);
    layout->addWidget(m_pEnglish, 1, 1);
    layout->addWidget(buttons, 0, 2, 3, 1);
    layout->setRowStretch(2, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CContactMethodEditDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialized) {
        m_bInitialized = true;
        m_pGuard->Show(m_pJapanese, m_strJapanese);
        m_pGuard->Show(m_pEnglish, m_strEnglish);
        m_pJapanese->setFocus();
        m_pJapanese->selectAll();
    }
    QDialog::showEvent(event);
}

BOOL CContactMethodEditDlg::Take(QLineEdit* edit, CString& out) {
    if (edit->text().isEmpty()) {
        AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_METHOD_NAME_MISSING), MB_OK | MB_ICONEXCLAMATION);
        edit->setFocus(Qt::OtherFocusReason);
        return FALSE;
    }
    return m_pGuard->Take(edit, out);
}

void CContactMethodEditDlg::accept() {
    CString japanese;
    CString english;
    if (!Take(m_pJapanese, japanese) || !Take(m_pEnglish, english))
        return;
    m_strJapanese = japanese;
    m_strEnglish = english;
    QDialog::accept();
}
