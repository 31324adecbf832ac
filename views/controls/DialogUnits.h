#pragma once
// Dialog units of a font: a quarter of the average character width across and
// an eighth of the character height down, so that a design given in dialog
// units keeps its proportions with any font.

#include <QFont>
#include <QRect>
#include <QSize>

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    int BaseX() const { return m_nBaseX; }
    int BaseY() const { return m_nBaseY; }
    int X(int dlu) const;
    int Y(int dlu) const;
    // Each edge is converted on its own, as the platform maps a dialog
    // rectangle, so neighbouring controls meet without rounding gaps.
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }

private:
    int m_nBaseX;
    int m_nBaseY;
};
