#pragma once
// The vCard export dialog: which cards (all, the listed or the selected ones,
// as the CSV export offers), the file, and the version: 3.0 in UTF-8 for
// address books and mail programs, 4.0 in UTF-8, 2.1 in Shift_JIS for old phones.

#include "transfer/VCardWriter.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

class CVCardExportDlg : public QDialog {
    Q_OBJECT
public:
    // The card sets of the box, in the order of the CSV export's.
    enum Range { RANGE_ALL = 0, RANGE_LISTED = 1, RANGE_SELECTED = 2 };

    explicit CVCardExportDlg(QWidget* parent = nullptr);

    // Native path.
    std::string FilePath() const;
    int GetRange() const;
    VCardVersion GetVersion() const;

    QComboBox& RangeBox() const { return *m_pRange; }
    QLineEdit& FileEdit() const { return *m_pFile; }
    QComboBox& VersionBox() const { return *m_pVersion; }
    QPushButton& OkButton() const { return *m_pOk; }

private:
    void OnBrowse();

    QComboBox* m_pRange;
    QLineEdit* m_pFile;
    QComboBox* m_pVersion;
    QPushButton* m_pOk;
};
