// Reaching the main window from anywhere: the hotkey that shows and hides it, the icon in the notification area
// with its menu, minimising into the notification area, and the window brought to the front on request.
#include <windows.h>

#include "app/Unit1.h"
#include "app/rules/HotKeyText.h"
#include "settings/Schema.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

static_assert(app::kHotKeyAlt == MOD_ALT && app::kHotKeyCtrl == MOD_CONTROL && app::kHotKeyShift == MOD_SHIFT &&
                  app::kHotKeyWin == MOD_WIN,
              "the hotkey's modifier bits are the system's");

void TForm1::ApplyHotKeyAndTrayIcon() {
    hotKey_.Unregister();
    const app::HotKey hotKey = app::ParseHotKey(settings::ReadHotKey(Settings()));
    if (hotKey.key != 0) {
        hotKey_.OnPress = [this] { HotKeyPress(); };
        if (!hotKey_.Register(hotKey.modifiers, hotKey.key))
            ui::ShowMessage("ホットキー " + app::FormatHotKey(hotKey) +
                            " はほかのプログラムが使っているため登録できません。");
    }

    // The shell is loaded only for the icon: without it start-up does without.
    if (!settings::ReadTaskTray(Settings())) {
        trayIcon_.reset();
    } else if (!trayIcon_) {
        trayIcon_ = std::make_unique<ui::NotifyIcon>(L"MAINICON", ui::App().Title());
        trayIcon_->OnClick = [this] { SummonWindow(); };
        trayIcon_->OnContextMenu = [this](int x, int y) { ShowTrayMenu(x, y); };
    }
}

void TForm1::SummonWindow() {
    // While a dialog is open, the dialog is what the user can reach.
    if (ui::Form* dialog = ui::Form::InnermostModal()) {
        SetForegroundWindow(dialog->Handle());
        return;
    }
    if (!IsWindowEnabled(Handle())) {  // a message box of the program
        SetForegroundWindow(GetLastActivePopup(Handle()));
        return;
    }
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    else if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetActiveControl(ListBox1);
}

void TForm1::HotKeyPress() {
    const bool inFront = GetForegroundWindow() == Handle() && IsWindowVisible(Handle()) && !IsIconic(Handle());
    if (!inFront) {
        SummonWindow();
    } else if (trayIcon_) {
        Hide();
    } else {
        ui::App().Minimize();
    }
}

void TForm1::FormMinimize(ui::Component*) {
    // Minimised into the notification area: no button on the task bar.
    if (trayIcon_) Hide();
}

void TForm1::ShowTrayMenu(int x, int y) { PopupMenu2->Popup(x, y, trayIcon_->Handle(), true); }

void TForm1::Show1Click(ui::Component*) { SummonWindow(); }
