#include "print/PageLayout.h"

#include "layouts/LayoutIo.h"
#include "print/PrintMessages.h"

#include <cmath>
#include <limits>

namespace {

// Toward zero, kept within what an integer holds (NaN gives 0).
LONG TruncateMm(double mm) {
    if (std::isnan(mm))
        return 0;
    if (mm >= std::numeric_limits<LONG>::max())
        return std::numeric_limits<LONG>::max();
    if (mm <= std::numeric_limits<LONG>::min())
        return std::numeric_limits<LONG>::min();
    return static_cast<LONG>(mm);
}

CRect Truncated(const RectMm& r) {
    return CRect(TruncateMm(r.left), TruncateMm(r.top), TruncateMm(r.right), TruncateMm(r.bottom));
}

} // namespace

void CPageLayout::CopyBody(const CPageLayout& other) {
    m_nOrientation = other.m_nOrientation;
    m_lenPageWidth = other.m_lenPageWidth;
    m_lenPageHeight = other.m_lenPageHeight;
    m_lenPageMarginTop = other.m_lenPageMarginTop;
    m_lenPageMarginBottom = other.m_lenPageMarginBottom;
    m_lenPageMarginLeft = other.m_lenPageMarginLeft;
    m_lenPageMarginRight = other.m_lenPageMarginRight;
    m_nColumns = other.m_nColumns;
    m_nRows = other.m_nRows;
    m_lenCellMarginTop = other.m_lenCellMarginTop;
    m_lenCellMarginBottom = other.m_lenCellMarginBottom;
    m_lenCellMarginLeft = other.m_lenCellMarginLeft;
    m_lenCellMarginRight = other.m_lenCellMarginRight;
}

void CPageLayout::CopyFrom(const CPageLayout& other) {
    CLayout::CopyFrom(other);
    CopyBody(other);
}

BOOL CPageLayout::IsInRange() const {
    if (m_nOrientation != 0 && m_nOrientation != 1)
        return FALSE;
    if (m_nColumns < 1 || m_nColumns > kMaxColumnsRows || m_nRows < 1 || m_nRows > kMaxColumnsRows)
        return FALSE;
    const Length lengths[] = {m_lenPageWidth,        m_lenPageHeight,       m_lenPageMarginTop,
                              m_lenPageMarginBottom, m_lenPageMarginLeft,   m_lenPageMarginRight,
                              m_lenCellMarginTop,    m_lenCellMarginBottom, m_lenCellMarginLeft,
                              m_lenCellMarginRight};
    for (const Length& length : lengths)
        if (!length.isWithin(kMaxLength))
            return FALSE;
    return TRUE;
}

std::optional<LayoutFault> CPageLayout::Check() const {
    using enum LayoutField;
    if (m_nOrientation != 0 && m_nOrientation != 1)
        return LayoutFault{Orientation, LayoutFault::OutOfRange};
    const std::pair<Length, LayoutField> sides[] = {{GetPrintWidth(), PrintWidth},
                                                    {GetPrintHeight(), PrintHeight}};
    for (const auto& [side, field] : sides)
        if (!side.isWithin(kMaxLength) || side <= Length())
            return LayoutFault{field, LayoutFault::OutOfRange};
    const std::pair<Length, LayoutField> margins[] = {
        {m_lenPageMarginTop, PageMarginTop},   {m_lenPageMarginBottom, PageMarginBottom},
        {m_lenPageMarginLeft, PageMarginLeft}, {m_lenPageMarginRight, PageMarginRight},
        {m_lenCellMarginTop, CellMarginTop},   {m_lenCellMarginBottom, CellMarginBottom},
        {m_lenCellMarginLeft, CellMarginLeft}, {m_lenCellMarginRight, CellMarginRight}};
    for (const auto& [margin, field] : margins)
        if (!margin.isWithin(kMaxLength) || margin < Length())
            return LayoutFault{field, LayoutFault::OutOfRange};
    if (m_nColumns < 1 || m_nColumns > kMaxColumnsRows)
        return LayoutFault{Columns, LayoutFault::OutOfRange};
    if (m_nRows < 1 || m_nRows > kMaxColumnsRows)
        return LayoutFault{Rows, LayoutFault::OutOfRange};
    if (GetUsableWidth() <= Length())
        return LayoutFault{PageMarginLeft, LayoutFault::NoPage};
    if (GetUsableHeight() <= Length())
        return LayoutFault{PageMarginTop, LayoutFault::NoPage};
    const RectMm text = GetCellTextRectF(0);
    if (!(text.width() > 0))
        return LayoutFault{CellMarginLeft, LayoutFault::NoRoomInCell};
    if (!(text.height() > 0))
        return LayoutFault{CellMarginTop, LayoutFault::NoRoomInCell};
    return std::nullopt;
}

BOOL CPageLayout::HasRoomForText() const {
    return IsValid();
}

Length CPageLayout::GetPrintWidth() const {
    return m_nOrientation == 1 ? m_lenPageHeight : m_lenPageWidth;
}

Length CPageLayout::GetPrintHeight() const {
    return m_nOrientation == 1 ? m_lenPageWidth : m_lenPageHeight;
}

void CPageLayout::SetPrintWidth(Length width) {
    (m_nOrientation == 1 ? m_lenPageHeight : m_lenPageWidth) = width;
}

void CPageLayout::SetPrintHeight(Length height) {
    (m_nOrientation == 1 ? m_lenPageWidth : m_lenPageHeight) = height;
}

Length CPageLayout::GetUsableWidth() const {
    return GetPrintWidth() - m_lenPageMarginLeft - m_lenPageMarginRight;
}

Length CPageLayout::GetUsableHeight() const {
    return GetPrintHeight() - m_lenPageMarginTop - m_lenPageMarginBottom;
}

Length CPageLayout::GetCellWidth() const {
    return m_nColumns > 0 ? GetUsableWidth() / static_cast<float>(m_nColumns) : Length();
}

Length CPageLayout::GetCellHeight() const {
    return m_nRows > 0 ? GetUsableHeight() / static_cast<float>(m_nRows) : Length();
}

int CPageLayout::GetCellCount() const {
    if (m_nColumns < 1 || m_nRows < 1)
        return 0;
    const long long count = static_cast<long long>(m_nColumns) * m_nRows;
    return count > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                   : static_cast<int>(count);
}

RectMm CPageLayout::CellRect(int cell, Length insetLeft, Length insetTop, Length insetRight,
                             Length insetBottom) const {
    if (m_nColumns < 1 || m_nRows < 1)
        return RectMm{};
    const int column = cell / m_nRows;
    const int row = cell % m_nRows;
    // The cell width in single precision, the cell height unrounded.
    const double w = GetCellWidth().mm();
    const double h = static_cast<double>(GetUsableHeight().mm()) / m_nRows;
    const double left = m_lenPageMarginLeft.mm();
    const double top = m_lenPageMarginTop.mm();
    return RectMm{column * w + insetLeft.mm() + left, row * h + insetTop.mm() + top,
                  left + (column + 1) * w - insetRight.mm(),
                  top + (row + 1) * h - insetBottom.mm()};
}

RectMm CPageLayout::GetCellRectF(int cell) const {
    return CellRect(cell, Length(), Length(), Length(), Length());
}

RectMm CPageLayout::GetCellTextRectF(int cell) const {
    return CellRect(cell, m_lenCellMarginLeft, m_lenCellMarginTop, m_lenCellMarginRight,
                    m_lenCellMarginBottom);
}

CRect CPageLayout::GetCellRect(int cell) const {
    return Truncated(GetCellRectF(cell));
}

CRect CPageLayout::GetCellTextRect(int cell) const {
    return Truncated(GetCellTextRectF(cell));
}

std::optional<CFileError> CPageLayout::ReadBody(CFile* file) {
    using namespace layoutio;
    CPageLayout read;
    read.m_nOrientation = ReadLong(file);
    read.m_lenPageWidth = Length::fromMm(ReadFloat(file));
    read.m_lenPageHeight = Length::fromMm(ReadFloat(file));
    read.m_lenPageMarginTop = Length::fromMm(ReadFloat(file));
    read.m_lenPageMarginBottom = Length::fromMm(ReadFloat(file));
    read.m_lenPageMarginLeft = Length::fromMm(ReadFloat(file));
    read.m_lenPageMarginRight = Length::fromMm(ReadFloat(file));
    read.m_nColumns = ReadLong(file);
    read.m_nRows = ReadLong(file);
    read.m_lenCellMarginTop = Length::fromMm(ReadFloat(file));
    read.m_lenCellMarginBottom = Length::fromMm(ReadFloat(file));
    read.m_lenCellMarginLeft = Length::fromMm(ReadFloat(file));
    read.m_lenCellMarginRight = Length::fromMm(ReadFloat(file));
    if (!read.IsInRange())
        return CFileError::FromText(printmsg::BadPageLayoutFile, file->GetFilePath(), MB_ICONSTOP);
    CopyBody(read);
    return std::nullopt;
}

void CPageLayout::WriteBody(CFile* file) const {
    using namespace layoutio;
    WriteLong(file, m_nOrientation);
    WriteFloat(file, m_lenPageWidth.mm());
    WriteFloat(file, m_lenPageHeight.mm());
    WriteFloat(file, m_lenPageMarginTop.mm());
    WriteFloat(file, m_lenPageMarginBottom.mm());
    WriteFloat(file, m_lenPageMarginLeft.mm());
    WriteFloat(file, m_lenPageMarginRight.mm());
    WriteLong(file, m_nColumns);
    WriteLong(file, m_nRows);
    WriteFloat(file, m_lenCellMarginTop.mm());
    WriteFloat(file, m_lenCellMarginBottom.mm());
    WriteFloat(file, m_lenCellMarginLeft.mm());
    WriteFloat(file, m_lenCellMarginRight.mm());
}
