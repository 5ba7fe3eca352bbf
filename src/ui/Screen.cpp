#include "ui/Screen.h"

namespace ui {

namespace {

ScreenBounds FromRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<ScreenBounds>*>(lp)->push_back(FromRect(info.rcWork));
    return TRUE;
}

}  // namespace

std::vector<ScreenBounds> WorkAreas() {
    std::vector<ScreenBounds> areas;
    EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

ScreenBounds NearestWorkArea(const ScreenBounds& bounds) {
    const RECT r{bounds.Left, bounds.Top, bounds.Left + bounds.Width, bounds.Top + bounds.Height};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info);
    return FromRect(info.rcWork);
}

ScreenBounds RestoredBounds(HWND hwnd) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!IsIconic(hwnd) || !GetWindowPlacement(hwnd, &placement)) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return FromRect(r);
    }
    // The restored place is given in work-area coordinates: shift it by where the work area lies on its monitor.
    RECT normal = placement.rcNormalPosition;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST), &info))
        OffsetRect(&normal, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    return FromRect(normal);
}

}  // namespace ui
