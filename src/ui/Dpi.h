// The DPI the program's windows are shown at: the system's, and each window's own where the system lets a window
// follow the scale of the monitor it is on. The functions that tell a window's DPI came with later versions of
// Windows; they are looked up when first needed, so that the program still starts where they are missing.
#pragma once

#include <windows.h>

#include "ui/rules/DpiScale.h"

namespace ui {

// The DPI of the system (of the primary monitor when the user signed in).
int SystemDpi();

// The DPI the window is shown at: its monitor's on a system that scales per monitor, else the system's.
int WindowDpi(HWND hwnd);

// A system metric (SM_CYCAPTION, SM_CXSMICON, ...) at a DPI; where the system cannot say it for another DPI than
// its own, its own value scaled.
int SystemMetricForDpi(int index, int dpi);

}  // namespace ui
