// The hotkey as the settings file holds it ("Ctrl+Alt+T": modifiers first, then one key, joined by "+") and as the
// system's hotkey control gives it (a virtual key with its modifier flags), converted both ways.
#pragma once

#include <string>
#include <string_view>

namespace app {

// Modifier bits, with the values the system's hotkey registration gives them.
constexpr unsigned kHotKeyAlt = 0x1;
constexpr unsigned kHotKeyCtrl = 0x2;
constexpr unsigned kHotKeyShift = 0x4;
constexpr unsigned kHotKeyWin = 0x8;

struct HotKey {
    unsigned modifiers = 0;  // kHotKey* bits
    unsigned key = 0;        // virtual-key code; 0: no hotkey
    bool operator==(const HotKey& o) const { return modifiers == o.modifiers && key == o.key; }
    bool operator!=(const HotKey& o) const { return !(*this == o); }
};

// The hotkey a text names. Names ignore letter case and blanks around "+"; each modifier ("Ctrl", "Alt", "Shift",
// "Win") at most once and in any order, then exactly one key: "A"-"Z", "0"-"9", "F1"-"F24", "Num0"-"Num9",
// "Space", "Tab", "Enter", "Esc", "Backspace", "Pause", "Insert", "Delete", "Home", "End", "PageUp", "PageDown",
// "Left", "Up", "Right", "Down", or "VK" and two hex digits for any other key. An empty text, or one that does not
// read so, gives no hotkey (key 0).
HotKey ParseHotKey(std::string_view text);

// The text of a hotkey, modifiers in the order Ctrl, Alt, Shift, Win, then the key's name; "" for no hotkey.
// ParseHotKey reads it back to the same hotkey.
std::string FormatHotKey(const HotKey& hotKey);

// The value of the system's hotkey control: the virtual key in the low byte, its flags in the high byte.
constexpr unsigned kControlShift = 0x01;
constexpr unsigned kControlCtrl = 0x02;
constexpr unsigned kControlAlt = 0x04;
constexpr unsigned kControlExtended = 0x08;  // the key is one of the block beside the main keys

// The hotkey a control's value stands for (the extended flag carries no meaning of its own).
HotKey HotKeyFromControl(unsigned value);

// The control's value for a hotkey; the control has no Win modifier, so Win is left out.
unsigned ControlValueOf(const HotKey& hotKey);

}  // namespace app
