// Acting on a window as a user would: posted mouse messages at the point a user would click, typing into edits.
#include "driver/Window.h"

#include "driver/Error.h"
#include "driver/Text.h"

namespace driver {

namespace {

// Throws when a user could not reach the window: hidden, disabled or gone.
void RequireUsable(const Window& window, const char* action)
{
    if (!window.Exists()) {
        throw DriverError(std::string("cannot ") + action + ": the window no longer exists");
    }
    if (!window.IsVisible() || !window.IsEnabled()) {
        throw DriverError(std::string("cannot ") + action + " " + window.ClassName() + " '" + window.Name() + "' \"" +
                          window.Text() + "\": it is " + (window.IsVisible() ? "disabled" : "hidden"));
    }
}

LPARAM PointParameter(Point point)
{
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

bool IsButton(const Window& window)
{
    return window.ClassName() == "Button";
}

// Scrolls a list box so that the item lies inside its client area, then returns the item's centre.
Point ItemPoint(const Window& list, int index)
{
    if (index < 0 || index >= list.ItemCount()) {
        throw DriverError("'" + list.Name() + "' has no item " + std::to_string(index) + " (it has " +
                          std::to_string(list.ItemCount()) + ")");
    }
    const Rect client = list.ClientRect();
    Rect item = list.ItemRect(index);
    if (item.top < 0 || item.bottom > client.bottom) {
        SendW(list.Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        item = list.ItemRect(index);
    }
    return item.Center();
}

struct ListSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDroppedList(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ListSearch*>(parameter);
    const Window candidate(window);
    if (candidate.ProcessId() == search->processId && candidate.IsVisible() && candidate.ClassName() == "ComboLBox") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The drop-down list of a combo box that is dropped down, or an empty window. GetComboBoxInfo fails across
// processes under Wine; the dropped list is a visible top-level "ComboLBox" of the process, and only one can
// be open at a time.
Window DroppedList(const Window& combo)
{
    if (SendW(combo.Handle(), CB_GETDROPPEDSTATE, 0, 0) == FALSE) {
        return Window();
    }
    ListSearch search{combo.ProcessId(), nullptr};
    EnumWindows(FindDroppedList, reinterpret_cast<LPARAM>(&search));
    return Window(search.found);
}

}  // namespace

void Window::Click() const
{
    RequireUsable(*this, "click");
    if (IsButton(*this)) {
        PostMessageW(handle_, BM_CLICK, 0, 0);
        return;
    }
    ClickAt(ClientRect().Center());
}

void Window::ClickAt(Point client) const
{
    RequireUsable(*this, "click");
    const LPARAM at = PointParameter(client);
    PostMessageW(handle_, WM_MOUSEMOVE, 0, at);
    PostMessageW(handle_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(handle_, WM_LBUTTONUP, 0, at);
}

void Window::DoubleClickAt(Point client) const
{
    RequireUsable(*this, "double-click");
    const LPARAM at = PointParameter(client);
    PostMessageW(handle_, WM_MOUSEMOVE, 0, at);
    PostMessageW(handle_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(handle_, WM_LBUTTONUP, 0, at);
    PostMessageW(handle_, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(handle_, WM_LBUTTONUP, 0, at);
}

void Window::RightClickAt(Point client) const
{
    RequireUsable(*this, "right-click");
    const LPARAM at = PointParameter(client);
    PostMessageW(handle_, WM_MOUSEMOVE, 0, at);
    PostMessageW(handle_, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageW(handle_, WM_RBUTTONUP, 0, at);
}

void Window::DoubleClick() const
{
    DoubleClickAt(ClientRect().Center());
}

void Window::RightClick() const
{
    RightClickAt(ClientRect().Center());
}

void Window::ClickItem(int index) const
{
    RequireUsable(*this, "click an item of");
    ClickAt(ItemPoint(*this, index));
}

void Window::DoubleClickItem(int index) const
{
    RequireUsable(*this, "double-click an item of");
    DoubleClickAt(ItemPoint(*this, index));
}

void Window::RightClickItem(int index) const
{
    RequireUsable(*this, "right-click an item of");
    RightClickAt(ItemPoint(*this, index));
}

void Window::ChooseItem(int index) const
{
    RequireUsable(*this, "choose an item of");
    if (ClassName() != "ComboBox") {
        throw DriverError("'" + Name() + "' is a " + ClassName() + ", not a combo box");
    }
    if (index < 0 || index >= ItemCount()) {
        throw DriverError("'" + Name() + "' has no item " + std::to_string(index) + " (it has " +
                          std::to_string(ItemCount()) + ")");
    }
    SendW(handle_, CB_SHOWDROPDOWN, TRUE, 0);
    const Window list = WaitFor([&] { return DroppedList(*this); }, "the drop-down list of '" + Name() + "'");
    list.ClickAt(ItemPoint(list, index));
}

void Window::SetText(const std::string& text) const
{
    Window edit = *this;
    if (ClassName() == "ComboBox") {
        edit = FindChildByClass("Edit");
        if (!edit) {
            throw DriverError("combo box '" + Name() + "' has no edit to type into");
        }
    } else if (ClassName() != "Edit") {
        throw DriverError("'" + Name() + "' is a " + ClassName() + ", not an edit");
    }
    RequireUsable(edit, "type into");
    if (edit.Style() & ES_READONLY) {
        throw DriverError("cannot type into '" + Name() + "': it is read-only");
    }
    const std::wstring wide = ToWide(text);
    SendW(edit.Handle(), EM_SETSEL, 0, -1);
    SendW(edit.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace driver
