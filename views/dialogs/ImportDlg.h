#pragma once
// The import dialog: the records of a CSV file in a table whose column headers
// choose the card field each column feeds, the import layouts that remember
// such choices, the notation of the new cards, the file's encoding, and the
// records to take. A first record of column titles maps the columns and is
// left out, unless the user takes it back. On OK the cards of the selected
// rows are made, all of them before any reaches the book.

#include "layouts/LayoutSet.h"
#include "model/AddrBook.h"
#include "transfer/ColumnTitles.h"
#include "transfer/CsvImportFile.h"
#include "transfer/ImportLayout.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CImportTableModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

class CImportDlg : public QDialog {
    Q_OBJECT
public:
    // path: the CSV file (native); the book's contact methods name the
    // phone and fax contacts of the cards.
    CImportDlg(std::string path, const CAddrBook& book, QWidget* parent = nullptr);
    ~CImportDlg() override;

    // After OK: the cards of the selected rows, top to bottom.
    std::vector<std::unique_ptr<CAddrCard>> TakeCards() { return std::move(m_cards); }

    void accept() override;

private:
    void ReadFile();
    bool Importable(int row) const;
    void SelectImportableRows();
    void OnTitleRow(bool checked);
    void ApplyTitles();
    void UpdateCounts();
    void OnHeaderClicked(int column);
    void OnLayoutChosen(int index);
    void OnNotation();
    void OnSave();
    void OnDelete();
    void FillLayouts(int select);
    void Retitle();

    std::string m_strPath;
    const CAddrBook& m_book;
    CCsvImportFile m_file;
    CImportLayout m_layout;
    CLayoutSet m_set;
    int m_nColumns = 0;                     // of the table: the file's or a wider layout's
    std::optional<ColumnTitleMap> m_titles; // the first record's, when it is titles
    std::vector<std::unique_ptr<CAddrCard>> m_cards;

    CImportTableModel* m_pModel;
    QComboBox* m_pLayouts;
    QPushButton* m_pDelete;
    QRadioButton* m_pJapanese;
    QRadioButton* m_pEnglish;
    QComboBox* m_pEncoding;
    QLabel* m_pFound;
    QCheckBox* m_pTitleRow;
    QTableView* m_pTable;
    QLabel* m_pRefusal;
    QLabel* m_pTotal;
    QLabel* m_pSelected;
    QPushButton* m_pOk;
};
