#pragma once
// The page setup dialog: the page layouts of the folder "LAYOUTS", made,
// edited, copied and deleted here at once, the chosen sheet in a small
// picture, and the two print fonts. On OK the chosen layout, read anew from
// its file, is the dialog's layout (a file that cannot be read keeps the
// dialog open), and the fonts as changed are its fonts.

#include "layouts/LayoutSet.h"
#include "print/PageLayout.h"
#include "print/PrintFonts.h"

#include <QDialog>

class CPageLayoutDlg;
class CSheetPreview;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CPageSetupDlg : public QDialog {
    Q_OBJECT
public:
    // Works on copies of the current layout and fonts.
    CPageSetupDlg(const CPageLayout& layout, const CPrintFonts& fonts, QWidget* parent = nullptr);

    const CPageLayout& Layout() const { return m_layout; }
    const CPrintFonts& Fonts() const { return m_fonts; }
    QListWidget& List() const { return *m_pList; }

    void accept() override;

private:
    void FillList();
    // The list anew from the set, the entry select (-1: none) selected.
    void ShowEntries(int select);
    int SelectedEntry() const;
    void OnSelectionChanged();
    void OnNew();
    void OnDelete();
    void OnEdit();
    void OnCopy();
    std::optional<CPageLayout> LoadSelected() const;
    // Opens the editor until it is cancelled or its layout, whose name no entry
    // but except bears, is saved (over except's file, or into a new one);
    // after a taken name the editor shows rename, when given.
    void EditUntilUnique(CPageLayoutDlg& editor, int except, const CString* rename);
    void UpdateButtons();
    void ShowFonts();
    void ChangeFont(LOGFONT& font);

    CPageLayout m_layout;
    CPrintFonts m_fonts;
    CLayoutSet m_set;
    QListWidget* m_pList;
    CSheetPreview* m_pPreview;
    QLabel* m_pSheetSize;
    QPushButton* m_pNew;
    QPushButton* m_pDelete;
    QPushButton* m_pEdit;
    QPushButton* m_pCopy;
    QPushButton* m_pOk;
    QLineEdit* m_pFontJa;
    QLineEdit* m_pFontEn;
};

// "%s %d ﾎﾟｲﾝﾄ": the face name and the size in whole points of a font whose
// height is in pixels at dpi pixels per inch.
QString FontDescription(const LOGFONT& font, int dpi);
