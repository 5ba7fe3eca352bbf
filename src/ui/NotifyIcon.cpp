#include "ui/NotifyIcon.h"

#include <shellapi.h>

#include "ui/CodePage.h"

namespace ui {

namespace {

const UINT kIconId = 1;

// The structure as every system since Windows 2000 takes it.
NOTIFYICONDATAW IconData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = kIconId;
    return data;
}

}  // namespace

NotifyIcon::NotifyIcon(const wchar_t* iconName, const std::string& tip)
    : tip_(ToWide(tip)), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    window_ = std::make_unique<MessageWindow>(L"TNotifyIcon", L"", [this](UINT msg, WPARAM, LPARAM lp, LRESULT&) {
        return HandleMessage(msg, lp);
    });
    HINSTANCE inst = GetModuleHandleW(nullptr);
    icon_.reset(static_cast<HICON>(LoadImageW(inst, iconName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0)));
    Add();
}

NotifyIcon::~NotifyIcon() {
    NOTIFYICONDATAW data = IconData(window_->Handle());
    Shell_NotifyIconW(NIM_DELETE, &data);
}

bool NotifyIcon::Add() {
    NOTIFYICONDATAW data = IconData(window_->Handle());
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_.get();
    lstrcpynW(data.szTip, tip_.c_str(), static_cast<int>(sizeof data.szTip / sizeof data.szTip[0]));
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool NotifyIcon::HandleMessage(UINT msg, LPARAM lp) {
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        Add();
        return true;
    }
    if (msg != kCallbackMessage) return false;
    if (lp == WM_LBUTTONUP && OnClick) {
        OnClick();
    } else if (lp == WM_RBUTTONUP && OnContextMenu) {
        POINT at{};
        GetCursorPos(&at);
        OnContextMenu(at.x, at.y);
    }
    return true;
}

}  // namespace ui
