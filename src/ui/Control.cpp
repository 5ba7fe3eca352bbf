#include "ui/Control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>
#include <vector>

#include "ui/CodePage.h"
#include "ui/DragDrop.h"
#include "ui/Form.h"
#include "ui/Guard.h"
#include "ui/Menus.h"

namespace ui {

namespace {
const wchar_t kControlProp[] = L"ui.Control";
const wchar_t kNameProp[] = L"ui.Name";
}  // namespace

COLORREF ColorToRGB(TColor c) {
    if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c & 0x00FFFFFF);
}

std::string GetWindowTextString(HWND hwnd) {
    const int len = GetWindowTextLengthW(hwnd);
    if (len <= 0) return std::string();
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 2);
    const int got = GetWindowTextW(hwnd, buf.data(), static_cast<int>(buf.size()));
    return FromWide(std::wstring_view(buf.data(), got > 0 ? static_cast<size_t>(got) : 0));
}

Control::Control(Component* owner, Control* parent, const std::string& name) : Component(owner), parent_(parent) {
    Name = name;
}

Control::~Control() {
    if (hwnd_) {
        if (Form* f = ParentForm()) f->ForgetControl(this);
        DestroyHandle();
    }
}

void Control::DestroyHandle() {
    ForgetFileDrops(hwnd_);
    if (originalProc_) {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        originalProc_ = nullptr;
    }
    RemovePropW(hwnd_, kControlProp);
    if (nameAtom_) {
        RemovePropW(hwnd_, kNameProp);
        GlobalDeleteAtom(nameAtom_);
        nameAtom_ = 0;
    }
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

Form* Control::ParentForm() const {
    for (Control* p = parent_; p; p = p->parent_) {
        if (auto* f = dynamic_cast<Form*>(p)) return f;
    }
    return nullptr;
}

void Control::CreateHandle(const wchar_t* className, DWORD style, DWORD exStyle, int left, int top, int width,
                           int height) {
    Form* form = ParentForm();
    HWND parentHwnd = parent_ ? parent_->Handle() : nullptr;
    int id = form ? form->NextControlId() : 0;
    const int dpi = Dpi();
    left = ScaleToDpi(left, dpi);
    top = ScaleToDpi(top, dpi);
    width = ScaleToDpi(width, dpi);
    height = ScaleToDpi(height, dpi);
    placed_ = Placement{left, top, width, height, dpi};
    HWND h = CreateWindowExW(exStyle, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS, left, top, width, height,
                             parentHwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                             nullptr);
    if (!h) throw std::runtime_error("CreateWindowEx failed for " + Name);
    AdoptHandle(h);
    // A plain window-procedure subclass with the control in the window's user data: both are read locally, where
    // the system's subclass helper costs a server round trip per message under Wine (a list of 20,000 files took
    // seconds to fill).
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    originalProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::SubclassProc)));
    if (form) form->RememberControl(this);
    ApplyFont();
}

void Control::AdoptHandle(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropW(hwnd_, kControlProp, reinterpret_cast<HANDLE>(this));
    RegisterName();
}

void Control::RegisterName() {
    // The design name travels with the window so that tools (and tests) can find a control by it.
    if (Name.empty() || !hwnd_) return;
    nameAtom_ = GlobalAddAtomW(ToWide(Name).c_str());
    if (nameAtom_) SetPropW(hwnd_, kNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(nameAtom_)));
}

Control* Control::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Control*>(GetPropW(hwnd, kControlProp)) : nullptr;
}

int Control::Left() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r.left;
}

int Control::Top() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r.top;
}

int Control::Width() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return r.right - r.left;
}

int Control::Height() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return r.bottom - r.top;
}

void Control::SetBounds(int left, int top, int width, int height) {
    RememberPlacement(left, top, width, height);
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Control::Dpi() const {
    const Form* f = ParentForm();
    return f ? f->Dpi() : kDesignDpi;
}

void Control::RememberPlacement(int left, int top, int width, int height) {
    placed_ = Placement{left, top, width, height, Dpi()};
}

RECT Control::PlacedAtDpi() const {
    const int dpi = Dpi();
    const int left = Rescale(placed_.left, placed_.dpi, dpi);
    const int top = Rescale(placed_.top, placed_.dpi, dpi);
    return RECT{left, top, left + Rescale(placed_.width, placed_.dpi, dpi),
                top + Rescale(placed_.height, placed_.dpi, dpi)};
}

void Control::DpiChanged() {
    if (ownFont_) {
        const FontSpec font = *ownFont_;  // SetFont replaces the one it is given
        SetFont(font);                     // made again at the new DPI
    }
    const RECT r = PlacedAtDpi();
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Control::ClientWidth() const {
    RECT r;
    GetClientRect(hwnd_, &r);
    return r.right;
}

int Control::ClientHeight() const {
    RECT r;
    GetClientRect(hwnd_, &r);
    return r.bottom;
}

bool Control::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool v) { ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE); }

bool Control::Enabled() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_DISABLED) == 0; }

void Control::SetEnabled(bool v) { EnableWindow(hwnd_, v ? TRUE : FALSE); }

std::string Control::Caption() const { return GetWindowTextString(hwnd_); }

void Control::SetCaption(const std::string& text) { SetWindowTextW(hwnd_, ToWide(text).c_str()); }

void Control::SetColor(TColor c) {
    color_ = c;
    brush_.reset(c == clDefault ? nullptr : CreateSolidBrush(ColorToRGB(c)));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::SetFont(const FontSpec& font) {
    ownFont_ = std::make_unique<FontSpec>(font);
    ownFontHandle_.reset(CreateFontW(Scale(font.Height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     static_cast<BYTE>(font.Charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, ToWide(font.Name).c_str()));
    ApplyFont();
}

HFONT Control::FontHandle() const {
    if (ownFontHandle_) return static_cast<HFONT>(ownFontHandle_.get());
    if (const Form* f = ParentForm()) return f->FontHandle();
    return nullptr;
}

void Control::ApplyFont() {
    if (HFONT f = FontHandle(); f && hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
}

void Control::SetHint(const std::string& hint) {
    hint_ = hint;
    if (Form* f = ParentForm()) f->UpdateHint(this);
}

void Control::SetShowHint(bool v) {
    showHint_ = v;
    if (Form* f = ParentForm()) f->UpdateHint(this);
}

void Control::SetTabOrder(int order) {
    tabOrder_ = order;
    if (Form* f = ParentForm()) f->ApplyTabOrder();
}

void Control::SetFocus() { ::SetFocus(hwnd_); }

bool Control::Focused() const {
    HWND f = GetFocus();
    return f && (f == hwnd_ || IsChild(hwnd_, f));
}

void Control::Click() {
    if (OnClick) OnClick(this);
}

void Control::Notify(WORD) {}

HBRUSH Control::CtlColor(HDC dc) {
    const Form* form = ParentForm();
    TColor text = ownFont_ ? ownFont_->Color : (form ? form->FontColor() : clWindowText);
    if (color_ == clDefault && text == clWindowText) return nullptr;
    SetTextColor(dc, ColorToRGB(text));
    if (color_ != clDefault) {
        SetBkColor(dc, ColorToRGB(color_));
        return static_cast<HBRUSH>(brush_.get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void Control::TrackMouse() {
    if (mouseInside_) return;
    mouseInside_ = true;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd_, 0};
    TrackMouseEvent(&tme);
    if (OnMouseEnter) OnMouseEnter(this);
}

namespace {
ShiftState MouseShift(WPARAM wp) {
    ShiftState s;
    s.shift = (wp & MK_SHIFT) != 0;
    s.ctrl = (wp & MK_CONTROL) != 0;
    s.alt = GetKeyState(VK_MENU) < 0;
    s.left = (wp & MK_LBUTTON) != 0;
    s.right = (wp & MK_RBUTTON) != 0;
    s.middle = (wp & MK_MBUTTON) != 0;
    return s;
}
}  // namespace

bool Control::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_DROPFILES:
        if (HandleDropFiles(hwnd_, reinterpret_cast<HDROP>(wp))) {
            result = 0;
            return true;
        }
        break;
    case WM_MOUSEMOVE:
        TrackMouse();
        break;
    case WM_GETDLGCODE: {
        const auto* key = reinterpret_cast<const MSG*>(lp);
        if (OnKeyDown && key && key->message == WM_KEYDOWN && (key->wParam == VK_ESCAPE || key->wParam == VK_RETURN)) {
            result = CallOriginal(msg, wp, lp) | DLGC_WANTMESSAGE;
            return true;
        }
        break;
    }
    case WM_KEYDOWN:
        if (OnKeyDown && !Composing()) {
            WORD key = static_cast<WORD>(wp);
            OnKeyDown(this, key);
            if (key == 0) return true;
        }
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            wchar_t key = static_cast<wchar_t>(wp);
            OnKeyPress(this, key);
            if (key == 0) return true;
        }
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        if (OnMouseLeave) OnMouseLeave(this);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (OnMouseDown) {
            MouseButton b = msg == WM_LBUTTONDOWN ? MouseButton::Left
                            : msg == WM_RBUTTONDOWN ? MouseButton::Right
                                                    : MouseButton::Middle;
            OnMouseDown(this, b, MouseShift(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        }
        break;
    default:
        break;
    }
    return false;
}

LRESULT Control::CallOriginal(UINT msg, WPARAM wp, LPARAM lp) {
    return CallWindowProcW(originalProc_, hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->originalProc_) return DefWindowProcW(hwnd, msg, wp, lp);
    WNDPROC original = self->originalProc_;
    if (msg == WM_NCDESTROY) {
        ForgetFileDrops(hwnd);
        // The window goes before the control (its parent was destroyed): let go of it.
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->originalProc_ = nullptr;
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    if (self->showHint_ && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        if (Form* f = self->ParentForm()) f->RelayToHint(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    bool handled = false;
    GuardedCall([&] { handled = self->HandleMessage(msg, wp, lp, result); });
    if (handled) return result;
    return CallWindowProcW(original, hwnd, msg, wp, lp);
}

}  // namespace ui
