#pragma once
// A rectangle on the printed page in millimetres from the paper's top-left
// corner, unrounded.

struct RectMm {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    friend bool operator==(const RectMm&, const RectMm&) = default;
};
