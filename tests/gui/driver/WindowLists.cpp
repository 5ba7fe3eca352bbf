// Reading list boxes and combo boxes. Item texts are read with the W messages: in Wine 8 the A message
// LB_GETTEXT sent to another process returns UTF-16 text under an ANSI length.
#include "driver/Window.h"

#include "driver/Error.h"
#include "driver/Text.h"

#include <optional>
#include <utility>

namespace driver {

namespace {

struct ListMessages {
    UINT count;
    UINT textLength;
    UINT text;
    UINT selection;
};

constexpr ListMessages kListBox = {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL};
constexpr ListMessages kComboBox = {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL};

// The messages for the kind of list the window is; throws for a window that holds no items.
const ListMessages& MessagesFor(const Window& window)
{
    const std::string className = window.ClassName();
    if (className == "ListBox" || className == "ComboLBox") {
        return kListBox;
    }
    if (className == "ComboBox") {
        return kComboBox;
    }
    throw DriverError("'" + window.Name() + "' is a " + className + ", not a list box or combo box");
}

// The item's text; nothing when the list has no such item (any more).
std::optional<std::wstring> ReadItem(const Window& list, const ListMessages& messages, int index)
{
    const LRESULT length = SendW(list.Handle(), messages.textLength, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return std::nullopt;
    }
    // The length may be counted in ANSI bytes: never fewer than the UTF-16 units that come back.
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendW(list.Handle(), messages.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    if (copied < 0) {
        return std::nullopt;
    }
    text.resize(static_cast<size_t>(copied));
    return text;
}

}  // namespace

int Window::ItemCount() const
{
    return static_cast<int>(SendW(handle_, MessagesFor(*this).count, 0, 0));
}

std::string Window::ItemText(int index) const
{
    return ToUtf8(ExactItemText(index));
}

std::wstring Window::ExactItemText(int index) const
{
    std::optional<std::wstring> text = ReadItem(*this, MessagesFor(*this), index);
    if (!text) {
        throw DriverError("'" + Name() + "' has no item " + std::to_string(index) + " (it has " +
                          std::to_string(ItemCount()) + ")");
    }
    return *text;
}

// The items are read one message at a time while the program may be refilling the list (a test that waits for a
// refill reads it meanwhile): a reading that loses an item or sees the count change is begun again.
std::vector<std::wstring> Window::ExactItems() const
{
    const ListMessages& messages = MessagesFor(*this);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::vector<std::wstring> items;
        const int count = ItemCount();
        for (int index = 0; index < count; ++index) {
            std::optional<std::wstring> text = ReadItem(*this, messages, index);
            if (!text) {
                break;
            }
            items.push_back(std::move(*text));
        }
        if (static_cast<int>(items.size()) == count && ItemCount() == count) {
            return items;
        }
        Sleep(10);
    }
    throw DriverError("'" + Name() + "' kept changing while its items were read");
}

std::vector<std::string> Window::Items() const
{
    std::vector<std::string> items;
    for (const std::wstring& item : ExactItems()) {
        items.push_back(ToUtf8(item));
    }
    return items;
}

int Window::Selection() const
{
    return static_cast<int>(SendW(handle_, MessagesFor(*this).selection, 0, 0));
}

std::string Window::SelectedText() const
{
    const int selection = Selection();
    return selection < 0 ? std::string() : ItemText(selection);
}

int Window::TopIndex() const
{
    return static_cast<int>(SendW(handle_, LB_GETTOPINDEX, 0, 0));
}

Rect Window::ItemRect(int index) const
{
    RECT rect = {};
    if (SendW(handle_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
        throw DriverError("'" + Name() + "' has no item " + std::to_string(index));
    }
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace driver
