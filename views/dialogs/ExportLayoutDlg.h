#pragma once
// The export layout editor: the layout's name, the fields it writes in their
// order (a field may be listed more than once) and whether line breaks inside
// a value are written as blanks. OK hands the edited layout back.

#include "transfer/ExportLayout.h"

#include <QDialog>

class CSjisFieldGuard;
class QCheckBox;
class QLineEdit;
class QTreeWidget;

class CExportLayoutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CExportLayoutDlg(const CExportLayout& layout, QWidget* parent = nullptr);

    const CExportLayout& Layout() const { return m_layout; }
    QLineEdit& NameEdit() const { return *m_pName; }
    QTreeWidget& AllFields() const { return *m_pAll; }
    QTreeWidget& ExportFields() const { return *m_pExport; }
    QCheckBox& ConvCrBox() const { return *m_pConvCR; }

    void accept() override;

private:
    CExportLayout m_layout;
    CSjisFieldGuard* m_pGuard;
    QLineEdit* m_pName;
    QTreeWidget* m_pAll;
    QTreeWidget* m_pExport;
    QCheckBox* m_pConvCR;
};
