#pragma once
// The export dialog: which cards (all, the listed or the selected ones), the
// file to write and the export layout, chosen from the layouts of the folder
// "EXPORTS", where layouts are made, edited, copied and deleted. It starts
// from the "Export" settings and writes them back when it closes. On OK the
// chosen layout, read anew from its file, is the dialog's layout; the line
// break choice is the one of the settings, or the one made in the editor.

#include "layouts/LayoutSet.h"
#include "transfer/ExportLayout.h"

#include <QDialog>

#include <optional>

#include <string>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class CExportDlg : public QDialog {
    Q_OBJECT
public:
    // The card sets of the box.
    enum Range { RANGE_ALL = 0, RANGE_LISTED = 1, RANGE_SELECTED = 2 };

    explicit CExportDlg(QWidget* parent = nullptr);

    const CExportLayout& Layout() const { return m_layout; }
    // Native path.
    const std::string& FilePath() const { return m_strPath; }
    int GetRange() const { return m_nRange; }

    QComboBox& RangeBox() const { return *m_pRange; }
    QLineEdit& FileEdit() const { return *m_pFile; }
    QListWidget& List() const { return *m_pList; }
    QPushButton& OkButton() const { return *m_pOk; }

    void accept() override;
    void done(int result) override;

private:
    QPushButton* AddButton(const char* text, void (CExportDlg::*slot)());
    void FillList();
    int SelectedEntry() const;
    // The selected entry's layout with the current line break choice; nothing,
    // after showing why, when none is selected or its file cannot be read.
    std::optional<CExportLayout> LoadSelected() const;
    void SelectEntry(int entry);
    void UpdateButtons();
    void OnBrowse();
    void OnNew();
    void OnEdit();
    void OnCopy();
    void OnDelete();
    // Runs the editor on layout until it is cancelled or gives a name no entry
    // but except has; then saves it as a new entry, or over except's file.
    // rename gives the name to put back before the editor runs again.
    void EditUntilUnique(CExportLayout layout, int except, const CString* rename);

    CExportLayout m_layout;
    std::string m_strPath;
    int m_nRange = RANGE_ALL;
    CLayoutSet m_set;
    QComboBox* m_pRange;
    QLineEdit* m_pFile;
    QListWidget* m_pList;
    QPushButton* m_pOk;
    QPushButton* m_pDelete;
    QPushButton* m_pEdit;
    QPushButton* m_pCopy;
};
