// The list box and the drop-down combo box: sorted or not, with their items, selection, the case-insensitive
// exact-match lookup, and filling in bulk without redrawing on every insert.
#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

// The items of a list box or a combo box.
class ListItems {
public:
    ListItems(HWND hwnd, bool combo) : hwnd_(hwnd), combo_(combo) {}
    int Count() const;
    std::string operator[](int index) const;
    // Adds an item (a sorted control puts it in its place); returns its index.
    int Add(const std::string& text);
    // Removes the item at index (nothing when there is none).
    void Delete(int index);
    // Swaps the items at a and b of an unsorted control; the selection stays at the same position.
    void Exchange(int a, int b);
    void Clear();
    // Index of the item equal to text ignoring letter case, or -1.
    int IndexOf(const std::string& text) const;
    // Reserves room for count more items of about bytesEach bytes.
    void Reserve(int count, int bytesEach);
    std::vector<std::string> ToVector() const;

private:
    HWND hwnd_;
    bool combo_;
};

class ListBox : public Control {
public:
    ListBox(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height,
            bool sorted);
    ListItems Items() const { return ListItems(hwnd_, false); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    void Clear();
    // Stops redrawing until EndUpdate; nested calls redraw once, at the outermost end.
    void BeginUpdate();
    void EndUpdate();
    void SetHorizontalExtent(int pixels);
    void Notify(WORD code) override;

private:
    int updateDepth_ = 0;
};

class ComboBox : public Control {
public:
    ComboBox(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height,
             bool sorted);
    ListItems Items() const { return ListItems(hwnd_, true); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Clears the items (the edit text stays).
    void ClearItems();
    void BeginUpdate();
    void EndUpdate();
    // The height of the closed box.
    void SetHeight(int h) override;
    NotifyEvent OnChange;
    void Notify(WORD code) override;

private:
    int updateDepth_ = 0;
};

}  // namespace ui
