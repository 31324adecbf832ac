#pragma once
// A rectangle that stores itself in the settings as "left,top,right,bottom".

#include "platform/Export.h"
#include "platform/Types.h"

class QWidget;

class ZKLIB_API CZkRect : public CRect {
public:
    // What Set measures: a window's client area, a window in screen coordinates
    // (its restored rectangle when minimised), the primary screen, or the
    // primary screen's work area.
    enum Area : int { client = 0, window = 1, desktop = 2, workArea = 3 };

    CZkRect() = default;
    explicit CZkRect(const RECT* r) : CRect(r ? *r : RECT{}) {}
    CZkRect(const CRect& r) : CRect(r) {}
    CZkRect(POINT topLeft, SIZE size)
        : CRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy) {}
    CZkRect(POINT topLeft, POINT bottomRight)
        : CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y) {}

    // Measuring a window needs Qt: these two live in zklib_widgets.
    CZkRect(Area area, QWidget* window);
    // Other area values leave the rectangle unchanged.
    void Set(Area area, QWidget* window);

    operator SIZE() const { return SIZE{Width(), Height()}; }

    // Reads the four numbers of key; numbers missing at the end keep their
    // values; a missing or empty key gives def.
    void LoadProfile(const char* section, const char* key, const CRect& def);
    BOOL SaveProfile(const char* section, const char* key) const;
};
