#include "ui/Dpi.h"

namespace ui {

namespace {

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

// A function of user32 that older systems do not have, or null.
template <typename Fn>
Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int SystemDpi() {
    static const int dpi = [] {
        if (auto fn = User32Function<GetDpiForSystemFn>("GetDpiForSystem")) {
            if (const UINT d = fn()) return static_cast<int>(d);
        }
        HDC screen = GetDC(nullptr);
        const int d = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return d > 0 ? d : kDesignDpi;
    }();
    return dpi;
}

int WindowDpi(HWND hwnd) {
    static const auto fn = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (fn && hwnd) {
        if (const UINT d = fn(hwnd)) return static_cast<int>(d);
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    if (dpi == SystemDpi()) return GetSystemMetrics(index);
    static const auto fn = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (fn) return fn(index, static_cast<UINT>(dpi));
    return Rescale(GetSystemMetrics(index), SystemDpi(), dpi);
}

}  // namespace ui
