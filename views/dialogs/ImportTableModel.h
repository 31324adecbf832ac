#pragma once
// The records of a CSV file as the rows of the import table: cells converted
// only when shown, so that a file of a hundred thousand records opens at once.
// A cell holding a character code page 932 cannot hold is marked and says
// which character it is.

#include "transfer/CsvImportFile.h"
#include "transfer/ImportLayout.h"

#include <QAbstractTableModel>

class CImportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Neither is owned; both outlive the model.
    CImportTableModel(const CCsvImportFile& file, const CImportLayout& layout,
                      QObject* parent = nullptr);

    // Call after the file was read anew, or with a column count grown for a
    // wider layout.
    void Reset(int columns);
    // The layout's titles changed (a field chosen, the notation, a layout loaded).
    void Retitle();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const CCsvImportFile& m_file;
    const CImportLayout& m_layout;
    int m_nColumns = 0;
};
