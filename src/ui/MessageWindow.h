// A window of the program that is never shown: it receives what the system sends to a window rather than to a
// control (hotkeys, a notification icon's mouse messages, broadcasts such as the task bar's return), and another
// process can find it by its class and caption.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ui {

class MessageWindow {
public:
    // Runs for every message; returns true when it has handled the message and set result.
    using Handler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;

    // A hidden top-level window of the class className (registered on first use) with the caption. Top-level, not
    // message-only: broadcasts reach only top-level windows.
    MessageWindow(const wchar_t* className, const std::wstring& caption, Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);

    HWND hwnd_ = nullptr;
    Handler handler_;
};

}  // namespace ui
