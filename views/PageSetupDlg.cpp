#include "views/PageSetupDlg.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/SheetPreview.h"
#include "views/dialogs/LayoutDialogs.h"
#include "views/dialogs/PageLayoutDlg.h"
#include "views/dialogs/PrinterCalibrationDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kEntryRole = Qt::UserRole;
constexpr UINT IDS_LAYOUT_NAME_TAKEN = 154;

} // namespace

QString FontDescription(const LOGFONT& font, int dpi) {
    const int points =
        dpi > 0 ? static_cast<int>((std::labs(font.lfHeight) * 72 + dpi / 2) / dpi) : 0;
    const CString face(font.lfFaceName, static_cast<int>(strnlen(font.lfFaceName, LF_FACESIZE)));
    return QStringLiteral("%1 %2 ﾎﾟｲﾝﾄ").arg(qtext::FromSjis(face)).arg(points);
}

CPageSetupDlg::CPageSetupDlg(const CPageLayout& layout, const CPrintFonts& fonts, QWidget* parent)
    : QDialog(parent), m_layout(layout), m_fonts(fonts), m_pList(new QListWidget(this)),
      m_pPreview(new CSheetPreview(this)), m_pSheetSize(new QLabel(this)),
      m_pNew(new QPushButton(QStringLiteral("新規(&N)..."), this)),
      m_pDelete(new QPushButton(QStringLiteral("削除(&R)"), this)),
      m_pEdit(new QPushButton(QStringLiteral("編集(&E)..."), this)),
      m_pCopy(new QPushButton(QStringLiteral("複製(&C)..."), this)),
      m_pOk(new QPushButton(QStringLiteral("OK"), this)), m_pFontJa(new QLineEdit(this)),
      m_pFontEn(new QLineEdit(this)) {
    setObjectName(QStringLiteral("pageSetup"));
    setWindowTitle(QStringLiteral("ﾍﾟｰｼﾞ設定"));
    m_pList->setObjectName(QStringLiteral("layoutList"));
    m_pSheetSize->setObjectName(QStringLiteral("sheetSize"));
    m_pSheetSize->setWordWrap(true);
    m_pFontJa->setObjectName(QStringLiteral("fontJapanese"));
    m_pFontEn->setObjectName(QStringLiteral("fontEnglish"));
    m_pFontJa->setReadOnly(true);
    m_pFontEn->setReadOnly(true);

    auto* layouts = new QGroupBox(QStringLiteral("ﾍﾟｰｼﾞﾚｲｱｳﾄ"), this);
    auto* sheet = new QVBoxLayout;
    sheet->addWidget(m_pPreview, 1);
    sheet->addWidget(m_pSheetSize);
    auto* listRow = new QHBoxLayout(layouts);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(m_pList, 1);
    auto* entryButtons = new QHBoxLayout;
    const auto entryButton = [entryButtons](QPushButton* button, const char* name) {
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        entryButtons->addWidget(button);
    };
    entryButton(m_pNew, "newLayout");
    entryButton(m_pDelete, "deleteLayout");
    entryButton(m_pEdit, "editLayout");
    entryButton(m_pCopy, "copyLayout");
    listColumn->addLayout(entryButtons);
    listRow->addLayout(listColumn, 3);
    listRow->addLayout(sheet, 2);

    auto* fontsBox = new QGroupBox(QStringLiteral("印刷用ﾌｫﾝﾄ"), this);
    auto* fontForm = new QFormLayout(fontsBox);
    const auto fontRow = [this, fontForm](const QString& label, QLineEdit* edit,
                                          const QString& caption, LOGFONT& font) {
        auto* row = new QHBoxLayout;
        auto* change = new QPushButton(caption, this);
        change->setAutoDefault(false);
        row->addWidget(edit, 1);
        row->addWidget(change);
        fontForm->addRow(label, row);
        connect(change, &QPushButton::clicked, this, [this, &font] { ChangeFont(font); });
    };
    fontRow(QStringLiteral("日本語:"), m_pFontJa, QStringLiteral("変更(&J)..."),
            m_fonts.m_lfJapanese);
    fontRow(QStringLiteral("英語:"), m_pFontEn, QStringLiteral("変更(&G)..."), m_fonts.m_lfEnglish);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_pOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    // The printer's calibration, measured on the chosen sheet.
    auto* calibrate = new QPushButton(QStringLiteral("ｷｬﾘﾌﾞﾚｰｼｮﾝ(&B)..."), this);
    calibrate->setObjectName(QStringLiteral("calibratePrinter"));
    calibrate->setAutoDefault(false);
    buttons->addButton(calibrate, QDialogButtonBox::ActionRole);
    connect(calibrate, &QPushButton::clicked, this, [this] {
        CPageLayout sheet;
        const int entry = SelectedEntry();
        if (entry < 0 || sheet.Load(m_set.GetAt(entry).path))
            sheet.CopyFrom(m_layout);
        CalibrateAppPrinter(sheet, this);
    });
    m_pOk->setDefault(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(layouts, 1);
    column->addWidget(fontsBox);
    column->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CPageSetupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPageSetupDlg::reject);
    // A click makes its row current before it selects it, the arrow keys the
    // other way round: only the selection itself is followed.
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CPageSetupDlg::OnSelectionChanged);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CPageSetupDlg::accept);
    connect(m_pNew, &QPushButton::clicked, this, &CPageSetupDlg::OnNew);
    connect(m_pDelete, &QPushButton::clicked, this, &CPageSetupDlg::OnDelete);
    connect(m_pEdit, &QPushButton::clicked, this, &CPageSetupDlg::OnEdit);
    connect(m_pCopy, &QPushButton::clicked, this, &CPageSetupDlg::OnCopy);

    FillList();
    // The entry of exactly the layout's name, else one that differs in case only.
    int found = -1;
    for (int i = 0; i < m_set.GetCount() && found < 0; ++i)
        if (m_set.GetAt(i).name.Compare(m_layout.GetName()) == 0)
            found = i;
    if (found < 0)
        found = m_set.FindNoCase(m_layout.GetName());
    m_pList->setCurrentRow(found >= 0 ? found : 0);
    UpdateButtons();
    ShowFonts();
    resize(520, 420);
}

void CPageSetupDlg::FillList() {
    for (const CFileError& error : m_set.Build(m_layout))
        error.Show();
    ShowEntries(-1);
}

void CPageSetupDlg::ShowEntries(int select) {
    {
        const QSignalBlocker quiet(m_pList);
        m_pList->clear();
        for (int i = 0; i < m_set.GetCount(); ++i) {
            auto* item = new QListWidgetItem(qtext::FromSjis(m_set.GetAt(i).name), m_pList);
            item->setData(kEntryRole, i);
        }
    }
    m_pList->setCurrentRow(select);
    OnSelectionChanged();
}

int CPageSetupDlg::SelectedEntry() const {
    const QList<QListWidgetItem*> items = m_pList->selectedItems();
    return items.size() == 1 ? items.front()->data(kEntryRole).toInt() : -1;
}

void CPageSetupDlg::OnSelectionChanged() {
    const int entry = SelectedEntry();
    CPageLayout sheet;
    std::optional<CFileError> error;
    if (entry >= 0 && !(error = sheet.Load(m_set.GetAt(entry).path))) {
        m_pPreview->SetLayout(sheet);
        m_pSheetSize->setText(QStringLiteral("%1 × %2 mm、%3 列 × %4 行")
                                  .arg(sheet.GetPrintWidth().mm(), 0, 'f', 1)
                                  .arg(sheet.GetPrintHeight().mm(), 0, 'f', 1)
                                  .arg(sheet.m_nColumns)
                                  .arg(sheet.m_nRows));
    } else {
        if (error)
            error->Show();
        m_pPreview->SetLayout(std::nullopt);
        m_pSheetSize->clear();
    }
    UpdateButtons();
}

void CPageSetupDlg::OnDelete() {
    const int entry = SelectedEntry();
    if (!AskAndRemoveLayout(m_set, entry))
        return;
    ShowEntries(0);
}

void CPageSetupDlg::OnNew() {
    CPageLayoutDlg editor(CPageLayout(), this);
    EditUntilUnique(editor, -1, nullptr);
}

std::optional<CPageLayout> CPageSetupDlg::LoadSelected() const {
    const int entry = SelectedEntry();
    if (entry < 0)
        return std::nullopt;
    // A file that cannot be read (damaged, or from a newer version) is left
    // alone after its message.
    CPageLayout layout;
    if (const std::optional<CFileError> error = layout.Load(m_set.GetAt(entry).path)) {
        error->Show();
        return std::nullopt;
    }
    return layout;
}

void CPageSetupDlg::OnEdit() {
    const std::optional<CPageLayout> layout = LoadSelected();
    if (!layout)
        return;
    const CString name = layout->GetName();
    CPageLayoutDlg editor(*layout, this);
    EditUntilUnique(editor, SelectedEntry(), &name);
}

void CPageSetupDlg::OnCopy() {
    std::optional<CPageLayout> layout = LoadSelected();
    if (!layout)
        return;
    const CString name = CLayoutSet::MakeCopyName(layout->GetName());
    layout->SetName(name);
    CPageLayoutDlg editor(*layout, this);
    EditUntilUnique(editor, -1, &name);
}

void CPageSetupDlg::EditUntilUnique(CPageLayoutDlg& editor, int except, const CString* rename) {
    // The same editor opens again after a refusal, showing what the user left.
    while (editor.exec() == QDialog::Accepted) {
        const CPageLayout& layout = editor.Layout();
        if (m_set.IsDuplicate(layout.GetName(), except)) {
            CString message;
            message.Format(LoadAppString(IDS_LAYOUT_NAME_TAKEN), layout.GetName().GetString());
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            if (rename)
                editor.SetName(*rename);
            continue;
        }
        int index = -1;
        const std::optional<CFileError> error =
            except < 0 ? m_set.Add(layout, &index) : m_set.Update(except, layout, &index);
        if (error) {
            error->Show();
            continue;
        }
        ShowEntries(index);
        return;
    }
}

void CPageSetupDlg::UpdateButtons() {
    const bool selected = SelectedEntry() >= 0;
    m_pDelete->setEnabled(selected);
    m_pEdit->setEnabled(selected);
    m_pCopy->setEnabled(selected);
    m_pOk->setEnabled(selected);
}

void CPageSetupDlg::ShowFonts() {
    m_pFontJa->setText(FontDescription(m_fonts.m_lfJapanese, kDefaultFontDpi));
    m_pFontEn->setText(FontDescription(m_fonts.m_lfEnglish, kDefaultFontDpi));
}

void CPageSetupDlg::ChangeFont(LOGFONT& font) {
    if (const std::optional<LOGFONT> chosen =
            AfxGetUserInteraction().PromptFont(font, kDefaultFontDpi))
        font = *chosen;
    ShowFonts();
}

void CPageSetupDlg::accept() {
    const int entry = SelectedEntry();
    if (entry < 0)
        return;
    // A file that can't be read keeps the dialog open after its message.
    CPageLayout chosen;
    if (const std::optional<CFileError> error = chosen.Load(m_set.GetAt(entry).path)) {
        error->Show();
        return;
    }
    m_layout.CopyFrom(chosen);
    QDialog::accept();
}
