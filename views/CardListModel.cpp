#include "views/CardListModel.h"

#include "model/CardRules.h"
#include "platform/QtText.h"
#include "res/AppStrings.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <unordered_map>

namespace {

constexpr UINT IDS_COLUMN_FIRST = 129; // 名前, 会社名, 連絡先
constexpr int kColumns = 3;

} // namespace

int CCardListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CCardListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant CCardListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return qtext::FromSjis(ColumnText(*CardAt(index.row()), index.column()));
}

QVariant CCardListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    if (role == Qt::DisplayRole)
        return qtext::FromSjis(LoadAppString(IDS_COLUMN_FIRST + static_cast<UINT>(section)));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

int CCardListModel::RowOf(const CAddrCard* card) const {
    const auto it = std::find(m_rows.begin(), m_rows.end(), card);
    return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

void CCardListModel::SetRows(std::vector<CAddrCard*> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void CCardListModel::InsertRow(int row, CAddrCard* card) {
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, card);
    endInsertRows();
}

void CCardListModel::RemoveRow(int row) {
    const QScopedValueRollback<bool> removing(m_bRemovingRow, true);
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void CCardListModel::RefreshRow(int row) {
    emit dataChanged(index(row, 0), index(row, kColumns - 1), {Qt::DisplayRole});
}

int CCardListModel::SortedPosition(const CAddrCard& card, int sortKey) const {
    const auto it = std::upper_bound(m_rows.begin(), m_rows.end(), &card,
                                     [sortKey](const CAddrCard* a, const CAddrCard* b) {
                                         return CompareCards(*a, *b, sortKey) < 0;
                                     });
    return static_cast<int>(it - m_rows.begin());
}

void CCardListModel::SortRows(int sortKey) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<const CAddrCard*> cardsBefore;
    cardsBefore.reserve(static_cast<size_t>(before.size()));
    std::unordered_map<const CAddrCard*, int> rowOf;
    for (const QModelIndex& index : before) {
        cardsBefore.push_back(CardAt(index.row()));
        rowOf.emplace(cardsBefore.back(), -1);
    }
    SortCards(m_rows, sortKey);
    if (!rowOf.empty())
        for (size_t row = 0; row < m_rows.size(); ++row)
            if (const auto it = rowOf.find(m_rows[row]); it != rowOf.end())
                it->second = static_cast<int>(row);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after << index(rowOf[cardsBefore[static_cast<size_t>(i)]], before[i].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
