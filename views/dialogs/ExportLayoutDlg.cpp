#include "views/dialogs/ExportLayoutDlg.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/LayoutDialogs.h"
#include "views/dialogs/SjisFieldGuard.h"
#include "zklib/ZkStrings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr UINT IDS_LAYOUT_NAME_MISSING = 152;
constexpr UINT IDS_EXPORT_FIELDS_EMPTY = 238;
constexpr UINT IDS_ZK_TEXT_TOO_LONG = 21; // "%d ﾊﾞｲﾄ以下の…"
constexpr int kMaxNameBytes = 128;

} // namespace

CExportLayoutDlg::CExportLayoutDlg(const CExportLayout& layout, QWidget* parent)
    : QDialog(parent), m_layout(layout), m_pGuard(new CSjisFieldGuard(this)),
      m_pName(new QLineEdit(this)), m_pAll(MakeFieldList(this, "allFields", 2)),
      m_pExport(MakeFieldList(this, "exportFields", 2)),
      m_pConvCR(new QCheckBox(QStringLiteral("項目中の改行をｽﾍﾟｰｽに変換(&S)"), this)) {
    setWindowTitle(QStringLiteral("ｴｸｽﾎﾟｰﾄ ﾚｲｱｳﾄ設定"));
    setObjectName(QStringLiteral("exportLayoutDlg"));
    m_pName->setObjectName(QStringLiteral("layoutName"));
    m_pGuard->Watch(m_pName);
    m_pGuard->Show(m_pName, m_layout.GetName());
    m_pConvCR->setChecked(m_layout.GetConvCR() != 0);
    for (int field = 0; field < EXPORT_FIELD_COUNT; ++field)
        if (const CString name = m_layout.GetFieldName(field); !name.IsEmpty())
            m_pAll->addTopLevelItem(MakeFieldItem(name, field));
    // A number that is no field is not listed, so OK drops it from the layout.
    for (int position = 0; position < m_layout.GetFieldCount(); ++position)
        if (const CString title = m_layout.GetFieldTitle(position); !title.IsEmpty())
            m_pExport->addTopLevelItem(MakeFieldItem(title, m_layout.GetFields()[position]));

    const auto label = [this](const char* text, QWidget* buddy) {
        auto* caption = new QLabel(QString::fromUtf8(text), this);
        caption->setBuddy(buddy);
        return caption;
    };
    const auto button = [this](const char* text, auto slot) {
        auto* push = new QPushButton(QString::fromUtf8(text), this);
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, slot);
        return push;
    };
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(button("追加(&A) >>", [this] { AddField(*m_pAll, *m_pExport); }));
    moves->addWidget(button("削除(&R)", [this] { RemoveField(*m_pExport); }));
    moves->addSpacing(m_pName->fontMetrics().height());
    moves->addWidget(button("上へ(&U)", [this] { MoveField(*m_pExport, -1); }));
    moves->addWidget(button("下へ(&D)", [this] { MoveField(*m_pExport, 1); }));
    moves->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportLayoutDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(label("ﾚｲｱｳﾄ(&Y):", m_pName));
    nameRow->addWidget(m_pName, 1);
    grid->addLayout(nameRow, 0, 0, 1, 3);
    grid->addWidget(label("全項目(&F):", m_pAll), 1, 0);
    grid->addWidget(label("ｴｸｽﾎﾟｰﾄする項目(&X)", m_pExport), 1, 2);
    grid->addWidget(m_pAll, 2, 0);
    grid->addLayout(moves, 2, 1);
    grid->addWidget(m_pExport, 2, 2);
    grid->addWidget(m_pConvCR, 3, 0, 1, 3);
    grid->addWidget(buttons, 4, 0, 1, 3);
    m_pName->setFocus();
}

void CExportLayoutDlg::accept() {
    const std::vector<int> fields = ListedFields(*m_pExport);
    if (fields.empty()) {
        AfxMessageBox(LoadAppString(IDS_EXPORT_FIELDS_EMPTY), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_layout.SetFields(fields);
    if (m_pName->text().isEmpty()) {
        AfxMessageBox(LoadAppString(IDS_LAYOUT_NAME_MISSING), MB_OK | MB_ICONEXCLAMATION);
        m_pName->setFocus(Qt::OtherFocusReason);
        return;
    }
    CString name;
    if (!m_pGuard->Take(m_pName, name))
        return;
    if (name.GetLength() > kMaxNameBytes) {
        CString message;
        message.Format(ZkLoadString(IDS_ZK_TEXT_TOO_LONG), kMaxNameBytes);
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        m_pName->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_layout.SetName(name);
    m_layout.SetConvCR(m_pConvCR->isChecked() ? 1 : 0);
    QDialog::accept();
}
