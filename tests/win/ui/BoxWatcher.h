// Answers the next message box of a thread from a second thread, as a user would: waits for it (with a deadline),
// records its caption, text, icon and buttons, and presses the button with the given caption.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

struct SeenBox {
    bool found = false;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
    bool hasIcon = false;
    HWND owner = nullptr;        // the window the box belongs to
    bool ownerEnabled = false;   // whether that window took input while the box was open
};

class BoxWatcher {
public:
    // press: caption of the button to press ("" presses Escape instead); wait: how long a box may take to come.
    BoxWatcher(DWORD threadId, std::string press, std::chrono::milliseconds wait = std::chrono::seconds(10))
        : threadId_(threadId), press_(std::move(press)), wait_(wait) {
        worker_ = std::thread([this] { Run(); });
    }
    ~BoxWatcher() { Join(); }
    const SeenBox& Result() {
        Join();
        return seen_;
    }

private:
    void Join() {
        if (worker_.joinable()) worker_.join();
    }

    static std::string TextOf(HWND h) {
        wchar_t w[1024] = {};
        GetWindowTextW(h, w, 1024);
        char utf8[4096] = {};
        WideCharToMultiByte(CP_UTF8, 0, w, -1, utf8, sizeof utf8, nullptr, nullptr);
        return utf8;
    }

    static BOOL CALLBACK FindBox(HWND h, LPARAM lp) {
        char cls[32] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(h)) {
            *reinterpret_cast<HWND*>(lp) = h;
            return FALSE;
        }
        return TRUE;
    }

    void Run() {
        auto deadline = std::chrono::steady_clock::now() + wait_;
        HWND box = nullptr;
        while (!box && std::chrono::steady_clock::now() < deadline) {
            EnumThreadWindows(threadId_, FindBox, reinterpret_cast<LPARAM>(&box));
            if (!box) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!box) return;
        seen_.found = true;
        seen_.caption = TextOf(box);
        seen_.owner = GetWindow(box, GW_OWNER);
        seen_.ownerEnabled = seen_.owner && IsWindowEnabled(seen_.owner);
        HWND target = nullptr;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char cls[32] = {};
            GetClassNameA(c, cls, sizeof cls);
            if (lstrcmpiA(cls, "Button") == 0 && IsWindowVisible(c)) {
                std::string t = TextOf(c);
                seen_.buttons.push_back(t);
                if (t == press_) target = c;
            } else if (lstrcmpiA(cls, "Static") == 0) {
                if (GetDlgCtrlID(c) == 0xFFFF) seen_.text = TextOf(c);
                else if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c) &&
                         SendMessageA(c, STM_GETICON, 0, 0) != 0)
                    seen_.hasIcon = true;
            }
        }
        if (target) PostMessageA(target, BM_CLICK, 0, 0);
        else PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    }

    DWORD threadId_;
    std::string press_;
    std::chrono::milliseconds wait_;
    SeenBox seen_;
    std::thread worker_;
};
