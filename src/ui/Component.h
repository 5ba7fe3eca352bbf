// Owned, named, non-visual base of everything the forms hold: a component is destroyed with its owner and can be
// found by name among the owner's components, the way the program looks up its run-time menu items.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace ui {

class Component {
public:
    explicit Component(Component* owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const { return owner_; }

    // The component's name; names are compared without regard to letter case, as FindComponent does.
    std::string Name;

    // The first owned component with the given name (letter case ignored), or nullptr.
    Component* FindComponent(const std::string& name) const;

    // Owned components in the order they were created.
    const std::vector<Component*>& Components() const { return components_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }

    // Destroys an owned component now (the way a form frees a run-time menu item).
    void DestroyComponent(Component* child);

protected:
    // Destroys every owned component now, newest first (a form does this while its window still exists).
    void DestroyComponents();

private:
    void Insert(Component* child);
    void Remove(Component* child);

    Component* owner_;
    std::vector<Component*> components_;
    bool destroying_ = false;
};

}  // namespace ui
