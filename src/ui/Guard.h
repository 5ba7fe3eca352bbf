// The exception boundary of every window procedure: nothing thrown by an event handler crosses into the system;
// it is shown by the application's default error display and the program goes on.
#pragma once

#include <exception>

namespace ui {

// Shows an exception that reached a window procedure or the message loop (plain box under the application title).
void ShowUnhandledException(const std::exception* e) noexcept;

template <typename F>
void GuardedCall(F&& f) noexcept {
    try {
        f();
    } catch (const std::exception& e) {
        ShowUnhandledException(&e);
    } catch (...) {
        ShowUnhandledException(nullptr);
    }
}

}  // namespace ui
