#include "ui/Menus.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "ui/CodePage.h"
#include "ui/Handles.h"

namespace ui {

std::string ShortCutToText(const ShortCut& sc) {
    if (!sc.vk) return std::string();
    std::string key;
    if (sc.vk >= VK_F1 && sc.vk <= VK_F24) key = "F" + std::to_string(sc.vk - VK_F1 + 1);
    else if (sc.vk == VK_RETURN) key = "Enter";
    else if (sc.vk == VK_DELETE) key = "Del";
    else if (sc.vk == VK_INSERT) key = "Ins";
    else if (sc.vk == VK_ESCAPE) key = "Esc";
    else if ((sc.vk >= 'A' && sc.vk <= 'Z') || (sc.vk >= '0' && sc.vk <= '9')) key = std::string(1, static_cast<char>(sc.vk));
    else key = "?";
    std::string text;
    if (sc.shift) text += "Shift+";
    if (sc.ctrl) text += "Ctrl+";
    if (sc.alt) text += "Alt+";
    return text + key;
}

MenuItem::MenuItem(Component* owner, const std::string& name, const std::string& caption)
    : Component(owner), Caption(caption) {
    Name = name;
}

MenuItem::~MenuItem() {
    if (parent_) parent_->Remove(this);
    for (MenuItem* child : items_) child->parent_ = nullptr;  // their owners free them
}

void MenuItem::Add(MenuItem* item) {
    if (item->parent_) item->parent_->Remove(item);
    item->parent_ = this;
    items_.push_back(item);
}

void MenuItem::Remove(MenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    if (item->parent_ == this) item->parent_ = nullptr;
}

int MenuItem::IndexOf(const MenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void MenuItem::Click() {
    if (!Enabled) return;
    if (AutoCheck) Checked = !Checked;
    if (OnClick) OnClick(this);
}

MenuItem* MenuItem::FindShortCut(const ShortCut& sc) {
    if (!Visible || !Enabled) return nullptr;
    if (Shortcut && Shortcut == sc) return this;
    for (MenuItem* child : items_) {
        if (MenuItem* hit = child->FindShortCut(sc)) return hit;
    }
    return nullptr;
}

PopupMenu::PopupMenu(Component* owner, const std::string& name) : Component(owner), root_(new MenuItem(this)) {
    Name = name;
}

namespace {

// Builds the Win32 menu for the items below parent; ids map back to the items.
void BuildMenu(HMENU menu, const MenuItem& parent, std::map<UINT, MenuItem*>& ids) {
    for (int i = 0; i < parent.Count(); ++i) {
        MenuItem* item = parent.Items(i);
        if (!item->Visible) continue;
        std::string text = item->Caption;
        if (item->Shortcut) text += "\t" + ShortCutToText(item->Shortcut);
        UINT flags = MF_STRING | (item->Enabled ? 0 : MF_GRAYED) | (item->Checked ? MF_CHECKED : 0);
        if (item->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            BuildMenu(sub, *item, ids);
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), ToWide(text).c_str());
        } else {
            UINT id = static_cast<UINT>(ids.size() + 1);
            ids[id] = item;
            AppendMenuW(menu, flags, id, ToWide(text).c_str());
        }
    }
}

}  // namespace

void PopupMenu::Popup(int x, int y, void* ownerWindow, bool above) {
    std::map<UINT, MenuItem*> ids;
    MenuHandle menu(CreatePopupMenu());  // destroying the menu destroys its submenus too
    BuildMenu(menu.get(), *root_, ids);
    HWND owner = static_cast<HWND>(ownerWindow);
    SetForegroundWindow(owner);
    // Let the window system deliver focus changes that are still on their way, such as the window losing the
    // focus to a message box that has already closed again: under Wine one that arrives while the menu runs
    // cancels the menu (an immediate right click or menu key after closing a box would show nothing).
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | (above ? TPM_BOTTOMALIGN : TPM_TOPALIGN);
    UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), flags, x, y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    auto it = ids.find(chosen);
    if (it != ids.end()) it->second->Click();
}

bool PopupMenu::IsShortCut(const ShortCut& sc) {
    MenuItem* hit = root_->FindShortCut(sc);
    if (!hit || hit == root_) return false;
    hit->Click();
    return true;
}

}  // namespace ui
