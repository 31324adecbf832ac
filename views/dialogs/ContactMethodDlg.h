#pragma once
// The contact-method dialog: adds, renames and deletes the methods of a book
// on a working copy of its table. The reserved methods (ids 2 and below) stay.

#include "model/AddrBook.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

class CContactMethodDlg : public QDialog {
    Q_OBJECT
public:
    // Works on a copy of the book's table; the book's cards tell which ids are
    // in use.
    explicit CContactMethodDlg(const CAddrBook& book, QWidget* parent = nullptr);

    CContactMethodTable m_methods;

    QTreeWidget& MethodList() const { return *m_pList; }
    QPushButton& AddButton() const { return *m_pAdd; }
    QPushButton& EditButton() const { return *m_pEdit; }
    QPushButton& DeleteButton() const { return *m_pDelete; }

    void OnAdd();
    void OnEdit();
    void OnDelete();

private:
    void FillList();
    void UpdateButtons();
    int SelectedId() const;

    const CAddrBook& m_book;
    QTreeWidget* m_pList;
    QPushButton* m_pAdd;
    QPushButton* m_pEdit;
    QPushButton* m_pDelete;
};

// The contact-methods command: runs the dialog. On OK the working copy
// replaces the book's table and TRUE is returned; the caller then broadcasts
// HINT_CONTACT_METHODS_CHANGED and marks the document modified.
BOOL RunContactMethodDlg(CAddrBook& book, QWidget* parent);
