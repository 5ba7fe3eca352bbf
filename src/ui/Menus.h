// Popup menus: items with captions, shortcuts, check marks and submenus, items added and freed at run time, and
// the shortcut lookup that lets a form's menu act whichever control has the focus.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Component.h"
#include "ui/Types.h"

namespace ui {

class MenuItem : public Component {
public:
    // owner frees the item (a form, so that the form can find it by name); the item is shown once added to a
    // parent item.
    explicit MenuItem(Component* owner, const std::string& name = "", const std::string& caption = "");
    ~MenuItem() override;

    std::string Caption;
    ShortCut Shortcut;
    bool AutoCheck = false;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    std::function<void(Component* sender)> OnClick;

    void Add(MenuItem* item);
    void Remove(MenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    MenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    MenuItem* Parent() const { return parent_; }
    int IndexOf(const MenuItem* item) const;

    // Runs the item as a click would: an auto-check item toggles its check mark first.
    void Click();
    // The item (this or below) whose enabled, visible shortcut is sc, or nullptr.
    MenuItem* FindShortCut(const ShortCut& sc);

private:
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> items_;
};

class PopupMenu : public Component {
public:
    PopupMenu(Component* owner, const std::string& name);
    // The top-level items live under this root.
    MenuItem& Items() { return *root_; }
    // Shows the menu at screen point (x, y) for the window owner, below the point or, with above, above it (the menu
    // of an icon in the notification area, which opens over the task bar); a chosen item is clicked after the menu
    // closes.
    void Popup(int x, int y, void* ownerWindow, bool above = false);
    // Clicks the item with this shortcut; false when none has it.
    bool IsShortCut(const ShortCut& sc);

private:
    MenuItem* root_;
};

}  // namespace ui
