#include "views/dialogs/VCardExportDlg.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CVCardExportDlg::CVCardExportDlg(QWidget* parent)
    : QDialog(parent), m_pRange(new QComboBox(this)), m_pFile(new QLineEdit(this)),
      m_pVersion(new QComboBox(this)), m_pOk(new QPushButton(QStringLiteral("書き出し"), this)) {
    setWindowTitle(QStringLiteral("vCard 書き出し"));
    setObjectName(QStringLiteral("vcardExportDlg"));
    m_pRange->setObjectName(QStringLiteral("range"));
    m_pRange->addItems({QStringLiteral("全てのｶｰﾄﾞ"), QStringLiteral("一覧表示されている全ｶｰﾄﾞ"),
                        QStringLiteral("選択されているｶｰﾄﾞ")});
    m_pFile->setObjectName(QStringLiteral("fileName"));
    m_pFile->setMinimumWidth(m_pFile->fontMetrics().averageCharWidth() * 40);
    m_pVersion->setObjectName(QStringLiteral("version"));
    m_pVersion->addItems({QStringLiteral("3.0 (UTF-8)"), QStringLiteral("4.0 (UTF-8)"),
                          QStringLiteral("2.1 (Shift_JIS、携帯電話向け)")});
    m_pOk->setDefault(true);
    m_pOk->setEnabled(false);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setAutoDefault(false);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setAutoDefault(false);
    browse->setMaximumWidth(browse->fontMetrics().averageCharWidth() * 6);

    const auto label = [this](const char* text, QWidget* buddy) {
        auto* caption = new QLabel(QString::fromUtf8(text), this);
        caption->setBuddy(buddy);
        return caption;
    };
    auto* grid = new QGridLayout(this);
    grid->addWidget(label("対象(&R):", m_pRange), 0, 0);
    grid->addWidget(m_pRange, 0, 1, 1, 2);
    grid->addWidget(label("ﾌｧｲﾙ(&F):", m_pFile), 1, 0);
    grid->addWidget(m_pFile, 1, 1);
    grid->addWidget(browse, 1, 2);
    grid->addWidget(label("形式(&V):", m_pVersion), 2, 0);
    grid->addWidget(m_pVersion, 2, 1, 1, 2);
    auto* side = new QVBoxLayout;
    side->addWidget(m_pOk);
    side->addWidget(cancel);
    side->addStretch();
    grid->addLayout(side, 0, 3, 3, 1);

    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &CVCardExportDlg::OnBrowse);
    connect(m_pFile, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_pOk->setEnabled(!text.isEmpty()); });
}

std::string CVCardExportDlg::FilePath() const {
    return qtext::ToPath(m_pFile->text());
}

int CVCardExportDlg::GetRange() const {
    return m_pRange->currentIndex();
}

VCardVersion CVCardExportDlg::GetVersion() const {
    switch (m_pVersion->currentIndex()) {
    case 1:
        return VCardVersion::V40;
    case 2:
        return VCardVersion::V21;
    default:
        return VCardVersion::V30;
    }
}

void CVCardExportDlg::OnBrowse() {
    FilePrompt prompt;
    prompt.open = false;
    prompt.filter = "vCard ﾌｧｲﾙ (*.vcf)|*.vcf|全てのﾌｧｲﾙ (*.*)|*.*||";
    prompt.defaultExt = "vcf";
    prompt.initialPath = FilePath();
    if (const std::optional<std::string> path = AfxGetUserInteraction().PromptFileName(prompt))
        m_pFile->setText(qtext::FromPath(*path));
}
