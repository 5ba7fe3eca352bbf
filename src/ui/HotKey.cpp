#include "ui/HotKey.h"

#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

namespace ui {

namespace {
const int kHotKeyId = 1;
}  // namespace

HotKey::~HotKey() { Unregister(); }

bool HotKey::Register(unsigned modifiers, unsigned key) {
    Unregister();
    if (!window_) {
        window_ = std::make_unique<MessageWindow>(L"THotKey", L"", [this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
            if (msg != WM_HOTKEY || wp != kHotKeyId) return false;
            if (OnPress) OnPress();
            return true;
        });
    }
    registered_ = RegisterHotKey(window_->Handle(), kHotKeyId, modifiers | MOD_NOREPEAT, key) != FALSE;
    // Systems before Windows 7 know no MOD_NOREPEAT and refuse it as a parameter.
    if (!registered_ && GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED)
        registered_ = RegisterHotKey(window_->Handle(), kHotKeyId, modifiers, key) != FALSE;
    return registered_;
}

void HotKey::Unregister() {
    if (registered_) UnregisterHotKey(window_->Handle(), kHotKeyId);
    registered_ = false;
}

}  // namespace ui
