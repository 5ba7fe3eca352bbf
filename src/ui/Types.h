// Small value types shared by the forms and controls: colours, border and form styles, mouse state, modal results
// and keyboard shortcuts, named as the designs of the program's windows name them.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

// A colour: either an RGB value (0x00BBGGRR) or a system colour, 0x80000000 | COLOR_xxx.
using TColor = std::uint32_t;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clBtnHighlight = 0x80000014;
constexpr TColor cl3DDkShadow = 0x80000015;
constexpr TColor clWindow = 0x80000005;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clBlack = 0x00000000;
constexpr TColor clDefault = 0x20000000;  // "whatever the control draws by itself"

enum class BorderStyle { Sizeable, None, Dialog };
enum class FormStyle { Normal, StayOnTop };
enum class MouseButton { Left, Right, Middle };

// Which buttons and modifier keys were down with a mouse event.
struct ShiftState {
    bool shift = false, ctrl = false, alt = false;
    bool left = false, right = false, middle = false, dblClick = false;
};

// Results of modal forms and message boxes.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrYes = 6, mrNo = 7 };

// What OnClose asks for.
enum class CloseAction { None, Hide, Free };

// A keyboard shortcut: virtual key plus modifiers; vk 0 is "no shortcut".
struct ShortCut {
    unsigned vk = 0;
    bool ctrl = false, shift = false, alt = false;
    bool operator==(const ShortCut& o) const {
        return vk == o.vk && ctrl == o.ctrl && shift == o.shift && alt == o.alt;
    }
    explicit operator bool() const { return vk != 0; }
};

// The text a menu shows for a shortcut ("Ctrl+F", "Enter", "Del", "Alt+Enter", "F5").
std::string ShortCutToText(const ShortCut& sc);

}  // namespace ui
