#include "ui/ListControls.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <utility>

#include "text/Utf8.h"
#include "ui/CodePage.h"
#include "ui/Dpi.h"
#include "ui/rules/IconRows.h"
#include "ui/rules/SortedInsertion.h"

namespace ui {

namespace {

// The height of a combo box's open list, in design pixels.
constexpr int kOpenListHeight = 200;

struct ListMessages {
    UINT count, getTextLen, getText, add, reset, findExact, initStorage, deleteString, insertString, getCurSel,
        setCurSel, getLocale;
};
const ListMessages kList{LB_GETCOUNT,    LB_GETTEXTLEN,     LB_GETTEXT,     LB_ADDSTRING,    LB_RESETCONTENT,
                         LB_FINDSTRINGEXACT, LB_INITSTORAGE, LB_DELETESTRING, LB_INSERTSTRING, LB_GETCURSEL,
                         LB_SETCURSEL,   LB_GETLOCALE};
const ListMessages kCombo{CB_GETCOUNT,    CB_GETLBTEXTLEN,    CB_GETLBTEXT,   CB_ADDSTRING,    CB_RESETCONTENT,
                          CB_FINDSTRINGEXACT, CB_INITSTORAGE, CB_DELETESTRING, CB_INSERTSTRING, CB_GETCURSEL,
                          CB_SETCURSEL,   CB_GETLOCALE};

// Appends the system's sort key of text in locale, letter case ignored, to keys: keys compare byte by byte as the
// texts compare.
void AppendSortKey(LCID locale, const std::wstring& text, std::string& keys) {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const std::size_t at = keys.size();
    keys.resize(at + text.size() * 8 + 32);
    int n = LCMapStringW(locale, flags, text.c_str(), -1, reinterpret_cast<LPWSTR>(&keys[at]),
                         static_cast<int>(keys.size() - at));
    if (n <= 0) {  // longer than the guess
        n = LCMapStringW(locale, flags, text.c_str(), -1, nullptr, 0);
        keys.resize(at + static_cast<std::size_t>(std::max(n, 0)));
        if (n > 0) n = LCMapStringW(locale, flags, text.c_str(), -1, reinterpret_cast<LPWSTR>(&keys[at]), n);
    }
    keys.resize(at + static_cast<std::size_t>(std::max(n, 0)));
}

// The procedure of the list or combo box class.
WNDPROC ClassProcedure(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)); }
}  // namespace

#define MSGS (combo_ ? kCombo : kList)

ListItems::ListItems(HWND hwnd, bool combo, bool sorted) : hwnd_(hwnd), combo_(combo), sorted_(sorted) {}

int ListItems::Count() const { return static_cast<int>(SendMessageW(hwnd_, MSGS.count, 0, 0)); }

std::wstring ListItems::WideItem(int index) const {
    LRESULT len = SendMessageW(hwnd_, MSGS.getTextLen, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR || len <= 0) return std::wstring();
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    LRESULT got = SendMessageW(hwnd_, MSGS.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return s;
}

std::string ListItems::operator[](int index) const { return FromWide(WideItem(index)); }

int ListItems::Insert(int index, const std::wstring& text) {
    return static_cast<int>(SendMessageW(hwnd_, MSGS.insertString, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(text.c_str())));
}

int ListItems::SortedPosition(const std::wstring& text) const {
    // The search of a sorted control: the first item found equal is the place, else where the search ends.
    const LCID locale = static_cast<LCID>(SendMessageW(hwnd_, MSGS.getLocale, 0, 0));
    int min = 0;
    int max = Count() - 1;
    while (min <= max) {
        const int probe = (min + max) / 2;
        const int order = CompareStringW(locale, NORM_IGNORECASE, WideItem(probe).c_str(), -1, text.c_str(), -1);
        if (order == CSTR_EQUAL) return probe;
        if (order == CSTR_GREATER_THAN) max = probe - 1;
        else min = probe + 1;
    }
    return min;
}

int ListItems::Add(const std::string& text) {
    const std::wstring wide = ToWide(text);
    return Insert(sorted_ ? SortedPosition(wide) : -1, wide);
}

std::vector<std::size_t> ListItems::InsertionOrder(const std::vector<std::string>& texts) const {
    const LCID locale = static_cast<LCID>(SendMessageW(hwnd_, MSGS.getLocale, 0, 0));
    // Every key in one buffer: a fill of 20,000 names would otherwise make 20,000 small blocks.
    std::string keys;
    std::vector<std::size_t> ends;
    ends.reserve(texts.size());
    std::wstring wide;  // one buffer for every text's system form
    for (const std::string& text : texts) {
        wide.clear();
        text::AppendUtf16(text, wide);
        AppendSortKey(locale, wide, keys);
        ends.push_back(keys.size());
    }
    std::vector<std::string_view> views;
    views.reserve(texts.size());
    for (std::size_t i = 0, begin = 0; i < ends.size(); begin = ends[i++])
        views.push_back(std::string_view(keys).substr(begin, ends[i] - begin));
    return SortedInsertionOrder(views);
}

void ListItems::AddAll(const std::vector<std::string>& texts) {
    if (sorted_ && Count() > 0) {
        for (const std::string& text : texts) Add(text);
        return;
    }
    AppendInOrder(texts, OrderOf(texts));
}

std::vector<std::size_t> ListItems::OrderOf(const std::vector<std::string>& texts) const {
    if (sorted_) return InsertionOrder(texts);
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    return order;
}

void ListItems::AppendInOrder(const std::vector<std::string>& texts, const std::vector<std::size_t>& order) {
    AppendEach(order.size(), [&](std::size_t k) { return std::string_view(texts[order[k]]); });
}

void ListItems::AppendEach(std::size_t count, const std::function<std::string_view(std::size_t)>& text) {
    Reserve(static_cast<int>(count), 32);
    // The class's own procedure takes the thousands of inserts of a fill straight, past the message dispatch and
    // our subclass, which does nothing with inserts. Each text is made wide as it goes in: a fill of 20,000 names
    // would otherwise hold a second copy of all of them.
    const WNDPROC own = ClassProcedure(hwnd_);
    std::wstring wide;
    for (std::size_t k = 0; k < count; ++k) {
        wide.clear();
        text::AppendUtf16(text(k), wide);
        CallWindowProcW(own, hwnd_, MSGS.insertString, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

void ListItems::Clear() { SendMessageW(hwnd_, MSGS.reset, 0, 0); }

void ListItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    SendMessageW(hwnd_, MSGS.deleteString, static_cast<WPARAM>(index), 0);
}

void ListItems::Exchange(int a, int b) {
    const int n = Count();
    if (a == b || a < 0 || b < 0 || a >= n || b >= n) return;
    if (a > b) std::swap(a, b);
    const LRESULT selected = SendMessageW(hwnd_, MSGS.getCurSel, 0, 0);
    const std::wstring first = WideItem(a);
    const std::wstring second = WideItem(b);
    // Replace b first, so that index a still names the same item.
    SendMessageW(hwnd_, MSGS.deleteString, static_cast<WPARAM>(b), 0);
    Insert(b, first);
    SendMessageW(hwnd_, MSGS.deleteString, static_cast<WPARAM>(a), 0);
    Insert(a, second);
    if (selected >= 0) SendMessageW(hwnd_, MSGS.setCurSel, static_cast<WPARAM>(selected), 0);
}

int ListItems::IndexOf(const std::string& text) const {
    // An empty text never names an item.
    if (text.empty()) return -1;
    const std::wstring wide = ToWide(text);
    // The control's search ignores letter case, and a case-sensitive folder may hold "README.txt" beside
    // "readme.txt": of the items it finds, the one that is exactly text comes first. Each search goes on after the
    // item it is given and wraps round to the first match at the end.
    const LPARAM key = reinterpret_cast<LPARAM>(wide.c_str());
    const LRESULT first = SendMessageW(hwnd_, MSGS.findExact, static_cast<WPARAM>(-1), key);
    if (first == LB_ERR) return -1;
    for (LRESULT i = first; i != LB_ERR;) {
        if (WideItem(static_cast<int>(i)) == wide) return static_cast<int>(i);
        i = SendMessageW(hwnd_, MSGS.findExact, static_cast<WPARAM>(i), key);
        if (i <= first) break;
    }
    return static_cast<int>(first);
}

void ListItems::Reserve(int count, int bytesEach) {
    if (count <= 0) return;
    SendMessageW(hwnd_, MSGS.initStorage, static_cast<WPARAM>(count),
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
                 int height, bool sorted, bool withIcons)
    : Control(owner, parent, name), sorted_(sorted), withIcons_(withIcons) {
    // A sorted list orders its items itself (ListItems), so the control never sorts.
    const DWORD drawn = withIcons ? LBS_OWNERDRAWFIXED | LBS_HASSTRINGS : 0;
    CreateHandle(L"ListBox",
                 WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | drawn,
                 WS_EX_CLIENTEDGE, left, top, width, height);
    if (withIcons_) MeasureRows();
}

void ListBox::SetIcons(IconSource source) {
    iconSource_ = std::move(source);
    if (withIcons_) {
        MeasureRows();
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

HGDIOBJ ListBox::ListFont() const {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    return font ? font : GetStockObject(DEFAULT_GUI_FONT);
}

int ListBox::IconSize() const { return SystemMetricForDpi(SM_CXSMICON, Dpi()); }

void ListBox::MeasureRows() {
    // A list that draws its items keeps the height it was given when its font changes: it is set here for the
    // font and the icon of the DPI now.
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, ListFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, IconRowHeight(tm.tmHeight, IconSize(), Dpi()));
}

void ListBox::DpiChanged() {
    Control::DpiChanged();
    if (withIcons_) MeasureRows();
}

void ListBox::DrawIcon(HDC dc, const ListIcon& image, int x, int y, int size) const {
    int width = 0, height = 0;
    ImageList_GetIconSize(image.images, &width, &height);
    if (width == size && height == size) {
        ImageList_Draw(image.images, image.index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    // A list of icons of another size is drawn to the size of this one.
    if (HICON icon = ImageList_GetIcon(image.images, image.index, ILD_TRANSPARENT)) {
        DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
}

bool ListBox::DrawItem(const DRAWITEMSTRUCT& dis) {
    if (!withIcons_) return false;
    HDC dc = dis.hDC;
    RECT row = dis.rcItem;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis.itemState & ODS_DISABLED) != 0 || !IsWindowEnabled(hwnd_);
    // The whole row is drawn each time, so that a focus rectangle drawn before is always painted over.
    FillRect(dc, &row, GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (dis.itemID != static_cast<UINT>(-1)) {
        const int index = static_cast<int>(dis.itemID);
        std::wstring text;
        const LRESULT len = SendMessageW(hwnd_, LB_GETTEXTLEN, dis.itemID, 0);
        if (len > 0) {
            text.resize(static_cast<std::size_t>(len) + 1);
            const LRESULT got = SendMessageW(hwnd_, LB_GETTEXT, dis.itemID, reinterpret_cast<LPARAM>(&text[0]));
            text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        }
        const int pad = Scale(kIconRowPadding);
        const int size = IconSize();
        const ListIcon image = iconSource_ ? iconSource_(index, text, size) : ListIcon{};
        if (image.images && image.index >= 0)
            DrawIcon(dc, image, row.left + pad, row.top + (row.bottom - row.top - size) / 2, size);
        RECT textRect = row;
        textRect.left += pad + size + pad * 2;
        HGDIOBJ old = SelectObject(dc, ListFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
        SelectObject(dc, old);
    }
    if (dis.itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
    return true;
}

int ListBox::ItemIndex() const {
    LRESULT i = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void ListBox::SetItemIndex(int index) { SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void ListBox::Clear() { Items().Clear(); }

void ListBox::BeginUpdate() {
    if (updateDepth_++ == 0) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ListBox::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ != 0) return;
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBox::SetHorizontalExtent(int pixels) {
    SendMessageW(hwnd_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels), 0);
}

void ListBox::PressKey(WORD key) { SendMessageW(hwnd_, WM_KEYDOWN, key, 1); }

int ListBox::ItemAt(int x, int y) const {
    const LRESULT hit = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    if (HIWORD(hit) != 0) return -1;  // outside the items
    return static_cast<int>(LOWORD(hit));
}

bool ListBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        pressedItem_ = OnBeginDrag ? ItemAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)) : -1;
        pressed_ = pressedItem_ >= 0;
        pressedAt_ = POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    case WM_SETFONT:
        if (!withIcons_) break;
        // The form's new font (at a new DPI too) keeps the rows' height of a list that draws its items: measured
        // again once the list has the font.
        result = CallOriginal(msg, wp, lp);
        MeasureRows();
        return true;
    case WM_MOUSEMOVE:
        if (!pressed_ || !(wp & MK_LBUTTON)) break;
        // Until the press becomes a drag the list does not see the pointer move, or it would select the item under
        // the pointer while the button is down, and the drag would carry that neighbour instead of the pressed item.
        result = 0;
        if (std::abs(GET_X_LPARAM(lp) - pressedAt_.x) > GetSystemMetrics(SM_CXDRAG) / 2 ||
            std::abs(GET_Y_LPARAM(lp) - pressedAt_.y) > GetSystemMetrics(SM_CYDRAG) / 2) {
            pressed_ = false;
            // The list ends its own tracking of the press as if the button had come up where it went down.
            CallOriginal(WM_LBUTTONUP, 0, MAKELPARAM(pressedAt_.x, pressedAt_.y));
            if (ItemIndex() != pressedItem_) {
                SetItemIndex(pressedItem_);
                Click();
            }
            OnBeginDrag(this);
        }
        return true;
    default:
        break;
    }
    return Control::HandleMessage(msg, wp, lp, result);
}

void ListBox::Notify(WORD code) {
    if (code == LBN_SELCHANGE) Click();
    else if (code == LBN_DBLCLK && OnDblClick) OnDblClick(this);
}

ComboBox::ComboBox(Component* owner, Control* parent, const std::string& name, int left, int top, int width,
                   int height, bool sorted)
    : Control(owner, parent, name), sorted_(sorted) {
    CreateHandle(L"ComboBox", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, left, top,
                 width, kOpenListHeight);
    SetHeight(Scale(height));
    RememberPlacement(Left(), Top(), Width(), Height());
}

void ComboBox::SetHeight(int h) {
    // The closed box is its edit field plus the border the system draws around it.
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(h - 6, 1));
}

void ComboBox::SetClosedHeightExactly(int h) {
    SetHeight(h);
    if (const int off = Height() - h; off != 0)
        SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(h - 6 - off, 1));
}

void ComboBox::PlaceWithOpenList(int left, int top, int width) {
    SetWindowPos(hwnd_, nullptr, left, top, width, Scale(kOpenListHeight), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBox::SetBounds(int left, int top, int width, int height) {
    // A move can give the closed box the height of its font again: it keeps that unless a new height is asked for.
    const int closed = Height();
    PlaceWithOpenList(left, top, width);
    if (height != closed) SetHeight(height);
    RememberPlacement(left, top, width, Height());
}

void ComboBox::DpiChanged() {
    // The form's new font has set the closed box's height from the font; the height it had comes back, scaled.
    const RECT r = PlacedAtDpi();
    PlaceWithOpenList(r.left, r.top, r.right - r.left);
    SetClosedHeightExactly(r.bottom - r.top);
}

int ComboBox::ItemIndex() const {
    LRESULT i = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? -1 : static_cast<int>(i);
}

void ComboBox::SetItemIndex(int index) { SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void ComboBox::ClearItems() {
    std::string text = Text();
    Items().Clear();
    SetText(text);
}

void ComboBox::BeginUpdate() {
    if (updateDepth_++ == 0) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ComboBox::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ != 0) return;
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ComboBox::Notify(WORD code) {
    if ((code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && OnChange) OnChange(this);
}

}  // namespace ui
