#include "views/dialogs/VCardImportDlg.h"

#include "doc/KolvaneDoc.h"
#include "doc/UpdateHints.h"
#include "platform/File.h"
#include "platform/QtText.h"
#include "platform/UserInteraction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr char kVCardFilter[] = "vCard ﾌｧｲﾙ (*.vcf)|*.vcf;*.vcard|全てのﾌｧｲﾙ (*.*)|*.*||";

} // namespace

CVCardImportDlg::CVCardImportDlg(QWidget* parent)
    : QDialog(parent), m_pFile(new QLineEdit(this)), m_pNotation(new QComboBox(this)),
      m_pCharset(new QComboBox(this)),
      m_pHiragana(new QCheckBox(QStringLiteral("ふりがなをひらがなにそろえる(&H)"), this)),
      m_pOk(new QPushButton(QStringLiteral("読み込み"), this)) {
    setWindowTitle(QStringLiteral("vCard 読み込み"));
    setObjectName(QStringLiteral("vcardImportDlg"));
    m_pFile->setObjectName(QStringLiteral("fileName"));
    m_pFile->setMinimumWidth(m_pFile->fontMetrics().averageCharWidth() * 40);
    m_pNotation->setObjectName(QStringLiteral("notation"));
    m_pNotation->addItems(
        {QStringLiteral("自動"), QStringLiteral("日本語"), QStringLiteral("英語")});
    m_pCharset->setObjectName(QStringLiteral("charset"));
    m_pCharset->addItems(
        {QStringLiteral("自動"), QStringLiteral("UTF-8"), QStringLiteral("Shift_JIS")});
    m_pHiragana->setObjectName(QStringLiteral("hiragana"));
    m_pHiragana->setChecked(true);
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
    grid->addWidget(label("ﾌｧｲﾙ(&F):", m_pFile), 0, 0);
    grid->addWidget(m_pFile, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(label("表記(&N):", m_pNotation), 1, 0);
    grid->addWidget(m_pNotation, 1, 1, 1, 2);
    grid->addWidget(label("文字ｺｰﾄﾞ(&C):", m_pCharset), 2, 0);
    grid->addWidget(m_pCharset, 2, 1, 1, 2);
    grid->addWidget(m_pHiragana, 3, 0, 1, 3);
    auto* side = new QVBoxLayout;
    side->addWidget(m_pOk);
    side->addWidget(cancel);
    side->addStretch();
    grid->addLayout(side, 0, 3, 4, 1);

    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &CVCardImportDlg::OnBrowse);
    connect(m_pFile, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_pOk->setEnabled(!text.isEmpty()); });
}

std::string CVCardImportDlg::FilePath() const {
    return qtext::ToPath(m_pFile->text());
}

VCardReadOptions CVCardImportDlg::Options() const {
    VCardReadOptions options;
    options.notation = static_cast<VCardNotation>(m_pNotation->currentIndex());
    options.charset = static_cast<VCardCharset>(m_pCharset->currentIndex());
    options.hiraganaReadings = m_pHiragana->isChecked();
    return options;
}

void CVCardImportDlg::OnBrowse() {
    FilePrompt prompt;
    prompt.filter = kVCardFilter;
    prompt.overwritePrompt = false;
    prompt.initialPath = FilePath();
    if (const std::optional<std::string> path = AfxGetUserInteraction().PromptFileName(prompt))
        m_pFile->setText(qtext::FromPath(*path));
}

CVCardReportDlg::CVCardReportDlg(const VCardReport& report, QWidget* parent)
    : QDialog(parent), m_pText(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("vCard 読み込み結果"));
    setObjectName(QStringLiteral("vcardReportDlg"));
    auto* summary =
        new QLabel(QStringLiteral("%1 件のｶｰﾄﾞを読み込みました。").arg(report.cards), this);
    summary->setObjectName(QStringLiteral("summary"));
    QString text;
    if (!report.ignored.empty()) {
        text += QStringLiteral("読み込まなかった項目:\n");
        for (const auto& [name, count] : report.ignored)
            text += QStringLiteral("  %1 (%2 件)\n").arg(QString::fromStdString(name)).arg(count);
    }
    for (const VCardProblem& problem : report.problems)
        text += QString::fromStdString(VCardProblemText(problem, true)) + QLatin1Char('\n');
    for (const VCardUnstorable& entry : report.unstorable)
        text += QString::fromStdString(VCardUnstorableText(entry, true)) + QLatin1Char('\n');
    if (text.isEmpty())
        text = QStringLiteral("全ての項目を読み込みました。");
    m_pText->setObjectName(QStringLiteral("reportText"));
    m_pText->setReadOnly(true);
    m_pText->setPlainText(text);
    m_pText->setMinimumSize(m_pText->fontMetrics().averageCharWidth() * 60,
                            m_pText->fontMetrics().height() * 10);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_pText);
    layout->addWidget(buttons);
}

void ImportVCardFile(CKolvaneDoc& doc, QWidget* parent) {
    CVCardImportDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::string bytes;
    try {
        bytes = ReadWholeFile(dialog.FilePath().c_str()).Detach();
    } catch (const CFileException& e) {
        CFileError::FromException(e, MB_ICONSTOP).Show();
        return;
    }
    CAddrBook& book = doc.GetBook();
    const int methods = book.m_methods.GetCount();
    VCardReport report;
    std::vector<std::unique_ptr<CAddrCard>> cards =
        ReadVCards(bytes, book.m_methods, dialog.Options(), report);
    if (!cards.empty() || book.m_methods.GetCount() != methods) {
        book.AddCards(std::move(cards));
        if (book.m_methods.GetCount() != methods)
            doc.UpdateAllViews(nullptr, HINT_CONTACT_METHODS_CHANGED);
        doc.UpdateAllViews(nullptr, HINT_REBUILD_LIST);
        doc.SetModifiedFlag();
    }
    CVCardReportDlg(report, parent).exec();
}
