#include "zklib/dialogs/ZkAboutDlg.h"

#include "platform/QtText.h"
#include "zklib/ZkStrings.h"
#include "zklib/dialogs/ZkIconButton.h"
#include "zklib/dialogs/ZkStaticLink.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CZkAboutDlg::CZkAboutDlg(QWidget* parent)
    : QDialog(parent), m_pIcon(new CZkIconButton(QIcon(), this)), m_pVersion(new QLabel(this)),
      m_pRights(new QLabel(this)), m_pInfo(new QLabel(this)), m_pLinkTitle(new QLabel(this)),
      m_pLink(new CZkStaticLink(nullptr, this)) {
    m_pIcon->setObjectName(QStringLiteral("aboutIcon"));
    m_pVersion->setObjectName(QStringLiteral("aboutVersion"));
    m_pRights->setObjectName(QStringLiteral("aboutRights"));
    m_pInfo->setObjectName(QStringLiteral("aboutInfo"));
    m_pLinkTitle->setObjectName(QStringLiteral("aboutLinkTitle"));
    m_pLink->setObjectName(QStringLiteral("aboutLink"));
    m_pIcon->setEnabled(false);
    m_pIcon->SizeToContent();
    m_pIcon->setFixedSize(m_pIcon->sizeHint());

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    grid->addWidget(m_pIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(m_pVersion, 0, 1);
    grid->addWidget(m_pRights, 1, 1, Qt::AlignTop);
    grid->addWidget(line, 2, 0, 1, 2);
    grid->addWidget(m_pInfo, 3, 0, 1, 2);
    auto* linkRow = new QHBoxLayout;
    linkRow->addWidget(m_pLinkTitle);
    linkRow->addWidget(m_pLink, 1);
    grid->addLayout(linkRow, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(16);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CZkAboutDlg::Prepare() {
    CString title;
    title.Format(ZkLoadString(31), m_strProductName.GetString());
    setWindowTitle(qtext::FromSjis(title));
    m_pIcon->SetIcon(m_icon);

    CString version;
    version.Format("%s ver.%d.%d%d (build %d)", m_strProductName.GetString(), m_nMajor, m_nMinor,
                   m_nRevision, m_nBuild);
    m_pVersion->setText(qtext::FromSjis(version));
    QFont bold = m_pVersion->font();
    bold.setBold(true);
    m_pVersion->setFont(bold);

    CString rights;
    if (m_nFirstYear == m_nLastYear)
        rights.Format("Copyright (C) %d %s", m_nLastYear, m_strHolder.GetString());
    else
        rights.Format("Copyright (C) %d-%d %s", m_nFirstYear, m_nLastYear, m_strHolder.GetString());
    m_pRights->setText(qtext::FromSjis(rights));

    m_pInfo->setText(qtext::FromSjis(m_strInfo));
    m_pLinkTitle->setText(qtext::FromSjis(m_strLinkTitle));
    m_pLink->SetTarget(m_strLinkTarget);
    m_pLink->setText(qtext::FromPath(m_strLinkTarget.view()));
}

int CZkAboutDlg::DoModal() {
    Prepare();
    return exec();
}
