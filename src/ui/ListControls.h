// The list box and the drop-down combo box: sorted or not, with their items, selection, the case-insensitive
// exact-match lookup, and filling in bulk without redrawing on every insert. A sorted list keeps the order a sorted
// control of the system gives (its place for each item found by the system's own comparison, in the control's
// locale, letter case ignored), but the control itself does not sort: a fill is ordered once and appended.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "ui/Control.h"

namespace ui {

// The items of a list box or a combo box.
class ListItems {
public:
    ListItems(HWND hwnd, bool combo, bool sorted);
    int Count() const;
    std::string operator[](int index) const;
    // Adds an item (a sorted list puts it in its place); returns its index.
    int Add(const std::string& text);
    // Adds the texts as if one by one in this order, with one search of the system's sort keys instead of one per
    // item when the list is sorted and empty; an unsorted list appends them.
    void AddAll(const std::vector<std::string>& texts);
    // The order in which an empty list would hold the texts (texts[order[0]] first), found as AddAll finds it.
    std::vector<std::size_t> OrderOf(const std::vector<std::string>& texts) const;
    // Appends count texts at the end, text(0) first, as they are: for texts already in the list's order.
    void AppendEach(std::size_t count, const std::function<std::string_view(std::size_t)>& text);
    // Removes the item at index (nothing when there is none).
    void Delete(int index);
    // Swaps the items at a and b of an unsorted control; the selection stays at the same position.
    void Exchange(int a, int b);
    void Clear();
    // Index of the item equal to text ignoring letter case, or -1; of several such items the one that is exactly
    // text, when there is one.
    int IndexOf(const std::string& text) const;
    // Reserves room for count more items of about bytesEach bytes.
    void Reserve(int count, int bytesEach);
    std::vector<std::string> ToVector() const;

private:
    // Position the control's own search would give text, which it compares to the items in its locale.
    int SortedPosition(const std::wstring& text) const;
    std::vector<std::size_t> InsertionOrder(const std::vector<std::string>& texts) const;
    // Appends texts[order[0]], texts[order[1]], ... at the end of the control.
    void AppendInOrder(const std::vector<std::string>& texts, const std::vector<std::size_t>& order);
    int Insert(int index, const std::wstring& text);
    std::wstring WideItem(int index) const;

    HWND hwnd_;
    bool combo_;
    bool sorted_;
};

// The image an item of a list with icons shows: its index in an image list, or -1 for none.
struct ListIcon {
    HIMAGELIST images = nullptr;
    int index = -1;
};
// Which image the item at index with this text shows, at size pixels square.
using IconSource = std::function<ListIcon(int index, const std::wstring& text, int size)>;

class ListBox : public Control {
public:
    // A list with icons draws each item itself, a small icon before the text, and keeps its texts as a plain list
    // does: they are read, found, compared and selected as there, and screen readers read them.
    ListBox(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height,
            bool sorted, bool withIcons = false);
    ListItems Items() const { return ListItems(hwnd_, false, sorted_); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    void Clear();
    // Stops redrawing until EndUpdate; nested calls redraw once, at the outermost end.
    void BeginUpdate();
    void EndUpdate();
    void SetHorizontalExtent(int pixels);
    // Moves the selection as a key of the keyboard would (Up, Down, Page Up, Page Down, Home, End), with the
    // notification of a user's change.
    void PressKey(WORD key);
    void Notify(WORD code) override;
    // The item at a point of the client area, or -1.
    int ItemAt(int x, int y) const;
    // Which image each item of a list with icons shows; the rows are measured again.
    void SetIcons(IconSource source);
    bool WithIcons() const { return withIcons_; }
    // The small icon's size at the list's DPI now.
    int IconSize() const;
    bool DrawItem(const DRAWITEMSTRUCT& dis) override;
    void DpiChanged() override;
    // A press on an item moved past the system's drag distance with the left button down: the item the button went
    // down on is selected and the event runs (the list lets go of the mouse first). A press without such a move
    // stays a click on that item.
    NotifyEvent OnBeginDrag;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    // The font the list shows its texts in.
    HGDIOBJ ListFont() const;
    // Sets the rows' height for the font and the small icon at the DPI now.
    void MeasureRows();
    void DrawIcon(HDC dc, const ListIcon& icon, int x, int y, int size) const;

    bool sorted_;
    bool withIcons_;
    IconSource iconSource_;
    int updateDepth_ = 0;
    bool pressed_ = false;  // the left button went down on an item and has not moved far yet
    int pressedItem_ = -1;
    POINT pressedAt_{};
};

class ComboBox : public Control {
public:
    ComboBox(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height,
             bool sorted);
    ListItems Items() const { return ListItems(hwnd_, true, sorted_); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Clears the items (the edit text stays).
    void ClearItems();
    void BeginUpdate();
    void EndUpdate();
    // The height of the closed box.
    void SetHeight(int h) override;
    // Bounds of the closed box; the open list keeps its own height below it.
    void SetBounds(int left, int top, int width, int height) override;
    void Notify(WORD code) override;
    void DpiChanged() override;
    NotifyEvent OnChange;

private:
    // The window height of a drop-down box is the height of its open list.
    void PlaceWithOpenList(int left, int top, int width);
    // The closed box's height, corrected by what the system's border made of it.
    void SetClosedHeightExactly(int h);

    bool sorted_;
    int updateDepth_ = 0;
};

}  // namespace ui
