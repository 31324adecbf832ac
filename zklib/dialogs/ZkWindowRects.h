#pragma once
// Rectangles measured once at construction: a window's client area, a window in
// screen coordinates, the primary screen.

#include "zklib/ZkRect.h"

class ZKLIB_API CZkClientRect : public CZkRect {
public:
    explicit CZkClientRect(QWidget* window) : CZkRect(client, window) {}
};

class ZKLIB_API CZkWindowRect : public CZkRect {
public:
    explicit CZkWindowRect(QWidget* window) : CZkRect(CZkRect::window, window) {}
};

class ZKLIB_API CZkDesktopRect : public CZkRect {
public:
    CZkDesktopRect() : CZkRect(desktop, nullptr) {}
};
