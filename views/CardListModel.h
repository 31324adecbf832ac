#pragma once
// The card list's rows as a Qt model: one row per listed card, three columns
// (name, company, first contact). Rows refer to cards owned by the book; the
// model never owns them and keeps them in the order it is given.

#include <QAbstractTableModel>

#include <vector>

class CAddrCard;

class CCardListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    CAddrCard* CardAt(int row) const { return m_rows[static_cast<size_t>(row)]; }
    const std::vector<CAddrCard*>& Rows() const { return m_rows; }
    // -1 when the card has no row.
    int RowOf(const CAddrCard* card) const;

    void SetRows(std::vector<CAddrCard*> rows);
    void InsertRow(int row, CAddrCard* card);
    void RemoveRow(int row);
    // True while a row is being removed: the selection loses it on its own.
    bool IsRemovingRow() const { return m_bRemovingRow; }
    void RefreshRow(int row);
    // Sorts by the sort key; selections and the current row follow their cards.
    void SortRows(int sortKey);
    // Where a card belongs among the sorted rows (after the rows equal to it).
    int SortedPosition(const CAddrCard& card, int sortKey) const;

private:
    std::vector<CAddrCard*> m_rows;
    bool m_bRemovingRow = false;
};
