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
        char cls[16] = {};
        GetClassNameA(box, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) {
            const BoxSetup* setup = tPending;
            tPending = nullptr;
            if (HWND ok = GetDlgItem(box, IDOK)) SetWindowTextA(ok, setup->okText);
            if (HWND yes = GetDlgItem(box, IDYES)) SetWindowTextA(yes, "はい(&Y)");
            if (HWND no = GetDlgItem(box, IDNO)) SetWindowTextA(no, "いいえ(&N)");
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

// The box in the exact form of its text: a path in it may hold names the code page cannot.
int ShowBox(const std::wstring& text, const std::string& caption, UINT type, const BoxSetup& setup) {
    HHOOK previous = tHook;
    const BoxSetup* previousPending = tPending;
    tPending = &setup;
    tHook = SetWindowsHookExA(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    int r = MessageBoxW(BoxOwner(), text.c_str(), FromCodePage(caption).c_str(), type | MB_SETFOREGROUND);
    if (tHook) UnhookWindowsHookEx(tHook);
    tHook = previous;
    tPending = previousPending;
    return r;
}

}  // namespace

void ShowMessage(const std::string& text) { ShowBox(FromCodePage(text), App().Title(), MB_OK, BoxSetup{}); }

bool ConfirmWarning(const std::string& text) { return ConfirmWarning(FromCodePage(text)); }

bool ConfirmWarning(const std::wstring& text) {
    return ShowBox(text, "警告", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON1, BoxSetup{"OK", true}) == IDYES;
}

void ShowErrorAbort(const std::string& text) {
    ShowBox(FromCodePage(text), "エラー", MB_OK | MB_ICONERROR, BoxSetup{"中止(&A)", false});
}

bool AskYesNo(const std::string& text) {
    return ShowBox(FromCodePage(text), App().Title(), MB_YESNO | MB_DEFBUTTON1, BoxSetup{"OK", true}) == IDYES;
}

}  // namespace ui
