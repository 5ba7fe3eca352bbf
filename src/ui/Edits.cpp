#include "ui/Edits.h"

#include <commctrl.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace ui {

Edit::Edit(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height)
    : Control(owner, parent, name) {
    CreateHandle(L"Edit", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, left, top, width, height);
}

void Edit::SelectAll() { SendMessageW(hwnd_, EM_SETSEL, 0, -1); }

void Edit::Type(wchar_t character) { SendMessageW(hwnd_, WM_CHAR, character, 1); }

void Edit::Notify(WORD code) {
    if (code != EN_CHANGE) return;
    if (composing_) changedWhileComposing_ = true;
    else if (OnChange) OnChange(this);
}

bool Edit::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_IME_STARTCOMPOSITION) {
        composing_ = true;
        changedWhileComposing_ = false;
    } else if (msg == WM_IME_ENDCOMPOSITION) {
        result = CallOriginal(msg, wp, lp);
        composing_ = false;
        if (changedWhileComposing_) {
            changedWhileComposing_ = false;
            if (OnChange) OnChange(this);
        }
        return true;
    }
    return Control::HandleMessage(msg, wp, lp, result);
}

SpinEdit::SpinEdit(Component* owner, Control* parent, const std::string& name, int left, int top, int width,
                   int height, int minValue, int maxValue, int value)
    : Edit(owner, parent, name, left, top, width, height), min_(minValue), max_(maxValue) {
    updown_ = CreateWindowExW(0, UPDOWN_CLASSW, nullptr,
                              WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                  UDS_NOTHOUSANDS,
                              0, 0, 0, 0, GetParent(hwnd_), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (updown_) {
        SendMessageW(updown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
        SendMessageW(updown_, UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    }
    SetValue(value);
}

SpinEdit::~SpinEdit() {
    if (updown_) DestroyWindow(updown_);
}

int SpinEdit::Clamp(long long v) const {
    if (v < min_) return min_;
    if (v > max_) return max_;
    return static_cast<int>(v);
}

int SpinEdit::Value() const {
    std::string t = Text();
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (t.empty() || end == t.c_str() || *end != '\0' || errno == ERANGE) return min_;
    return Clamp(v);
}

void SpinEdit::SetValue(int v) {
    int c = Clamp(v);
    SetText(std::to_string(c));
    if (updown_) SendMessageW(updown_, UDM_SETPOS32, 0, c);
}

void SpinEdit::Notify(WORD code) {
    if (code == EN_KILLFOCUS) {
        const int v = Value();
        if (Text() != std::to_string(v)) SetValue(v);
    }
    Edit::Notify(code);
}

void SpinEdit::DpiChanged() {
    Edit::DpiChanged();
    // The arrows take their place at the box's right edge again, and the box gives up their width.
    if (updown_) SendMessageW(updown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
}

void SpinEdit::SetVisible(bool v) {
    Edit::SetVisible(v);
    if (updown_) ShowWindow(updown_, v ? SW_SHOWNA : SW_HIDE);
}

HotKeyEdit::HotKeyEdit(Component* owner, Control* parent, const std::string& name, int left, int top, int width,
                       int height)
    : Control(owner, parent, name) {
    CreateHandle(HOTKEY_CLASSW, WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, left, top, width, height);
}

unsigned HotKeyEdit::Value() const { return LOWORD(SendMessageW(hwnd_, HKM_GETHOTKEY, 0, 0)); }

void HotKeyEdit::SetValue(unsigned value) { SendMessageW(hwnd_, HKM_SETHOTKEY, value & 0xFFFF, 0); }

}  // namespace ui
