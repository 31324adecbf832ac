#pragma once
// Ready-made pieces for dialogs: picking one of several labelled values from a
// list or a drop-down list, choosing a folder, a combo box of integers kept in
// numeric order, enabling every control inside a frame, colour buttons and a
// dialog that grows to show more controls.

#include "platform/CString.h"
#include "platform/Types.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>

#include <utility>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QListWidget;

// The list and drop-list dialogs' common part: the prompt, the title and the
// items; OK is enabled only while an entry is chosen.
class ZKLIB_API CZkChoiceDlg : public QDialog {
    Q_OBJECT
public:
    void SetItem(const char* text, UINT value);
    // A string of the program's table.
    void SetItem(UINT stringId, UINT value);
    // Puts the fields into the controls; DoModal does this first.
    void Prepare();
    int DoModal();

    CString m_strPrompt;
    CString m_strTitle;
    UINT m_nValue = 0; // the value chosen first, and after OK the one chosen

public slots:
    void accept() override;

protected:
    explicit CZkChoiceDlg(QWidget* parent);
    // The items sorted by text as the controls show them.
    std::vector<std::pair<CString, UINT>> Sorted() const;
    void Finish(QWidget* choices);
    void UpdateOk();
    virtual void Fill() = 0;
    // The chosen entry's index, or -1.
    virtual int Current() const = 0;

    QLabel* m_pPrompt;
    QDialogButtonBox* m_pButtons;
    std::vector<std::pair<CString, UINT>> m_items;
    std::vector<UINT> m_shown; // the values in the order shown
};

class ZKLIB_API CZkListDlg : public CZkChoiceDlg {
    Q_OBJECT
public:
    explicit CZkListDlg(QWidget* parent = nullptr);

private:
    void Fill() override;
    int Current() const override;
    QListWidget* m_pList;
};

class ZKLIB_API CZkDropListDlg : public CZkChoiceDlg {
    Q_OBJECT
public:
    explicit CZkDropListDlg(QWidget* parent = nullptr);

private:
    void Fill() override;
    int Current() const override;
    QComboBox* m_pBox;
};

// A folder chooser showing folders only. Paths are native bytes.
class ZKLIB_API CZkDirDialog : public CObject {
public:
    // Asks SelChanged on every move; TRUE with m_strPath set on OK.
    BOOL DoBrowse(QWidget* parent = nullptr);
    // Whether path may be chosen (OK is enabled); with m_bStatusText, status is shown.
    virtual BOOL SelChanged(const char* path, CString& status);

    CString m_strTitle;
    CString m_strPath;    // the result
    CString m_strRoot;    // the tree starts here; empty for the whole file system
    CString m_strInitial; // selected first
    CString m_strPrompt;  // Shift_JIS; "Open" when empty
    BOOL m_bStatusText = FALSE;
};

// Each entry shows a number and carries it as item data, in ascending order.
class ZKLIB_API CZkIntComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    int AddValue(int value);
    BOOL AddValues(const std::vector<int>& values);
    // The first index after start (-1: from the top) holding value, or -1.
    int FindValue(int start, int value) const;
    int GetValue(int index) const;
    int GetAllValues(std::vector<int>& values) const;
    void DeleteValue(int index);
};

// Enables or disables every control lying wholly inside a frame control.
class ZKLIB_API CZkCheckFrame : public CObject {
public:
    // FALSE, with a message, when the dialog has no such control.
    BOOL Set(QWidget* dialog, UINT frameId);
    virtual void Enable(BOOL enable);
    const std::vector<QWidget*>& Controls() const { return m_controls; }

private:
    std::vector<QWidget*> m_controls;
};

// A button painted in its colour, its text in the inverted colour.
class ZKLIB_API CZkColorButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CZkColorButton(QWidget* parent = nullptr);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    // The colour chooser on the current colour; IDOK after a colour was taken, else IDCANCEL.
    int ShowDialog();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    COLORREF m_color = 0;
};

// A button painted from the maximum colour at the top to the minimum at the bottom.
class ZKLIB_API CZkColorGradeButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CZkColorGradeButton(QWidget* parent = nullptr);
    void SetMinColor(COLORREF color);
    void SetMaxColor(COLORREF color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    COLORREF m_min = RGB(255, 0, 0);
    COLORREF m_max = RGB(0, 255, 0);
};

// A dialog of two sizes, each given by a marker control; a toggle button
// (">" when small, "<" when large) switches between them.
class ZKLIB_API CZkExpandDialog : public QDialog {
    Q_OBJECT
public:
    explicit CZkExpandDialog(QWidget* parent = nullptr);
    void SetControls(UINT toggle, UINT normalMarker, UINT expandedMarker);
    void SetExpanded(BOOL expanded);
    BOOL IsExpanded() const { return m_bExpanded; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Apply();
    BOOL m_bExpanded = FALSE;
    UINT m_nToggle = 0;
    UINT m_nNormal = 0;
    UINT m_nExpanded = 0;
};
