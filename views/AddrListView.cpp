#include "views/AddrListView.h"

#include "doc/KolvaneDoc.h"
#include "doc/UpdateHints.h"
#include "model/CardRules.h"
#include "platform/SettingsStore.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "transfer/CsvExportRun.h"
#include "views/CardListModel.h"
#include "views/CommandIds.h"
#include "views/dialogs/ExportDlg.h"
#include "views/dialogs/VCardExportDlg.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <unordered_set>

namespace {

constexpr int kColumnWidth = 150;

// Rows with a little air above and below the text.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 4);
    }
};

} // namespace

CAddrListView::CAddrListView(CKolvaneDoc& doc, QWidget* parent)
    : QTreeView(parent), m_doc(doc), m_pModel(new CCardListModel(this)) {
    setObjectName(QStringLiteral("cardList"));
    setModel(m_pModel);
    setItemDelegate(new RowDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);

    QHeaderView* head = header();
    head->setSectionsMovable(true);
    head->setSectionsClickable(true);
    head->setSortIndicatorShown(true);
    head->setStretchLastSection(false);
    head->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < m_pModel->columnCount(); ++column)
        setColumnWidth(column, kColumnWidth);
    ShowSortIndicator();

    // The selection stays visible while the focus is elsewhere.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight).lighter(125));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    connect(head, &QHeaderView::sectionClicked, this, &CAddrListView::OnHeaderClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { OnSelectionChanged(selected); });
    connect(this, &QAbstractItemView::doubleClicked, this, &CAddrListView::OnDoubleClicked);
    m_doc.AddView(this);

    m_pageLayout.LoadFromProfile();
    m_printFonts.LoadFromProfile();
    // Font heights are kept in pixels of one fixed printer resolution, so that a
    // label keeps its size whichever printer prints it.
    m_printFonts.SetMissingToDefaults(kDefaultFontDpi);
    m_copyJapanese.LoadCopySettings(AfxGetProfile(), true);
    m_copyEnglish.LoadCopySettings(AfxGetProfile(), false);
}

CAddrListView::~CAddrListView() {
    m_pageLayout.SaveToProfile();
    m_printFonts.SaveToProfile();
    m_copyJapanese.SaveCopySettings(AfxGetProfile());
    m_copyEnglish.SaveCopySettings(AfxGetProfile());
    m_doc.RemoveView(this);
}

void CAddrListView::SetSearchText(const char* text) {
    m_filter.SetSearchText(text);
    m_bUnmatchable = false;
}

void CAddrListView::SetSearchUnmatchable() {
    m_filter.SetSearchText("");
    m_bUnmatchable = true;
}

void CAddrListView::SetFilter(int filterId) {
    m_filter.SetFilter(filterId);
}

void CAddrListView::RebuildList() {
    DeselectAll();
    m_filter.SetMatchCase(m_doc.Options().m_bMatchCase);
    m_pModel->SetRows(m_bUnmatchable ? std::vector<CAddrCard*>() : m_filter.List(m_doc.GetBook()));
    UpdateCount();
}

int CAddrListView::GetRowCount() const {
    return m_pModel->rowCount();
}

void CAddrListView::OnInitialUpdate() {
    RebuildList();
}

void CAddrListView::OnUpdate(IKolvaneView*, int hint, CAddrCard* card) {
    switch (hint) {
    case HINT_CARD_CHANGED:
        OnCardChanged(card);
        break;
    case HINT_CARD_DELETED:
        OnCardDeleted(card);
        break;
    case HINT_DESELECT_ALL:
        DeselectAll();
        break;
    case HINT_REBUILD_LIST:
        RebuildList();
        break;
    case HINT_SHOW_LIST:
        emit commandRequested(ID_VIEW_LIST);
        break;
    default:
        break;
    }
}

bool CAddrListView::IsListed(const CAddrCard& card) const {
    if (m_filter.GetFilter() == FILTER_DUPLICATES)
        return true;
    return !m_bUnmatchable && m_filter.Passes(card);
}

int CAddrListView::InsertCard(CAddrCard* card) {
    if (!IsListed(*card))
        return -1;
    const int row = m_pModel->SortedPosition(*card, GetSortKey());
    m_pModel->InsertRow(row, card);
    return row;
}

int CAddrListView::UpdateCard(CAddrCard* card, int row) {
    if (!IsListed(*card)) {
        m_pModel->RemoveRow(row);
        return -1;
    }
    const int key = GetSortKey();
    const int last = m_pModel->rowCount() - 1;
    const bool inOrder = (row == 0 || CompareCards(*m_pModel->CardAt(row - 1), *card, key) <= 0) &&
                         (row == last || CompareCards(*card, *m_pModel->CardAt(row + 1), key) <= 0);
    if (inOrder) {
        m_pModel->RefreshRow(row);
        return row;
    }
    m_pModel->RemoveRow(row);
    return InsertCard(card);
}

void CAddrListView::OnCardChanged(CAddrCard* card) {
    if (!card)
        return;
    m_filter.Invalidate();
    int row = m_pModel->RowOf(card);
    row = row < 0 ? InsertCard(card) : UpdateCard(card, row);
    if (row >= 0) {
        SelectRow(row);
        scrollTo(m_pModel->index(row, 0));
    }
    m_doc.SetModifiedFlag();
    UpdateCount();
}

void CAddrListView::OnCardDeleted(CAddrCard* card) {
    if (!card)
        return;
    const int row = m_pModel->RowOf(card);
    if (row >= 0)
        m_pModel->RemoveRow(row);
    if (m_doc.GetCurrentCard() == card)
        m_doc.SetCurrentCard(nullptr);
    m_doc.GetBook().RemoveCard(card);
    m_doc.SetModifiedFlag();
    UpdateCount();
}

void CAddrListView::DeleteSelected() {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty())
        return;
    std::sort(rows.begin(), rows.end());
    std::vector<CAddrCard*> cards;
    cards.reserve(rows.size());
    for (int row : rows)
        cards.push_back(m_pModel->CardAt(row));
    RemoveCards(cards);
}

void CAddrListView::RemoveCards(const std::vector<CAddrCard*>& cards) {
    // Every other view hears of each card; the list then removes them at once,
    // so that deleting many rows does not cost a walk of the list per card.
    for (CAddrCard* card : cards)
        m_doc.UpdateAllViews(this, HINT_CARD_DELETED, card);
    const std::unordered_set<const CAddrCard*> gone(cards.begin(), cards.end());
    std::vector<CAddrCard*> rows = m_pModel->Rows();
    std::erase_if(rows, [&gone](const CAddrCard* c) { return gone.count(c) != 0; });
    const int scroll = verticalScrollBar()->value();
    m_pModel->SetRows(std::move(rows));
    verticalScrollBar()->setValue(scroll);
    if (gone.count(m_doc.GetCurrentCard()))
        m_doc.SetCurrentCard(nullptr);
    m_doc.GetBook().RemoveCards(cards);
    m_doc.SetModifiedFlag();
    UpdateCount();
}

int CAddrListView::GetSelectedCount() const {
    int count = 0;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        count += range.height();
    return count;
}

int CAddrListView::FirstSelectedRow() const {
    int first = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        if (first < 0 || range.top() < first)
            first = range.top();
    return first;
}

void CAddrListView::SelectRow(int row) {
    const QModelIndex index = m_pModel->index(row, 0);
    selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_doc.SetCurrentCard(m_pModel->CardAt(row));
}

void CAddrListView::SelectPrevious() {
    const int first = FirstSelectedRow();
    if (first < 0)
        return;
    selectionModel()->select(m_pModel->index(first, 0),
                             QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    const int row = first > 0 ? first - 1 : GetRowCount() - 1;
    SelectRow(row);
    scrollTo(m_pModel->index(row, 0));
}

void CAddrListView::SelectNext() {
    const int first = FirstSelectedRow();
    if (first < 0)
        return;
    selectionModel()->select(m_pModel->index(first, 0),
                             QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    const int row = first + 1 < GetRowCount() ? first + 1 : 0;
    SelectRow(row);
    scrollTo(m_pModel->index(row, 0));
}

void CAddrListView::SelectFirst() {
    if (GetRowCount() > 0)
        SelectRow(0);
}

bool CAddrListView::SelectCard(CAddrCard* card) {
    const int row = m_pModel->RowOf(card);
    if (row < 0)
        return false;
    DeselectAll();
    SelectRow(row);
    scrollTo(m_pModel->index(row, 0));
    return true;
}

void CAddrListView::DeselectAll() {
    selectionModel()->clearSelection();
    m_doc.SetCurrentCard(nullptr);
}

void CAddrListView::OnSelectionChanged(const QItemSelection& selected) {
    if (selected.isEmpty()) {
        // A card stays current only while its row is selected (Ctrl+click can
        // take it away); a row that goes with its card is left to whoever
        // removes the card.
        if (m_pModel->IsRemovingRow())
            return;
        const int current = m_pModel->RowOf(m_doc.GetCurrentCard());
        if (current >= 0 && selectionModel()->isRowSelected(current))
            return;
        const int first = FirstSelectedRow();
        m_doc.SetCurrentCard(first >= 0 ? m_pModel->CardAt(first) : nullptr);
        return;
    }
    // Of the rows that became selected, the focused one, else the last.
    const QModelIndex focus = currentIndex();
    int row = selected.last().bottom();
    if (focus.isValid() && selected.contains(focus))
        row = focus.row();
    m_doc.SetCurrentCard(m_pModel->CardAt(row));
}

void CAddrListView::OnDoubleClicked(const QModelIndex& index) {
    if (!index.isValid())
        return;
    m_doc.SetCurrentCard(m_pModel->CardAt(index.row()));
    emit commandRequested(ID_VIEW_CARD);
}

void CAddrListView::keyPressEvent(QKeyEvent* event) {
    // The copy key copies cards through the window's command, even when that
    // is disabled; the view would copy the focused cell's text.
    if (event->matches(QKeySequence::Copy)) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit commandRequested(ID_VIEW_CARD);
    QTreeView::keyPressEvent(event);
}

void CAddrListView::OnHeaderClicked(int column) {
    int key = SortKeyOfColumn(column);
    if (key == GetSortKey())
        key = -key;
    m_filter.SetSortKey(key);
    m_pModel->SortRows(key);
    ShowSortIndicator();
}

void CAddrListView::ShowSortIndicator() {
    const int key = GetSortKey();
    header()->setSortIndicator(std::abs(key) - 1,
                               key > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CAddrListView::UpdateCount() {
    emit countChanged(GetRowCount(), m_doc.GetBook().GetCount());
}

std::vector<const CAddrCard*> CAddrListView::CardsOfExportRange(int range) const {
    static_assert(int(CExportDlg::RANGE_LISTED) == int(CVCardExportDlg::RANGE_LISTED) &&
                  int(CExportDlg::RANGE_SELECTED) == int(CVCardExportDlg::RANGE_SELECTED));
    switch (range) {
    case CExportDlg::RANGE_LISTED:
        return ListedCards();
    case CExportDlg::RANGE_SELECTED:
        return SelectedCards();
    default: {
        std::vector<const CAddrCard*> cards;
        for (const auto& card : m_doc.GetBook().Cards())
            cards.push_back(card.get());
        return cards;
    }
    }
}

void CAddrListView::OnFileExport() {
    CExportDlg dialog(window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<const CAddrCard*> cards = CardsOfExportRange(dialog.GetRange());
    int written = 0;
    if (const std::optional<CFileError> error =
            ExportCards(dialog.FilePath().c_str(), cards, dialog.Layout(), written)) {
        error->Show();
        return;
    }
    // "%d 件のｶｰﾄﾞがｴｸｽﾎﾟｰﾄされました。"
    CString message;
    message.Format(LoadAppString(239), written);
    AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
}
