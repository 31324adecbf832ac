#include "views/dialogs/ExportDlg.h"

#include "doc/AppSettings.h"
#include "doc/ProfilePath.h"
#include "platform/QtText.h"
#include "platform/SettingsStore.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/ExportLayoutDlg.h"
#include "views/dialogs/LayoutDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr UINT IDS_LAYOUT_NAME_TAKEN = 154;

} // namespace

CExportDlg::CExportDlg(QWidget* parent)
    : QDialog(parent), m_pRange(new QComboBox(this)), m_pFile(new QLineEdit(this)),
      m_pList(new QListWidget(this)), m_pOk(new QPushButton(QStringLiteral("ｴｸｽﾎﾟｰﾄ"), this)) {
    setWindowTitle(QStringLiteral("ｴｸｽﾎﾟｰﾄ設定"));
    setObjectName(QStringLiteral("exportDlg"));
    m_layout.LoadSettings(AfxGetProfile(), kExportSection);
    m_strPath = LoadProfilePath(kExportSection, kExportFileNameKey);
    m_nRange = kExportRange.Load();

    m_pRange->setObjectName(QStringLiteral("range"));
    m_pRange->addItems({QStringLiteral("全てのｶｰﾄﾞ"), QStringLiteral("一覧表示されている全ｶｰﾄﾞ"),
                        QStringLiteral("選択されているｶｰﾄﾞ")});
    m_pRange->setCurrentIndex(m_nRange);
    m_pFile->setObjectName(QStringLiteral("fileName"));
    m_pFile->setText(qtext::FromPath(m_strPath));
    m_pFile->setMinimumWidth(m_pFile->fontMetrics().averageCharWidth() * 40);
    m_pList->setObjectName(QStringLiteral("layoutList"));
    m_pOk->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setAutoDefault(false);
    QPushButton* browse = AddButton("...", &CExportDlg::OnBrowse);
    browse->setMaximumWidth(browse->fontMetrics().averageCharWidth() * 6);
    QPushButton* add = AddButton("新規(&N)...", &CExportDlg::OnNew);
    m_pDelete = AddButton("削除(&D)", &CExportDlg::OnDelete);
    m_pEdit = AddButton("編集(&E)...", &CExportDlg::OnEdit);
    m_pCopy = AddButton("複製(&U)...", &CExportDlg::OnCopy);

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
    grid->addWidget(label("ﾚｲｱｳﾄ(&L):", m_pList), 2, 0, 1, 3);
    grid->addWidget(m_pList, 3, 0, 1, 3);
    auto* side = new QVBoxLayout;
    side->addWidget(m_pOk);
    side->addWidget(cancel);
    side->addStretch();
    for (QPushButton* button : {add, m_pDelete, m_pEdit, m_pCopy})
        side->addWidget(button);
    grid->addLayout(side, 0, 3, 4, 1);
    grid->setRowStretch(3, 1);

    connect(m_pOk, &QPushButton::clicked, this, &CExportDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pFile, &QLineEdit::textChanged, this, &CExportDlg::UpdateButtons);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CExportDlg::UpdateButtons);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CExportDlg::accept);

    for (const CFileError& error : m_set.Build(m_layout))
        error.Show();
    FillList();
    const int found = m_set.FindNoCase(m_layout.GetName());
    SelectEntry(found >= 0 ? found : 0);
}

QPushButton* CExportDlg::AddButton(const char* text, void (CExportDlg::*slot)()) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void CExportDlg::FillList() {
    // The set is sorted as the list shows it: row and entry index agree.
    m_pList->clear();
    for (const CLayoutSet::Entry& entry : m_set.Entries())
        m_pList->addItem(qtext::FromSjis(entry.name));
}

int CExportDlg::SelectedEntry() const {
    const QList<QListWidgetItem*> items = m_pList->selectedItems();
    return items.size() == 1 ? m_pList->row(items.front()) : -1;
}

void CExportDlg::SelectEntry(int entry) {
    m_pList->setCurrentRow(entry);
    UpdateButtons();
}

void CExportDlg::UpdateButtons() {
    const bool selected = SelectedEntry() >= 0;
    m_pDelete->setEnabled(selected);
    m_pEdit->setEnabled(selected);
    m_pCopy->setEnabled(selected);
    m_pOk->setEnabled(selected && !m_pFile->text().isEmpty());
}

void CExportDlg::OnBrowse() {
    FilePrompt prompt;
    prompt.open = false;
    prompt.filter = CsvFileFilter();
    prompt.defaultExt = "csv";
    prompt.initialPath = qtext::ToPath(m_pFile->text());
    if (const std::optional<std::string> path = AfxGetUserInteraction().PromptFileName(prompt))
        m_pFile->setText(qtext::FromPath(*path));
    UpdateButtons();
}

void CExportDlg::OnNew() {
    CExportLayout layout;
    layout.SetConvCR(m_layout.GetConvCR());
    EditUntilUnique(layout, -1, nullptr);
}

std::optional<CExportLayout> CExportDlg::LoadSelected() const {
    const int entry = SelectedEntry();
    if (entry < 0)
        return std::nullopt;
    CExportLayout layout;
    if (const std::optional<CFileError> error = layout.Load(m_set.GetAt(entry).path)) {
        error->Show();
        return std::nullopt;
    }
    layout.SetConvCR(m_layout.GetConvCR());
    return layout;
}

void CExportDlg::OnEdit() {
    std::optional<CExportLayout> layout = LoadSelected();
    if (!layout)
        return;
    const CString name = layout->GetName();
    EditUntilUnique(*layout, SelectedEntry(), &name);
}

void CExportDlg::OnCopy() {
    std::optional<CExportLayout> loaded = LoadSelected();
    if (!loaded)
        return;
    CExportLayout& layout = *loaded;
    const CString name = CLayoutSet::MakeCopyName(layout.GetName());
    layout.SetName(name);
    EditUntilUnique(layout, -1, &name);
}

void CExportDlg::EditUntilUnique(CExportLayout layout, int except, const CString* rename) {
    for (;;) {
        CExportLayoutDlg editor(layout, this);
        if (editor.exec() != QDialog::Accepted)
            return;
        layout = editor.Layout();
        if (!m_set.IsDuplicate(layout.GetName(), except))
            break;
        CString message;
        message.Format(LoadAppString(IDS_LAYOUT_NAME_TAKEN), layout.GetName().GetString());
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        if (rename)
            layout.SetName(*rename);
    }
    int index = -1;
    const std::optional<CFileError> error =
        except < 0 ? m_set.Add(layout, &index) : m_set.Update(except, layout, &index);
    if (error) {
        error->Show();
        return;
    }
    // The editor's line break choice is the one exports use from now on.
    m_layout.SetConvCR(layout.GetConvCR());
    FillList();
    SelectEntry(index);
}

void CExportDlg::OnDelete() {
    if (!AskAndRemoveLayout(m_set, SelectedEntry()))
        return;
    FillList();
    SelectEntry(0);
}

void CExportDlg::accept() {
    const int entry = SelectedEntry();
    if (entry < 0 || m_pFile->text().isEmpty())
        return;
    // Exporting with some other layout than the one chosen would surprise:
    // an unreadable file keeps the dialog open after its message.
    if (const std::optional<CFileError> error = m_layout.Load(m_set.GetAt(entry).path)) {
        error->Show();
        return;
    }
    m_strPath = qtext::ToPath(m_pFile->text());
    m_nRange = m_pRange->currentIndex();
    QDialog::accept();
}

void CExportDlg::done(int result) {
    m_layout.SaveSettings(AfxGetProfile(), kExportSection);
    SaveProfilePath(kExportSection, kExportFileNameKey, m_strPath);
    kExportRange.Save(m_nRange);
    QDialog::done(result);
}
