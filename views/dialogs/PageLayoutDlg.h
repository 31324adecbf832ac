#pragma once
// The layout editor: one page layout's name, unit of display, orientation,
// paper, page margins, cells across and down and cell margins, with a picture
// of the sheet that follows every change. Lengths show in centimetres or
// inches with three decimals, the cell size with two. Only the values the
// user changed are read back, so that switching units changes no length.
// While editing, a value that cannot be taken is marked and the dialog says
// why; the picture keeps the last usable layout. OK refuses with a message;
// Cancel always closes. The same editor may be opened again after a refused
// name: it shows everything as the user left it.

#include "print/PageLayout.h"
#include "print/PaperDefs.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <optional>

class CSheetPreview;
class CSjisFieldGuard;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CPageLayoutDlg : public QDialog {
    Q_OBJECT
public:
    // Reads PAPERS.DEF; a file that cannot be read is reported and leaves the
    // paper list empty.
    explicit CPageLayoutDlg(const CPageLayout& layout, QWidget* parent = nullptr);

    // The layout as accepted by OK.
    const CPageLayout& Layout() const { return m_layout; }
    // Puts the name into the name field, as after a refused name.
    void SetName(const CString& name);

    void accept() override;

    // The lengths in their order on the dialog.
    enum LengthField {
        kWidth,
        kHeight,
        kPageTop,
        kPageBottom,
        kPageLeft,
        kPageRight,
        kCellTop,
        kCellBottom,
        kCellLeft,
        kCellRight,
        kLengthCount
    };

private:
    void BuildControls();
    // Takes the changed values into the layout; marks what cannot be taken.
    void TakeEdits();
    // Shows every value from the layout in the current unit, but for fields
    // whose text could not be taken.
    void ShowValues();
    // Checks the layout, follows it with the picture, the paper and the cell size.
    void Refresh();
    // A change of the paper, orientation or unit: the edits first, then the change.
    template <class Change> void CommonStep(Change change);
    void Mark(QLineEdit* edit, const QString& why);
    void ShowProblem();
    QLineEdit* FirstMarked() const;
    void ShowIn(QLineEdit* edit, const QString& text);

    CPageLayout m_layout;
    std::vector<PaperSize> m_papers;
    int m_nUnit = 0; // 0 centimetres, 1 inches
    CSjisFieldGuard* m_pGuard;
    QLineEdit* m_pName;
    QRadioButton* m_pCentimetres;
    QRadioButton* m_pInches;
    QRadioButton* m_pPortrait;
    QRadioButton* m_pLandscape;
    QComboBox* m_pPaper;
    std::array<QLineEdit*, kLengthCount> m_lengths{};
    QLineEdit* m_pColumns;
    QLineEdit* m_pRows;
    QLineEdit* m_pCellWidth;
    QLineEdit* m_pCellHeight;
    CSheetPreview* m_pPreview;
    QLabel* m_pProblem;
    // The text each edit was given; a text still the same is not read back.
    QHash<const QLineEdit*, QString> m_shown;
    // Why each marked edit cannot be taken, in the edits' order.
    QHash<const QLineEdit*, QString> m_marked;
    QHash<const QLineEdit*, QString> m_toolTips;
};
