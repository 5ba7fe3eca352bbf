// The program's icon in the notification area while the object lives, with its tip. A click on it and the request
// for its menu come as events; the icon is added again when the task bar comes back (Explorer restarted), and
// removed when the object goes.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/Handles.h"
#include "ui/MessageWindow.h"

namespace ui {

class NotifyIcon {
public:
    // The window that takes the icon's mouse messages has the class "TNotifyIcon"; they come as this message, with
    // the mouse message (WM_LBUTTONUP, WM_RBUTTONUP) as its lParam.
    static constexpr UINT kCallbackMessage = WM_APP + 0x100;

    // Adds the icon resource iconName at the small icon size, with tip as its tip.
    NotifyIcon(const wchar_t* iconName, const std::string& tip);
    ~NotifyIcon();
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    // The window a menu of the icon belongs to.
    HWND Handle() const { return window_->Handle(); }

    // A click with the left button.
    std::function<void()> OnClick;
    // A click with the right button, at the cursor's screen point.
    std::function<void(int x, int y)> OnContextMenu;

private:
    bool Add();
    bool HandleMessage(UINT msg, LPARAM lp);

    std::unique_ptr<MessageWindow> window_;
    IconHandle icon_;
    std::wstring tip_;
    UINT taskbarCreated_ = 0;
};

}  // namespace ui
