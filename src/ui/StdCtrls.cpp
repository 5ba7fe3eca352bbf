#include "ui/StdCtrls.h"

#include "ui/CodePage.h"
#include "ui/Form.h"

namespace ui {

Label::Label(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left,
             int top, int width, int height, bool wordWrap, bool fixedSize)
    : Control(owner, parent, name), autoSize_(!wordWrap && !fixedSize) {
    CreateHandle(L"Static", WS_VISIBLE | SS_NOTIFY | (wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP), 0, left, top, width,
                 height);
    SetCaption(caption);
}

void Label::SetCaption(const std::string& text) {
    Control::SetCaption(text);
    if (!autoSize_) return;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, FontHandle());
    SIZE size{};
    const std::wstring wide = ToWide(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    if (size.cx != Width()) SetWidth(size.cx);
}

void Label::DpiChanged() {
    Control::DpiChanged();
    if (autoSize_) SetCaption(Caption());
}

void Label::SetShowAccelChar(bool on) {
    const LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    SetWindowLongW(hwnd_, GWL_STYLE, on ? style & ~SS_NOPREFIX : style | SS_NOPREFIX);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Label::Notify(WORD code) {
    if (code == STN_CLICKED) Click();
    else if (code == STN_DBLCLK && OnDblClick) OnDblClick(this);
}

Button::Button(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left,
               int top, int width, int height)
    : Control(owner, parent, name) {
    CreateHandle(L"Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, left, top, width, height);
    SetCaption(caption);
}

void Button::SetDefault(bool on) {
    Form* f = ParentForm();
    if (!f) return;
    f->SetDefaultButton(on ? this : nullptr);
    LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    if ((style & BS_TYPEMASK) == BS_OWNERDRAW) return;
    SendMessageW(hwnd_, BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::SetCancel(bool on) {
    if (Form* f = ParentForm()) f->SetCancelButton(on ? this : nullptr);
}

void Button::Click() {
    if (modalResult_ != mrNone) {
        if (Form* f = ParentForm()) f->SetModalResult(modalResult_);
    }
    Control::Click();
}

void Button::Notify(WORD code) {
    if (code == BN_CLICKED) Click();
}

void Button::UseOwnTextColor() {
    LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    SetWindowLongW(hwnd_, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Button::DrawItem(const DRAWITEMSTRUCT& dis) {
    // A plain push button face with the caption in the button's own font colour.
    RECT r = dis.rcItem;
    bool pushed = (dis.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(dis.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const std::wstring text = ToWide(Caption());
    const FontSpec* font = OwnFont();
    SetBkMode(dis.hDC, TRANSPARENT);
    SetTextColor(dis.hDC, Enabled() ? ColorToRGB(font ? font->Color : clWindowText) : GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dis.hDC, FontHandle());
    if (pushed) OffsetRect(&r, 1, 1);
    DrawTextW(dis.hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dis.hDC, old);
    if (dis.itemState & ODS_FOCUS) {
        RECT f = dis.rcItem;
        InflateRect(&f, -4, -4);
        DrawFocusRect(dis.hDC, &f);
    }
    return true;
}

CheckBox::CheckBox(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left,
                   int top, int width, int height)
    : Control(owner, parent, name) {
    CreateHandle(L"Button", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, left, top, width, height);
    SetCaption(caption);
}

bool CheckBox::Checked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool on) { SendMessageW(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

void CheckBox::Notify(WORD code) {
    if (code == BN_CLICKED) Click();
}

RadioButton::RadioButton(Component* owner, Control* parent, const std::string& name, const std::string& caption,
                         int left, int top, int width, int height, bool firstOfGroup)
    : Control(owner, parent, name) {
    CreateHandle(L"Button", WS_VISIBLE | BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0), 0, left,
                 top, width, height);
    SetCaption(caption);
}

bool RadioButton::Checked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioButton::SetChecked(bool on) {
    SendMessageW(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!on) return;
    // One checked button per container, as a user's click would leave it.
    for (HWND h = GetWindow(GetParent(hwnd_), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != hwnd_ && dynamic_cast<RadioButton*>(Control::FromHandle(h)))
            SendMessageW(h, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void RadioButton::Notify(WORD code) {
    if (code == BN_CLICKED) Click();
}

bool Container::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (Form* f = ParentForm()) {
            result = SendMessageW(f->Handle(), msg, wp, lp);
            return true;
        }
        break;
    default:
        break;
    }
    return Control::HandleMessage(msg, wp, lp, result);
}

GroupBox::GroupBox(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left,
                   int top, int width, int height)
    : Container(owner, parent, name) {
    CreateHandle(L"Button", WS_VISIBLE | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, left, top, width,
                 height);
    SetCaption(caption);
}

bool GroupBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    // The system's group box paints only its frame and caption, and the form clips its children: the inside is
    // filled here in the form's colour, or it would keep whatever was on the screen before.
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
        result = 1;
        return true;
    }
    return Container::HandleMessage(msg, wp, lp, result);
}

Panel::Panel(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height)
    : Container(owner, parent, name) {
    CreateHandle(L"Static", WS_VISIBLE | SS_NOTIFY | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE |
                 WS_EX_DLGMODALFRAME, left, top, width, height);
}

Image::Image(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height)
    : Control(owner, parent, name) {
    CreateHandle(L"Static", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, 0, left, top, width, height);
}

void Image::SetIconResource(const wchar_t* name) {
    iconName_ = name;
    LoadIconResource();
}

void Image::DpiChanged() {
    Control::DpiChanged();
    if (iconName_) LoadIconResource();
}

void Image::LoadIconResource() {
    IconHandle icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), iconName_, IMAGE_ICON, ClientWidth(), ClientHeight(), 0)));
    SendMessageW(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    icon_ = std::move(icon);  // the control has let go of the one it had
}

}  // namespace ui

