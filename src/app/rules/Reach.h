// Whether the main window can be taken hold of on the screen, and where to put it when it cannot: bounds saved on
// a monitor that is gone, at a resolution since lowered, or edited by hand.
#pragma once

#include <vector>

#include "app/rules/Layout.h"

namespace app {

// How much of the grip must lie on one work area for a user to take hold of it and drag the window back.
constexpr int kMinGripWidth = 32;
constexpr int kMinGripHeight = 8;

// The part of a window that drags it: the caption strip of a framed window, the whole client area of a
// caption-less one (which is dragged by its body). framed is the window's bounds with caption and frame.
WindowBounds GripOf(const WindowBounds& framed, bool captionless, const FrameMetrics& metrics);

// True when enough of grip (kMinGripWidth by kMinGripHeight, or all of it when it is smaller) lies on one of the
// work areas.
bool IsWithinReach(const WindowBounds& grip, const std::vector<WindowBounds>& workAreas);

// The bounds moved into work: the size kept where it fits, otherwise cut to the work area's.
WindowBounds MoveIntoWorkArea(const WindowBounds& bounds, const WindowBounds& work);

}  // namespace app
