#include "views/dialogs/ImportDlg.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/ImportTableModel.h"
#include "views/dialogs/LayoutDialogs.h"
#include "zklib/dialogs/ZkEditTextDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr UINT IDS_LAYOUT_NAME_TAKEN = 154; // %s the name
constexpr UINT IDS_SAVE_LAYOUT_TITLE = 156;
constexpr UINT IDS_LAYOUT_NAME_PROMPT = 157;
constexpr UINT IDS_ENGLISH_TITLES = 160; // "[無視]", then fields 0 to 29
constexpr UINT IDS_JAPANESE_TITLES = 191;
constexpr int kLayoutNameMax = 128;
constexpr int kColumnWidth = 100;
constexpr int kFullAddress = 9; // its English entry is not its title

// The field menus' entries in menu order; the texts are the column titles.
constexpr std::array kEnglishMenu{-1, 0,  1,  2,  3,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                  16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
constexpr std::array kJapaneseMenu{-1, 0,  2,  1,  4,  6,  5,  8,  7,  18, 9,  17, 16, 10, 11,
                                   12, 13, 14, 15, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};

QString FieldEntry(bool english, int field) {
    if (english && field == kFullAddress)
        return QStringLiteral("Full Address");
    return qtext::FromSjis(
        LoadAppString((english ? IDS_ENGLISH_TITLES : IDS_JAPANESE_TITLES) + 1 + field));
}

QString EncodingName(CsvEncoding encoding) {
    return encoding == CsvEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Shift_JIS");
}

} // namespace

CImportDlg::CImportDlg(std::string path, const CAddrBook& book, QWidget* parent)
    : QDialog(parent), m_strPath(std::move(path)), m_book(book),
      m_pModel(new CImportTableModel(m_file, m_layout, this)), m_pLayouts(new QComboBox(this)),
      m_pDelete(new QPushButton(QStringLiteral("削除(&D)"), this)),
      m_pJapanese(new QRadioButton(QStringLiteral("日本語(&J)"), this)),
      m_pEnglish(new QRadioButton(QStringLiteral("英語(&E)"), this)),
      m_pEncoding(new QComboBox(this)), m_pFound(new QLabel(this)),
      m_pTitleRow(new QCheckBox(QStringLiteral("1 行目の見出しで項目を割り当てる(&T)"), this)),
      m_pTable(new QTableView(this)), m_pRefusal(new QLabel(this)), m_pTotal(new QLabel(this)),
      m_pSelected(new QLabel(this)), m_pOk(new QPushButton(QStringLiteral("ｲﾝﾎﾟｰﾄ"), this)) {
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(QStringLiteral("ｲﾝﾎﾟｰﾄ設定"));
    m_pLayouts->setObjectName(QStringLiteral("layouts"));
    m_pEncoding->setObjectName(QStringLiteral("encoding"));
    m_pFound->setObjectName(QStringLiteral("encodingFound"));
    m_pTitleRow->setObjectName(QStringLiteral("titleRow"));
    m_pRefusal->setObjectName(QStringLiteral("refusal"));
    m_pTotal->setObjectName(QStringLiteral("total"));
    m_pSelected->setObjectName(QStringLiteral("selected"));
    m_pRefusal->setWordWrap(true);
    m_pRefusal->setAlignment(Qt::AlignCenter);
    m_pRefusal->hide();

    auto* save = new QPushButton(QStringLiteral("保存(&S)..."), this);
    auto* layoutBox = new QGroupBox(QStringLiteral("ﾚｲｱｳﾄ"), this);
    auto* layoutRow = new QHBoxLayout(layoutBox);
    layoutRow->addWidget(m_pLayouts, 1);
    layoutRow->addWidget(save);
    layoutRow->addWidget(m_pDelete);
    auto* notationBox = new QGroupBox(QStringLiteral("表記"), this);
    auto* notationRow = new QHBoxLayout(notationBox);
    notationRow->addWidget(m_pJapanese);
    notationRow->addWidget(m_pEnglish);
    auto* encodingBox = new QGroupBox(QStringLiteral("文字ｺｰﾄﾞ"), this);
    auto* encodingRow = new QHBoxLayout(encodingBox);
    encodingRow->addWidget(m_pEncoding);
    encodingRow->addWidget(m_pFound);
    m_pEncoding->addItems(
        {QStringLiteral("自動"), QStringLiteral("Shift_JIS"), QStringLiteral("UTF-8")});
    auto* top = new QHBoxLayout;
    top->addWidget(layoutBox, 1);
    top->addWidget(notationBox);
    top->addWidget(encodingBox);

    m_pTable->setModel(m_pModel);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setWordWrap(false);
    m_pTable->horizontalHeader()->setSectionsMovable(true);
    m_pTable->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    m_pTable->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Rows keep one height, so that no row is measured to lay the table out.
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    auto* counts = new QHBoxLayout;
    counts->addWidget(new QLabel(QStringLiteral("総ﾚｺｰﾄﾞ数:"), this));
    counts->addWidget(m_pTotal);
    counts->addSpacing(20);
    counts->addWidget(new QLabel(QStringLiteral("ｲﾝﾎﾟｰﾄ数:"), this));
    counts->addWidget(m_pSelected);
    counts->addStretch(1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_pOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    m_pOk->setDefault(true);
    counts->addWidget(buttons);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(m_pTitleRow);
    column->addWidget(m_pTable, 1);
    column->addWidget(m_pRefusal, 1);
    column->addLayout(counts);

    connect(buttons, &QDialogButtonBox::accepted, this, &CImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImportDlg::reject);
    connect(save, &QPushButton::clicked, this, &CImportDlg::OnSave);
    connect(m_pDelete, &QPushButton::clicked, this, &CImportDlg::OnDelete);
    connect(m_pJapanese, &QRadioButton::toggled, this, &CImportDlg::OnNotation);
    connect(m_pLayouts, &QComboBox::activated, this, &CImportDlg::OnLayoutChosen);
    connect(m_pEncoding, &QComboBox::currentIndexChanged, this, &CImportDlg::ReadFile);
    connect(m_pTitleRow, &QCheckBox::toggled, this, &CImportDlg::OnTitleRow);
    connect(m_pTable->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CImportDlg::OnHeaderClicked);
    connect(m_pTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CImportDlg::UpdateCounts);

    for (const CFileError& error : m_set.Build(m_layout))
        error.Show();
    FillLayouts(-1);
    m_pJapanese->setChecked(true);
    ReadFile();
    if (!m_titles)
        m_layout.SetColumnCount(m_file.m_nColumns);
    resize(720, 480);
}

CImportDlg::~CImportDlg() = default;

void CImportDlg::ReadFile() {
    static constexpr std::array kChoices{CsvEncoding::Auto, CsvEncoding::ShiftJis,
                                         CsvEncoding::Utf8};
    const std::optional<CFileError> error =
        m_file.Read(m_strPath, kChoices.at(static_cast<size_t>(m_pEncoding->currentIndex())));
    m_pRefusal->setText(error ? QString::fromStdString(error->GetText()) : QString());
    m_pRefusal->setVisible(error.has_value());
    m_pTable->setVisible(!error);
    m_pFound->setText(error ? QString() : u'(' + EncodingName(m_file.m_encoding) + u')');
    m_nColumns = std::max(m_file.m_nColumns, m_layout.GetColumnCount());
    m_pModel->Reset(m_nColumns);
    // Each reading decides anew, since another encoding may make or unmake titles.
    m_titles = std::nullopt;
    if (!m_file.m_records.empty()) {
        const std::span<const std::string_view> first = m_file.m_records.front().fields;
        m_titles = MapColumnTitles(std::vector<CString>(first.begin(), first.end()));
    }
    {
        const QSignalBlocker quiet(m_pTitleRow);
        m_pTitleRow->setEnabled(m_titles.has_value());
        m_pTitleRow->setChecked(m_titles.has_value());
    }
    if (m_titles)
        ApplyTitles();
    SelectImportableRows();
}

bool CImportDlg::Importable(int row) const {
    const CsvImportRecord& record = m_file.m_records.at(static_cast<size_t>(row));
    return !record.blank && record.unstorableColumn == 0;
}

void CImportDlg::SelectImportableRows() {
    // One selection of runs, so that a long file is selected in one step.
    QItemSelection rows;
    const int count = static_cast<int>(m_file.m_records.size());
    for (int row = m_pTitleRow->isChecked() ? 1 : 0; row < count && m_nColumns > 0;) {
        if (!Importable(row)) {
            ++row;
            continue;
        }
        const int first = row;
        while (row < count && Importable(row))
            ++row;
        rows.select(m_pModel->index(first, 0), m_pModel->index(row - 1, m_nColumns - 1));
    }
    m_pTable->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    UpdateCounts();
}

// Checking maps the columns by the titles again and leaves their row out;
// unchecking takes the row back and keeps whatever map is set.
void CImportDlg::OnTitleRow(bool checked) {
    if (checked)
        ApplyTitles();
    if (Importable(0))
        m_pTable->selectionModel()->select(
            m_pModel->index(0, 0),
            (checked ? QItemSelectionModel::Deselect : QItemSelectionModel::Select) |
                QItemSelectionModel::Rows);
}

void CImportDlg::ApplyTitles() {
    m_layout.SetColumnCount(m_nColumns);
    for (size_t column = 0; column < m_titles->fields.size(); ++column)
        m_layout.SetColumnField(static_cast<int>(column), m_titles->fields[column]);
    Retitle();
    const int index =
        m_titles->layoutName.IsEmpty() ? -1 : m_set.FindNoCase(m_titles->layoutName.GetString());
    m_pLayouts->setCurrentIndex(index);
    m_pDelete->setEnabled(index >= 0);
}

void CImportDlg::UpdateCounts() {
    const int selected = m_pTable->selectionModel()->selectedRows().size();
    m_pTotal->setText(QString::number(m_file.m_records.size()));
    m_pSelected->setText(QString::number(selected));
    m_pOk->setEnabled(selected > 0);
}

void CImportDlg::OnHeaderClicked(int column) {
    const bool english = m_layout.IsEnglish();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("fieldMenu"));
    for (const int field : english ? std::vector<int>(kEnglishMenu.begin(), kEnglishMenu.end())
                                   : std::vector<int>(kJapaneseMenu.begin(), kJapaneseMenu.end()))
        menu.addAction(FieldEntry(english, field))
            ->setData(field < 0 ? ID_IMPORT_NO_FIELD
                                : ID_IMPORT_FIRST_FIELD + static_cast<UINT>(field));
    const QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen)
        return;
    m_layout.SetColumnFieldByCommand(column, chosen->data().toUInt());
    Retitle();
    m_pLayouts->setCurrentIndex(-1);
    m_pDelete->setEnabled(false);
}

void CImportDlg::OnLayoutChosen(int index) {
    if (index < 0 || index >= m_set.GetCount())
        return;
    // A file that can't be read leaves the layout as it was, after its message.
    if (const std::optional<CFileError> error = m_layout.Load(m_set.GetAt(index).path))
        error->Show();
    if (m_layout.GetColumnCount() > m_nColumns) {
        m_nColumns = m_layout.GetColumnCount();
        m_pModel->Reset(m_nColumns);
        SelectImportableRows();
    }
    Retitle();
    m_pDelete->setEnabled(true);
}

void CImportDlg::OnNotation() {
    m_layout.SetNotation(m_pEnglish->isChecked() ? NOTATION_ENGLISH : NOTATION_JAPANESE);
    Retitle();
}

void CImportDlg::Retitle() {
    m_pModel->Retitle();
}

void CImportDlg::OnSave() {
    CZkEditTextDlg ask(this);
    ask.m_strTitle = LoadAppString(IDS_SAVE_LAYOUT_TITLE);
    ask.m_strPrompt = LoadAppString(IDS_LAYOUT_NAME_PROMPT);
    ask.m_nMinLength = 1;
    ask.m_nMaxLength = kLayoutNameMax;
    for (;;) {
        if (ask.DoModal() != QDialog::Accepted)
            return;
        if (m_set.FindNoCase(ask.m_strText.GetString()) < 0)
            break;
        CString taken;
        taken.Format(LoadAppString(IDS_LAYOUT_NAME_TAKEN), ask.m_strText.GetString());
        AfxMessageBox(taken, MB_ICONEXCLAMATION);
    }
    m_layout.SetName(ask.m_strText);
    int index = -1;
    if (const std::optional<CFileError> error = m_set.Add(m_layout, &index)) {
        error->Show();
        return;
    }
    FillLayouts(index);
}

void CImportDlg::OnDelete() {
    if (AskAndRemoveLayout(m_set, m_pLayouts->currentIndex()))
        FillLayouts(-1);
}

void CImportDlg::FillLayouts(int select) {
    m_pLayouts->clear();
    for (const CLayoutSet::Entry& entry : m_set.Entries())
        m_pLayouts->addItem(qtext::FromSjis(entry.name));
    m_pLayouts->setCurrentIndex(select);
    m_pDelete->setEnabled(select >= 0);
}

void CImportDlg::accept() {
    QModelIndexList rows = m_pTable->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    std::vector<std::unique_ptr<CAddrCard>> cards;
    cards.reserve(static_cast<size_t>(rows.size()));
    for (const QModelIndex& row : rows)
        cards.push_back(m_layout.MakeCard(
            m_file.m_records.at(static_cast<size_t>(row.row())).fields, m_book.m_methods));
    m_cards = std::move(cards);
    QDialog::accept();
}
