#include "driver/Window.h"

#include "driver/Error.h"
#include "driver/Text.h"

namespace driver {

namespace {

// The name of the property in which every control and form carries the atom of its design name.
constexpr char kNameProperty[] = "ui.Name";

struct ChildSearch {
    std::string name;
    std::string className;
    HWND found = nullptr;
    std::vector<Window>* all = nullptr;
};

std::string NameOf(HWND window)
{
    const ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, kNameProperty)));
    if (atom == 0) {
        return {};
    }
    char name[256] = {};
    const UINT length = GlobalGetAtomNameA(atom, name, sizeof name);
    return std::string(name, length);
}

std::string ClassOf(HWND window)
{
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return ToUtf8(std::wstring(name, static_cast<size_t>(length > 0 ? length : 0)));
}

BOOL CALLBACK VisitChild(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    if (search->all != nullptr) {
        search->all->push_back(Window(window));
        return TRUE;
    }
    if (!search->name.empty() && NameOf(window) == search->name) {
        search->found = window;
        return FALSE;
    }
    if (!search->className.empty() && ClassOf(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Rect& rect)
{
    return out << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ") "
               << rect.Width() << "x" << rect.Height();
}

void PrintTo(const Window& window, std::ostream* out)
{
    if (!window) {
        *out << "<no window>";
        return;
    }
    *out << window.ClassName() << " '" << window.Name() << "' \"" << window.Text() << "\"";
}

LRESULT SendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Timeout timeout)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result)) {
        throw DriverError("window " + ClassOf(window) + " '" + NameOf(window) + "' did not answer message " +
                          std::to_string(message) + " (error " + std::to_string(GetLastError()) + ")");
    }
    return static_cast<LRESULT>(result);
}

bool Window::Exists() const
{
    return handle_ != nullptr && IsWindow(handle_);
}

std::string Window::ClassName() const
{
    return ClassOf(handle_);
}

std::string Window::Name() const
{
    return NameOf(handle_);
}

std::string Window::Text() const
{
    return ToUtf8(ExactText());
}

std::wstring Window::ExactText() const
{
    // WM_GETTEXT, not GetWindowTextW: for another process's window that reads a copy kept by the system,
    // which an edit control never updates.
    const LRESULT length = SendW(handle_, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendW(handle_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied));
    return text;
}

DWORD Window::ProcessId() const
{
    DWORD process = 0;
    GetWindowThreadProcessId(handle_, &process);
    return process;
}

DWORD Window::ThreadId() const
{
    return GetWindowThreadProcessId(handle_, nullptr);
}

Window Window::Parent() const
{
    return Window(GetAncestor(handle_, GA_PARENT) == GetDesktopWindow() ? nullptr : GetAncestor(handle_, GA_PARENT));
}

Window Window::Owner() const
{
    return Window(GetWindow(handle_, GW_OWNER));
}

Window Window::FindChild(const std::string& name) const
{
    ChildSearch search;
    search.name = name;
    EnumChildWindows(handle_, VisitChild, reinterpret_cast<LPARAM>(&search));
    return Window(search.found);
}

Window Window::Child(const std::string& name) const
{
    const Window child = FindChild(name);
    if (!child) {
        throw DriverError("no control named '" + name + "' in " + ClassName() + " \"" + Text() + "\"");
    }
    return child;
}

std::vector<Window> Window::Descendants() const
{
    std::vector<Window> all;
    ChildSearch search;
    search.all = &all;
    EnumChildWindows(handle_, VisitChild, reinterpret_cast<LPARAM>(&search));
    return all;
}

Window Window::FindChildByClass(const std::string& className) const
{
    ChildSearch search;
    search.className = className;
    EnumChildWindows(handle_, VisitChild, reinterpret_cast<LPARAM>(&search));
    return Window(search.found);
}

Rect Window::Bounds() const
{
    RECT rect = {};
    GetWindowRect(handle_, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Rect Window::ClientBounds() const
{
    RECT rect = {};
    GetClientRect(handle_, &rect);
    POINT origin = {0, 0};
    ClientToScreen(handle_, &origin);
    return {origin.x, origin.y, origin.x + rect.right, origin.y + rect.bottom};
}

Rect Window::ClientRect() const
{
    RECT rect = {};
    GetClientRect(handle_, &rect);
    return {0, 0, rect.right, rect.bottom};
}

bool Window::IsVisible() const
{
    return IsWindowVisible(handle_) != FALSE;
}

bool Window::IsEnabled() const
{
    return IsWindowEnabled(handle_) != FALSE;
}

LONG Window::Style() const
{
    return static_cast<LONG>(GetWindowLongPtrW(handle_, GWL_STYLE));
}

LONG Window::ExStyle() const
{
    return static_cast<LONG>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
}

bool Window::IsChecked() const
{
    return SendW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace driver
