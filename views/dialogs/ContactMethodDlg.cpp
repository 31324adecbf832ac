#include "views/dialogs/ContactMethodDlg.h"

#include "model/ContactMethodUsage.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/ContactMethodEditDlg.h"
#include "views/dialogs/DialogStrings.h"
#include "views/dialogs/SjisText.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// Ids up to this one are the blank method, telephone and fax.
constexpr int kLastReservedId = 2;

} // namespace

CContactMethodDlg::CContactMethodDlg(const CAddrBook& book, QWidget* parent)
    : QDialog(parent), m_methods(book.m_methods), m_book(book) {
    setWindowTitle(QStringLiteral("連絡方法の設定"));
    setObjectName(QStringLiteral("contactMethodDlg"));

    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("methodList"));
    m_pList->setColumnCount(2);
    m_pList->setHeaderHidden(true);
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setAllColumnsShowFocus(true);
    const int charWidth = m_pList->fontMetrics().averageCharWidth();
    // The Japanese names stand in a column of their own, as at a tab stop.
    m_pList->setColumnWidth(0, charWidth * 14);
    m_pList->setMinimumSize(charWidth * 30, m_pList->fontMetrics().height() * 12);
    auto* label = new QLabel(QStringLiteral("連絡方法(&M):"), this);
    label->setBuddy(m_pList);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_pAdd = new QPushButton(QStringLiteral("追加(&A)"), this);
    m_pAdd->setObjectName(QStringLiteral("addMethod"));
    m_pEdit = new QPushButton(QStringLiteral("編集(&E)"), this);
    m_pEdit->setObjectName(QStringLiteral("editMethod"));
    m_pDelete = new QPushButton(QStringLiteral("削除(&D)"), this);
    m_pDelete->setObjectName(QStringLiteral("deleteMethod"));
    for (QPushButton* button : {m_pAdd, m_pEdit, m_pDelete, cancel})
        button->setAutoDefault(false);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pAdd, &QPushButton::clicked, this, &CContactMethodDlg::OnAdd);
    connect(m_pEdit, &QPushButton::clicked, this, &CContactMethodDlg::OnEdit);
    connect(m_pDelete, &QPushButton::clicked, this, &CContactMethodDlg::OnDelete);
    connect(m_pList, &QTreeWidget::itemSelectionChanged, this, &CContactMethodDlg::UpdateButtons);
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, &CContactMethodDlg::OnEdit);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_pList, 1, 0, 6, 1);
    layout->addWidget(ok, 0, 1);
    layout->addWidget(cancel, 1, 1);
    layout->setRowStretch(2, 1);
    layout->addWidget(m_pAdd, 3, 1);
    layout->addWidget(m_pEdit, 4, 1);
    layout->addWidget(m_pDelete, 5, 1);
    layout->setRowStretch(6, 0);

    FillList();
    UpdateButtons();
}

void CContactMethodDlg::FillList() {
    m_pList->clear();
    // Position 0 holds the blank method, which is never offered.
    for (int i = 1; i < m_methods.GetCount(); ++i) {
        const int id = m_methods.GetIdAt(i);
        CString japanese;
        CString english;
        m_methods.Get(id, japanese, english);
        auto* item =
            new QTreeWidgetItem(m_pList, {SjisToQString(japanese), SjisToQString(english)});
        item->setData(0, Qt::UserRole, id);
    }
    m_pList->clearSelection();
    m_pList->setCurrentItem(nullptr);
}

void CContactMethodDlg::UpdateButtons() {
    const bool selected = !m_pList->selectedItems().isEmpty();
    m_pAdd->setEnabled(true);
    m_pEdit->setEnabled(selected);
    m_pDelete->setEnabled(selected);
}

int CContactMethodDlg::SelectedId() const {
    const QList<QTreeWidgetItem*> items = m_pList->selectedItems();
    return items.isEmpty() ? -1 : items.front()->data(0, Qt::UserRole).toInt();
}

void CContactMethodDlg::OnAdd() {
    CContactMethodEditDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_methods.Append({UnusedMethodId(m_methods, m_book), dlg.m_strJapanese, dlg.m_strEnglish});
    FillList();
    UpdateButtons();
}

void CContactMethodDlg::OnEdit() {
    if (m_pList->selectedItems().isEmpty())
        return;
    const int id = SelectedId();
    CContactMethodEditDlg dlg(this);
    m_methods.Get(id, dlg.m_strJapanese, dlg.m_strEnglish);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_methods.Modify(id, dlg.m_strJapanese, dlg.m_strEnglish);
    FillList();
    UpdateButtons();
}

void CContactMethodDlg::OnDelete() {
    if (m_pList->selectedItems().isEmpty())
        return;
    const int id = SelectedId();
    if (id <= kLastReservedId) {
        AfxMessageBox(LoadAppString(IDS_METHOD_RESERVED), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString japanese;
    CString english;
    m_methods.Get(id, japanese, english);
    CString question;
    if (const int cards = CountCardsUsingMethod(m_book, id); cards > 0)
        question.Format(LoadAppString(IDS_DELETE_METHOD_USED), japanese.GetString(),
                        english.GetString(), cards);
    else
        question.Format(LoadAppString(IDS_DELETE_METHOD), japanese.GetString(),
                        english.GetString());
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    m_methods.Remove(id);
    FillList();
    UpdateButtons();
}

BOOL RunContactMethodDlg(CAddrBook& book, QWidget* parent) {
    CContactMethodDlg dlg(book, parent);
    if (dlg.exec() != QDialog::Accepted)
        return FALSE;
    book.m_methods = dlg.m_methods;
    return TRUE;
}
