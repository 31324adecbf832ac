#pragma once
// The page setup dialog: the page layouts of the folder "LAYOUTS", the chosen
// sheet in a small picture, and the two print fonts. On OK the chosen layout,
// read anew from its file, is the dialog's layout, and the fonts as changed are
// its fonts.

#include "layouts/LayoutSet.h"
#include "print/PageLayout.h"
#include "print/PrintFonts.h"

#include <QDialog>

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
    int SelectedEntry() const;
    void OnSelectionChanged();
    void OnDelete();
    void UpdateButtons();
    void ShowFonts();
    void ChangeFont(LOGFONT& font);

    CPageLayout m_layout;
    CPrintFonts m_fonts;
    CLayoutSet m_set;
    QListWidget* m_pList;
    CSheetPreview* m_pPreview;
    QLabel* m_pSheetSize;
    QPushButton* m_pDelete;
    QPushButton* m_pOk;
    QLineEdit* m_pFontJa;
    QLineEdit* m_pFontEn;
};

// "%s %d ﾎﾟｲﾝﾄ": the face name and the size in whole points of a font whose
// height is in pixels at dpi pixels per inch.
QString FontDescription(const LOGFONT& font, int dpi);
