// The main window's bounds as the settings file keeps them: in units of 96 ppi, the unit the window is designed in
// and the one Windows gives a program that does not scale itself (so files written by such a program on a scaled
// display mean the same). The place is measured at the system's DPI, in which a program that does not scale itself
// sees the screen; the size at the DPI of the window.
#pragma once

#include "app/rules/Layout.h"

namespace app {

// The bounds in pixels for bounds read from the file.
WindowBounds PixelBounds(const WindowBounds& stored, int positionDpi, int sizeDpi);

// The bounds to store for bounds in pixels. A value that lies less than one unit of the file from where the
// numbers read put it keeps the number read: the window has not moved, and rounding (or the start-up's trim of an
// odd client width by one pixel, at a scale where a pixel is less than a unit) never changes the file. At 96 ppi a
// unit is a pixel, and every value is stored as it is.
WindowBounds StoredBounds(const WindowBounds& pixels, const WindowBounds& read, int positionDpi, int sizeDpi);

}  // namespace app
