#include "ui/Dialogs.h"

#include <windows.h>
#include <commctrl.h>

#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Form.h"

namespace ui {

namespace {

struct BoxSetup {
    const char* okText = "OK";
    bool escapeIsNo = false;
};

thread_local const BoxSetup* tPending = nullptr;
thread_local HHOOK tHook = nullptr;

LRESULT CALLBACK EscapeAnswersNo(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    // A Yes/No box has no Cancel button, so the system ignores Escape; here it answers No.
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(hwnd, IDNO);
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, EscapeAnswersNo, 0);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK BoxHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && tPending) {
        HWND box = reinterpret_cast<HWND>(wp);
        wchar_t cls[16] = {};
        GetClassNameW(box, cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0) {
            const BoxSetup* setup = tPending;
            tPending = nullptr;
            if (HWND ok = GetDlgItem(box, IDOK)) SetWindowTextW(ok, ToWide(setup->okText).c_str());
            if (HWND yes = GetDlgItem(box, IDYES)) SetWindowTextW(yes, ToWide("はい(&Y)").c_str());
            if (HWND no = GetDlgItem(box, IDNO)) SetWindowTextW(no, ToWide("いいえ(&N)").c_str());
            if (setup->escapeIsNo) SetWindowSubclass(box, EscapeAnswersNo, 0, 0);
        }
    }
    return CallNextHookEx(tHook, code, wp, lp);
}

// The window a box belongs to: the active window of the program. In the background the program has no active
// window; then it is the innermost modal form, the one window a user can still reach, never a window that form
// has disabled (which would leave the form clickable under the box); else the main form.
HWND BoxOwner() {
    HWND active = GetActiveWindow();
    if (active && IsWindowEnabled(active)) return active;
    if (Form* modal = Form::InnermostModal(); modal && IsWindowVisible(modal->Handle())) return modal->Handle();
    if (Form* main = App().MainForm()) return main->Handle();
    return App().Handle();
}

int openBoxes = 0;

int ShowBox(const std::string& text, const std::string& caption, UINT type, const BoxSetup& setup) {
    struct OpenBox {
        OpenBox() { ++openBoxes; }
        ~OpenBox() { --openBoxes; }
    } open;
    HHOOK previous = tHook;
    const BoxSetup* previousPending = tPending;
    tPending = &setup;
    tHook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    int r = MessageBoxW(BoxOwner(), ToWide(text).c_str(), ToWide(caption).c_str(), type | MB_SETFOREGROUND);
    if (tHook) UnhookWindowsHookEx(tHook);
    tHook = previous;
    tPending = previousPending;
    return r;
}

}  // namespace

void ShowMessage(const std::string& text) { ShowBox(text, App().Title(), MB_OK, BoxSetup{}); }

bool ConfirmWarning(const std::string& text) {
    return ShowBox(text, "警告", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON1, BoxSetup{"OK", true}) == IDYES;
}

void ShowErrorAbort(const std::string& text) {
    ShowBox(text, "エラー", MB_OK | MB_ICONERROR, BoxSetup{"中止(&A)", false});
}

bool AskYesNo(const std::string& text) {
    return ShowBox(text, App().Title(), MB_YESNO | MB_DEFBUTTON1, BoxSetup{"OK", true}) == IDYES;
}

bool MessageBoxOpen() { return openBoxes > 0; }

}  // namespace ui
