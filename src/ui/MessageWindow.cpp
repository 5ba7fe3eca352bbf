#include "ui/MessageWindow.h"

#include <stdexcept>
#include <utility>

#include "ui/Guard.h"

namespace ui {

MessageWindow::MessageWindow(const wchar_t* className, const std::wstring& caption, Handler handler)
    : handler_(std::move(handler)) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(inst, className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &MessageWindow::WndProc;
        wc.hInstance = inst;
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, className, caption.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst,
                            nullptr);
    if (!hwnd_) throw std::runtime_error("cannot create a message window");
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageWindow::~MessageWindow() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK MessageWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    bool handled = false;
    if (self && self->handler_) GuardedCall([&] { handled = self->handler_(msg, wp, lp, result); });
    return handled ? result : DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace ui
