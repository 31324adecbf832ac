#include "views/dialogs/ImportTableModel.h"

#include "platform/QtText.h"

#include <QBrush>
#include <QColor>

CImportTableModel::CImportTableModel(const CCsvImportFile& file, const CImportLayout& layout,
                                     QObject* parent)
    : QAbstractTableModel(parent), m_file(file), m_layout(layout) {}

void CImportTableModel::Reset(int columns) {
    beginResetModel();
    m_nColumns = columns;
    endResetModel();
}

void CImportTableModel::Retitle() {
    if (m_nColumns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_nColumns - 1);
}

int CImportTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_file.m_records.size());
}

int CImportTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nColumns;
}

QVariant CImportTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CsvImportRecord& record = m_file.m_records[static_cast<size_t>(index.row())];
    const bool unstorable = record.unstorableColumn == index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        if (static_cast<size_t>(index.column()) < record.fields.size())
            return qtext::FromSjis(record.fields[static_cast<size_t>(index.column())]);
        return {};
    case Qt::ToolTipRole:
        if (unstorable)
            return QStringLiteral("\"%1\" はｺｰﾄﾞﾍﾟｰｼﾞ 932 にない文字のため取り込めません。")
                .arg(QString::fromStdString(record.unstorable));
        return {};
    case Qt::BackgroundRole:
        if (unstorable)
            return QBrush(QColor(255, 200, 200));
        return {};
    default:
        return {};
    }
}

QVariant CImportTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return qtext::FromSjis(m_layout.GetColumnTitle(section));
    return QAbstractTableModel::headerData(section, orientation, role);
}
