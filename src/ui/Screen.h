// The screen as the window system lays it out: the monitors' work areas (the desktop without the task bar), and
// the place a window has when it is not minimised.
#pragma once

#include <windows.h>

#include <vector>

namespace ui {

// Outer bounds on the screen, in pixels.
struct ScreenBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The work area of every monitor.
std::vector<ScreenBounds> WorkAreas();

// The work area of the monitor nearest to bounds (the one it overlaps most, else the closest).
ScreenBounds NearestWorkArea(const ScreenBounds& bounds);

// The outer bounds hwnd has when it is shown normally: while it is minimised, the bounds it gets back when it is
// restored, in the same screen coordinates as GetWindowRect.
ScreenBounds RestoredBounds(HWND hwnd);

}  // namespace ui
