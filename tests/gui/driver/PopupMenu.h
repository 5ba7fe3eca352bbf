// The program's popup menu, opened by a right click and driven with the keyboard inside the open menu.
//
// Under Wine a menu's items live in the memory of the process that built it: MN_GETHMENU gives the handle,
// but GetMenuItemCount and GetMenuString on it fail from another process. The driver therefore cannot read
// captions and chooses items by position: {2, 1} is the second item (index 1) of the submenu of the third item
// (index 2). Positions count every item but separators, in menu order; disabled items count too.
#pragma once

#include "driver/Window.h"

#include <vector>

namespace driver {

class PopupMenu {
public:
    // Right-clicks `on` at a client point (default: its centre; for a list box use RightClickItem first or
    // pass the item's point) and waits for the menu window.
    static PopupMenu OpenOn(const Window& on, Timeout timeout = kDefaultTimeout);
    static PopupMenu OpenAt(const Window& on, Point client, Timeout timeout = kDefaultTimeout);
    // The menu that is open now in the process (after some other action opened it); throws when none is.
    static PopupMenu Current(DWORD processId, Timeout timeout = kDefaultTimeout);

    // The window of the top-level menu.
    const Window& MenuWindow() const { return menu_; }
    // Visible menu windows of the process: the menu and its open submenus, outermost first.
    std::vector<Window> Levels() const;
    bool IsOpen() const;

    // Opens submenus along path without choosing (e.g. {2} to show the move submenu for a screenshot):
    // every index but the last opens its submenu, the last one is highlighted.
    void Highlight(const std::vector<int>& path, Timeout timeout = kDefaultTimeout) const;
    // Chooses the item at path and waits until the menu has closed. Throws DriverError when it stays open
    // (the item is disabled, or it holds a submenu and path ends there).
    void Choose(const std::vector<int>& path, Timeout timeout = kDefaultTimeout) const;
    // Closes the menu without choosing (Escape at every level) and waits until it is gone.
    void Dismiss(Timeout timeout = kDefaultTimeout) const;

private:
    PopupMenu(Window menu, DWORD processId) : menu_(menu), processId_(processId) {}
    void Navigate(const std::vector<int>& path, Timeout timeout) const;

    Window menu_;
    DWORD processId_ = 0;
};

}  // namespace driver
