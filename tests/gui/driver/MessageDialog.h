// A message box of the program: a "#32770" dialog of its GUI thread, with its caption, text and buttons.
// (Named MessageDialog because <windows.h> defines MessageBox as a macro.)
#pragma once

#include "driver/Window.h"

#include <string>
#include <vector>

namespace driver {

class MessageDialog {
public:
    explicit MessageDialog(Window window) : window_(window) {}

    const Window& AsWindow() const { return window_; }
    // The caption ("Tessaly", "警告").
    std::string Caption() const;
    // The message text (the static control 0xFFFF), line breaks as the program wrote them.
    std::string Text() const;
    std::wstring ExactText() const;
    // Button captions in the dialog's order ("はい(&Y)", "いいえ(&N)").
    std::vector<std::string> Buttons() const;
    // Clicks the button with exactly this caption and waits until the box has closed; throws DriverError
    // listing the buttons when there is no such button, or when the box stays open.
    void Press(const std::string& caption, Timeout timeout = kDefaultTimeout) const;
    // True while the box is on the screen.
    bool IsOpen() const;

private:
    Window window_;
};

// Visible message boxes of a thread, oldest first.
std::vector<MessageDialog> MessageDialogsOfThread(DWORD threadId);

}  // namespace driver
