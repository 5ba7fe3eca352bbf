// A key combination registered with the system for the whole desktop: pressing it, whichever program has the
// keyboard, runs OnPress in this program. Unregistered when the object goes.
#pragma once

#include <functional>
#include <memory>

#include "ui/MessageWindow.h"

namespace ui {

class HotKey {
public:
    HotKey() = default;
    ~HotKey();
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    // Registers the virtual key with the modifiers (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN) in place of the
    // combination registered before; a key held down does not repeat it. False when the system refuses it (another
    // program holds it): then none is registered.
    bool Register(unsigned modifiers, unsigned key);
    void Unregister();

    std::function<void()> OnPress;

private:
    std::unique_ptr<MessageWindow> window_;
    bool registered_ = false;
};

}  // namespace ui
