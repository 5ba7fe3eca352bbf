#include "ui/ListControls.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {
struct ListMessages {
    UINT count, getTextLen, getText, add, reset, findExact, initStorage, deleteString, insertString, getCurSel,
        setCurSel;
};
const ListMessages kList{LB_GETCOUNT,    LB_GETTEXTLEN,   LB_GETTEXT,      LB_ADDSTRING,
                         LB_RESETCONTENT, LB_FINDSTRINGEXACT, LB_INITSTORAGE, LB_DELETESTRING,
                         LB_INSERTSTRING, LB_GETCURSEL,    LB_SETCURSEL};
const ListMessages kCombo{CB_GETCOUNT,    CB_GETLBTEXTLEN,    CB_GETLBTEXT,   CB_ADDSTRING,
                          CB_RESETCONTENT, CB_FINDSTRINGEXACT, CB_INITSTORAGE, CB_DELETESTRING,
                          CB_INSERTSTRING, CB_GETCURSEL,      CB_SETCURSEL};
}  // namespace

#define MSGS (combo_ ? kCombo : kList)

int ListItems::Count() const { return static_cast<int>(SendMessageA(hwnd_, MSGS.count, 0, 0)); }

std::string ListItems::operator[](int index) const {
    LRESULT len = SendMessageA(hwnd_, MSGS.getTextLen, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR || len <= 0) return std::string();
    std::string s(static_cast<size_t>(len) + 1, '\0');
    LRESULT got = SendMessageA(hwnd_, MSGS.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return s;
}

int ListItems::Add(const std::string& text) {
    return static_cast<int>(SendMessageA(hwnd_, MSGS.add, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void ListItems::Clear() { SendMessageA(hwnd_, MSGS.reset, 0, 0); }

void ListItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    SendMessageA(hwnd_, MSGS.deleteString, static_cast<WPARAM>(index), 0);
}

void ListItems::Exchange(int a, int b) {
    const int n = Count();
    if (a == b || a < 0 || b < 0 || a >= n || b >= n) return;
    if (a > b) std::swap(a, b);
    const LRESULT selected = SendMessageA(hwnd_, MSGS.getCurSel, 0, 0);
    const std::string first = (*this)[a];
    const std::string second = (*this)[b];
    // Replace b first, so that index a still names the same item.
    SendMessageA(hwnd_, MSGS.deleteString, static_cast<WPARAM>(b), 0);
    SendMessageA(hwnd_, MSGS.insertString, static_cast<WPARAM>(b), reinterpret_cast<LPARAM>(first.c_str()));
    SendMessageA(hwnd_, MSGS.deleteString, static_cast<WPARAM>(a), 0);
    SendMessageA(hwnd_, MSGS.insertString, static_cast<WPARAM>(a), reinterpret_cast<LPARAM>(second.c_str()));
    if (selected >= 0) SendMessageA(hwnd_, MSGS.setCurSel, static_cast<WPARAM>(selected), 0);
}

int ListItems::IndexOf(const std::string& text) const {
    // The control's exact-match search ignores letter case; an empty text never names an item.
    if (text.empty()) return -1;
    LRESULT i = SendMessageA(hwnd_, MSGS.findExact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void ListItems::Reserve(int count, int bytesEach) {
    if (count <= 0) return;
    SendMessageA(hwnd_, MSGS.initStorage, static_cast<WPARAM>(count),
                 static_cast<LPARAM>(count) * std::max(bytesEach, 1));
}

std::vector<std::string> ListItems::ToVector() const {
    std::vector<std::string> v;
    int n = Count();
    v.reserve(static_cast<size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) v.push_back((*this)[i]);
    return v;
}

#undef MSGS

ListBox::ListBox(Component* owner, Control* parent, const std::string& name, int left, int top, int width,
                 int height, bool sorted)
    : Control(owner, parent, name) {
    CreateHandle("ListBox",
                 WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                     (sorted ? LBS_SORT : 0),
                 WS_EX_CLIENTEDGE, left, top, width, height);
}

int ListBox::ItemIndex() const {
    LRESULT i = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void ListBox::SetItemIndex(int index) { SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void ListBox::Clear() { Items().Clear(); }

void ListBox::BeginUpdate() {
    if (updateDepth_++ == 0) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ListBox::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ != 0) return;
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBox::SetHorizontalExtent(int pixels) {
    SendMessageA(hwnd_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels), 0);
}

void ListBox::Notify(WORD code) {
    if (code == LBN_SELCHANGE) Click();
    else if (code == LBN_DBLCLK && OnDblClick) OnDblClick(this);
}

ComboBox::ComboBox(Component* owner, Control* parent, const std::string& name, int left, int top, int width,
                   int height, bool sorted)
    : Control(owner, parent, name) {
    // The window height of a drop-down box is the height of its open list; the closed box is sized below.
    CreateHandle("ComboBox", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                 (sorted ? CBS_SORT : 0), 0, left, top, width, 200);
    SetHeight(height);
}

void ComboBox::SetHeight(int h) {
    // The closed box is its edit field plus a 3-pixel border above and below.
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(h - 6, 1));
}

int ComboBox::ItemIndex() const {
    LRESULT i = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? -1 : static_cast<int>(i);
}

void ComboBox::SetItemIndex(int index) { SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void ComboBox::ClearItems() {
    std::string text = Text();
    Items().Clear();
    SetText(text);
}

void ComboBox::BeginUpdate() {
    if (updateDepth_++ == 0) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ComboBox::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ != 0) return;
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ComboBox::Notify(WORD code) {
    if ((code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && OnChange) OnChange(this);
}

}  // namespace ui
