// A window of the program under test, seen from outside: what a user can read off it and what a user can do
// to it. Reading goes through messages sent with a timeout; acting posts the messages a user's input would
// produce, so a modal window opened by the action never blocks the test.
#pragma once

#include "driver/Wait.h"

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace driver {

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Point Center() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool operator==(const Rect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const Rect& other) const { return !(*this == other); }
};

// Printed as "(left, top)-(right, bottom) WxH" in assertion failures.
std::ostream& operator<<(std::ostream& out, const Rect& rect);

class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}

    HWND Handle() const { return handle_; }
    // True when this refers to a window at all (a failed FindChild gives an empty one).
    explicit operator bool() const { return handle_ != nullptr; }
    bool operator==(const Window& other) const { return handle_ == other.handle_; }
    bool operator!=(const Window& other) const { return handle_ != other.handle_; }
    // True while the window exists (it has not been destroyed).
    bool Exists() const;

    // --- identity (Window.cpp)
    std::string ClassName() const;
    // The design name carried in the "ui.Name" property ("ListBox1"), empty when it has none.
    std::string Name() const;
    // Caption or text (edit content, label caption), in UTF-8.
    std::string Text() const;
    // The window text exactly as the control holds it (UTF-16).
    std::wstring ExactText() const;
    DWORD ProcessId() const;
    DWORD ThreadId() const;
    Window Parent() const;
    Window Owner() const;

    // --- controls (Window.cpp)
    // The descendant whose design name is name; an empty Window when there is none.
    Window FindChild(const std::string& name) const;
    // The same, throwing DriverError when there is none.
    Window Child(const std::string& name) const;
    // All descendants, in the system's order (creation order for siblings).
    std::vector<Window> Descendants() const;
    // The first descendant of a window class ("Edit" inside a combo box), empty when none.
    Window FindChildByClass(const std::string& className) const;

    // --- geometry and state (Window.cpp)
    // Outer bounds in screen coordinates.
    Rect Bounds() const;
    // Client area in screen coordinates.
    Rect ClientBounds() const;
    // Client area size as a rectangle at 0,0.
    Rect ClientRect() const;
    // Visible in the system's sense: the window and all its parents have WS_VISIBLE.
    bool IsVisible() const;
    bool IsEnabled() const;
    LONG Style() const;
    LONG ExStyle() const;
    bool HasStyle(LONG bits) const { return (Style() & bits) == bits; }
    bool HasExStyle(LONG bits) const { return (ExStyle() & bits) == bits; }
    bool IsTopmost() const { return HasExStyle(WS_EX_TOPMOST); }
    bool HasCaption() const { return HasStyle(WS_CAPTION); }
    // Check box or radio button state: BST_CHECKED is true.
    bool IsChecked() const;

    // --- list boxes and combo boxes (WindowLists.cpp)
    int ItemCount() const;
    std::string ItemText(int index) const;
    std::vector<std::string> Items() const;
    // The items exactly as the control holds them (UTF-16), for names the code page cannot hold.
    std::wstring ExactItemText(int index) const;
    std::vector<std::wstring> ExactItems() const;
    // Index of the selected item, -1 when none.
    int Selection() const;
    // Text of the selected item, empty when none.
    std::string SelectedText() const;
    // Index of the first visible item of a list box.
    int TopIndex() const;
    // A list box item's rectangle in client coordinates.
    Rect ItemRect(int index) const;

    // --- acting like a user (WindowInput.cpp); each throws DriverError when a user could not do it
    // (hidden or disabled window, no such item).
    // A button (push, check, radio): BM_CLICK, posted. Any other window: a left click at its centre.
    void Click() const;
    // Left click, double click, right click at a point in client coordinates. The messages go to this window
    // as if nothing covered the point. A right click ends in WM_CONTEXTMENU, as the system makes it.
    void ClickAt(Point client) const;
    void DoubleClickAt(Point client) const;
    void RightClickAt(Point client) const;
    // The same at the centre of the client area.
    void DoubleClick() const;
    void RightClick() const;
    // A list box item, scrolled into view first as a user would. Its place is read at the call, ahead of input
    // still queued for the program: after a click that may scroll this list, wait for that click's effect first.
    void ClickItem(int index) const;
    void DoubleClickItem(int index) const;
    void RightClickItem(int index) const;
    // A combo box: opens the drop-down list and clicks the item.
    void ChooseItem(int index) const;
    // Replaces the whole text of an edit (or of the edit inside a combo box) as typing would: select all,
    // then replace the selection, so the control notifies EN_CHANGE.
    void SetText(const std::string& text) const;

private:
    HWND handle_ = nullptr;
};

// gtest prints windows as their class, name and text.
void PrintTo(const Window& window, std::ostream* out);

// Sends a message with a timeout; throws DriverError when the window does not answer in time.
LRESULT SendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Timeout timeout = kDefaultTimeout);

}  // namespace driver
