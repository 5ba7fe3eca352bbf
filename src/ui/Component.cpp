#include "ui/Component.h"

#include "ui/Application.h"

#include <algorithm>
#include <cctype>

namespace ui {

namespace {
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
}  // namespace

Component::Component(Component* owner) : owner_(owner) {
    if (owner_) owner_->Insert(this);
}

Component::~Component() {
    DestroyComponents();
    if (owner_) owner_->Remove(this);
    App().ForgetQueued(this);  // nothing queued for it runs on a component that has gone
}

void Component::DestroyComponents() {
    // Children go first, newest first, so that nothing outlives the owner it points to.
    destroying_ = true;
    while (!components_.empty()) {
        Component* child = components_.back();
        components_.pop_back();
        child->owner_ = nullptr;
        delete child;
    }
    destroying_ = false;
}

Component* Component::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (Component* c : components_) {
        if (SameName(c->Name, name)) return c;
    }
    return nullptr;
}

void Component::DestroyComponent(Component* child) {
    if (!child || child->owner_ != this) return;
    delete child;  // the destructor removes it from this owner
}

void Component::Insert(Component* child) { components_.push_back(child); }

void Component::Remove(Component* child) {
    if (destroying_) return;
    components_.erase(std::remove(components_.begin(), components_.end(), child), components_.end());
}

}  // namespace ui
