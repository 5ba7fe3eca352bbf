#include "driver/PopupMenu.h"

#include "driver/Error.h"
#include "driver/Input.h"

namespace driver {

namespace {

constexpr char kMenuClass[] = "#32768";

struct MenuSearch {
    DWORD processId;
    std::vector<Window> found;
};

BOOL CALLBACK CollectMenu(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<MenuSearch*>(parameter);
    const Window candidate(window);
    if (candidate.ProcessId() == search->processId && candidate.IsVisible() && candidate.ClassName() == kMenuClass) {
        search->found.push_back(candidate);
    }
    return TRUE;
}

// Visible menu windows of a process, outermost first (the system lists the newest, topmost, first).
std::vector<Window> MenusOf(DWORD processId)
{
    MenuSearch search{processId, {}};
    EnumWindows(CollectMenu, reinterpret_cast<LPARAM>(&search));
    return std::vector<Window>(search.found.rbegin(), search.found.rend());
}

// The key goes to the menu's own message loop, which reads every keyboard message of the thread.
void PostKey(const Window& menu, WPARAM key)
{
    PostMessageW(menu.Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(menu.Handle(), WM_KEYUP, key, 0xC0000001);
}

}  // namespace

PopupMenu PopupMenu::OpenOn(const Window& on, Timeout timeout)
{
    return OpenAt(on, on.ClientRect().Center(), timeout);
}

PopupMenu PopupMenu::OpenAt(const Window& on, Point client, Timeout timeout)
{
    // A menu that opens under the mouse pointer soon learns where the pointer is and highlights the item there,
    // taking the highlight from under the keys that choose an item. The pointer waits in the screen corner
    // farthest from where the menu opens, which no menu of the program reaches.
    const Rect area = on.ClientBounds();
    const Point opensAt{area.left + client.x, area.top + client.y};
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    MouseMoveTo({opensAt.x < width / 2 ? width - 1 : 0, opensAt.y < height / 2 ? height - 1 : 0});
    on.RightClickAt(client);
    return Current(on.ProcessId(), timeout);
}

PopupMenu PopupMenu::Current(DWORD processId, Timeout timeout)
{
    const Window menu = WaitFor([&] {
        const std::vector<Window> menus = MenusOf(processId);
        return menus.empty() ? Window() : menus.front();
    }, "a popup menu to open", timeout);
    return PopupMenu(menu, processId);
}

std::vector<Window> PopupMenu::Levels() const
{
    return MenusOf(processId_);
}

bool PopupMenu::IsOpen() const
{
    return menu_.Exists() && menu_.IsVisible();
}

void PopupMenu::Navigate(const std::vector<int>& path, Timeout timeout) const
{
    if (path.empty()) {
        throw DriverError("empty menu path");
    }
    for (size_t level = 0; level < path.size(); ++level) {
        if (path[level] < 0) {
            throw DriverError("negative menu index " + std::to_string(path[level]));
        }
        // Home selects the first item of the innermost open menu whatever was highlighted before.
        PostKey(menu_, VK_HOME);
        for (int step = 0; step < path[level]; ++step) {
            PostKey(menu_, VK_DOWN);
        }
        if (level + 1 < path.size()) {
            const size_t levelsBefore = level + 1;
            PostKey(menu_, VK_RIGHT);
            if (!PollUntil([&] { return Levels().size() > levelsBefore; }, timeout)) {
                throw DriverError(TimeoutMessage("the submenu of menu item " + std::to_string(path[level]) +
                                                 " at level " + std::to_string(level) + " to open (has it one?)",
                                                 timeout));
            }
        }
    }
}

void PopupMenu::Highlight(const std::vector<int>& path, Timeout timeout) const
{
    Navigate(path, timeout);
}

void PopupMenu::Choose(const std::vector<int>& path, Timeout timeout) const
{
    Navigate(path, timeout);
    // A menu that the system has already closed (cancelled) would make the Enter below choose nothing, and the
    // closed menu would then pass for a choice.
    if (!IsOpen()) {
        throw DriverError("the menu closed before its item was chosen");
    }
    PostKey(menu_, VK_RETURN);
    if (!PollUntil([&] { return Levels().empty(); }, timeout)) {
        throw DriverError(TimeoutMessage("the menu to close after choosing its item (is the item disabled?)", timeout));
    }
}

void PopupMenu::Dismiss(Timeout timeout) const
{
    const size_t levels = Levels().size();
    for (size_t level = 0; level < levels; ++level) {
        PostKey(menu_, VK_ESCAPE);
    }
    if (!PollUntil([&] { return Levels().empty(); }, timeout)) {
        throw DriverError(TimeoutMessage("the menu to close", timeout));
    }
}

}  // namespace driver
