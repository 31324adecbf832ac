#include "zklib/dialogs/ZkEditTextDlg.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "zklib/ZkStrings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CZkEditTextDlg::CZkEditTextDlg(QWidget* parent)
    : QDialog(parent), m_pPrompt(new QLabel(this)), m_pEdit(new QLineEdit(this)) {
    m_pPrompt->setObjectName(QStringLiteral("prompt"));
    m_pEdit->setObjectName(QStringLiteral("text"));
    m_pPrompt->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QString::fromStdString(ZkLoadStringUtf8(104)));
    connect(buttons, &QDialogButtonBox::accepted, this, &CZkEditTextDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pPrompt);
    layout->addWidget(m_pEdit);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void CZkEditTextDlg::Prepare() {
    setWindowTitle(qtext::FromSjis(m_strTitle));
    m_pPrompt->setText(qtext::FromSjis(m_strPrompt));
    m_pEdit->setText(qtext::FromSjis(m_strText));
    m_pEdit->selectAll();
    m_pEdit->setFocus();
}

int CZkEditTextDlg::DoModal() {
    Prepare();
    return exec();
}

void CZkEditTextDlg::accept() {
    CString text;
    cp932::Error error;
    if (!qtext::ToSjis(m_pEdit->text(), text, &error)) {
        std::string message = ZkLoadStringUtf8(22);
        message.replace(message.find("%s"), 2, error.characterUtf8);
        AfxMessageBoxUtf8(message, MB_OK | MB_ICONEXCLAMATION);
        m_pEdit->setFocus();
        return;
    }
    if (!IsValid(text)) {
        m_pEdit->setFocus();
        return;
    }
    QDialog::accept();
}

BOOL CZkEditTextDlg::IsValid(const char* text) {
    const int length = static_cast<int>(std::char_traits<char>::length(text));
    CString message;
    if (m_nMinLength != -1 && length < m_nMinLength)
        message.Format(ZkLoadString(20), m_nMinLength);
    else if (m_nMaxLength != -1 && length > m_nMaxLength)
        message.Format(ZkLoadString(21), m_nMaxLength);
    if (!message.IsEmpty()) {
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_strText = text;
    return TRUE;
}
