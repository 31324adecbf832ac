#pragma once
// A page layout: a label sheet's paper, orientation and page margins, its cells
// across and down and the margins inside each cell. Stored as a "KVL" layout
// file in the folder "LAYOUTS"; the layout in use is kept in the settings
// section "PageLayout".
//
// PageWidth and PageHeight describe the paper upright; the orientation decides
// which of them runs across the printed page. Margins, columns and rows describe
// the page as printed. Cells are numbered down the first column, then down the
// next: cell i lies in column i / Rows and row i % Rows.

#include "layouts/Layout.h"
#include "platform/Types.h"
#include "print/Length.h"
#include "print/RectMm.h"

#include <optional>

// The value of a layout at fault; the page's width and height as printed.
enum class LayoutField {
    Orientation,
    PrintWidth,
    PrintHeight,
    PageMarginTop,
    PageMarginBottom,
    PageMarginLeft,
    PageMarginRight,
    Columns,
    Rows,
    CellMarginTop,
    CellMarginBottom,
    CellMarginLeft,
    CellMarginRight,
};

struct LayoutFault {
    enum Kind {
        OutOfRange,  // the field's own range
        NoPage,      // the page margins (left and right, or top and bottom) fill the page
        NoRoomInCell // the cell margins fill the cell
    };
    LayoutField field;
    Kind kind;
    friend bool operator==(const LayoutFault&, const LayoutFault&) = default;
};

class CPageLayout : public CLayout {
public:
    static constexpr int kMaxColumnsRows = 100; // columns and rows each lie in 1 to 100
    static constexpr Length kMaxLength = Length::fromMm(2000.0f); // either way

    void CopyFrom(const CPageLayout& other);

    DWORD GetVersion() const override { return 1; }
    const char* GetExtension() const override { return "KVL"; }
    const char* GetFolderName() const override { return "LAYOUTS"; }

    // Columns and rows 1 to 100, orientation 0 or 1 and every length finite and
    // within 2000 mm either way: what a layout file or the settings must hold.
    BOOL IsInRange() const;
    // The first fault that keeps the layout from being drawn or printed: a
    // value out of range, a paper side of 0 or less or over 2000 mm, a margin
    // below 0 or over 2000 mm, page margins that leave no page, cell margins
    // that leave no room in a cell. None for a usable layout.
    std::optional<LayoutFault> Check() const;
    BOOL IsValid() const { return !Check(); }
    // A valid layout has a text rectangle of some width and height in every cell.
    BOOL HasRoomForText() const;

    // The printed page.
    Length GetPrintWidth() const;
    Length GetPrintHeight() const;
    void SetPrintWidth(Length width);
    void SetPrintHeight(Length height);
    Length GetUsableWidth() const;
    Length GetUsableHeight() const;
    // 0 when there are no columns (rows).
    Length GetCellWidth() const;
    Length GetCellHeight() const;
    // 0 when there are no columns or rows.
    int GetCellCount() const;

    // A cell's outer rectangle and its rectangle less the cell margins, in whole
    // millimetres truncated toward zero, as the layout editor's preview draws
    // them.
    CRect GetCellRect(int cell) const;
    CRect GetCellTextRect(int cell) const;
    // The same rectangles unrounded, for printing. Empty without columns or rows.
    RectMm GetCellRectF(int cell) const;
    RectMm GetCellTextRectF(int cell) const;

    // Reads the settings section "PageLayout" (lengths in hundredths of a
    // millimetre, signed); when any value is out of range the whole layout takes
    // its defaults.
    void LoadFromProfile();
    BOOL SaveToProfile() const;

    LONG m_nOrientation = 0; // 0 portrait, 1 landscape
    Length m_lenPageWidth = Length::fromMm(215.9f);
    Length m_lenPageHeight = Length::fromMm(279.4f);
    Length m_lenPageMarginTop = Length::fromMm(12.7f);
    Length m_lenPageMarginBottom = Length::fromMm(12.7f);
    Length m_lenPageMarginLeft = Length::fromMm(12.7f);
    Length m_lenPageMarginRight = Length::fromMm(12.7f);
    LONG m_nColumns = 1;
    LONG m_nRows = 1;
    Length m_lenCellMarginTop;
    Length m_lenCellMarginBottom;
    Length m_lenCellMarginLeft;
    Length m_lenCellMarginRight;

protected:
    // Values out of range are the error printmsg::BadPageLayoutFile words.
    std::optional<CFileError> ReadBody(CFile* file) override;
    void WriteBody(CFile* file) const override;

private:
    void CopyBody(const CPageLayout& other);
    // Rectangle of cell with the insets taken off its sides.
    RectMm CellRect(int cell, Length insetLeft, Length insetTop, Length insetRight,
                    Length insetBottom) const;
};
