#include "ui/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Dpi.h"
#include "ui/Guard.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace ui {

namespace {

const DWORD kFrameBits = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP |
                         WS_DLGFRAME | WS_BORDER;

void RegisterFormClass(const std::string& className) {
    const std::wstring wideName = ToWide(className);
    // A class name is an atom of at most 255 characters; a longer one brought down Wine's wide class functions.
    if (wideName.size() > 255) throw std::runtime_error("RegisterClassEx failed for " + className);
    WNDCLASSEXW wc{};
    HINSTANCE inst = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(inst, wideName.c_str(), &wc)) return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window below
    wc.hInstance = inst;
    wc.hIcon = LoadIconW(inst, L"MAINICON");
    wc.hIconSm = static_cast<HICON>(LoadImageW(inst, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = wideName.c_str();
    if (!RegisterClassExW(&wc)) throw std::runtime_error("RegisterClassEx failed for " + className);
}

HWND OwnerWindowOf(Component* owner) {
    for (Component* c = owner; c; c = c->Owner()) {
        if (auto* f = dynamic_cast<Form*>(c)) return f->Handle();
    }
    return nullptr;
}

struct DisableContext {
    HWND except;
    std::vector<HWND>* list;
};

BOOL CALLBACK CollectEnabledWindow(HWND h, LPARAM lp) {
    auto* c = reinterpret_cast<DisableContext*>(lp);
    if (h != c->except && IsWindowEnabled(h) && IsWindowVisible(h)) c->list->push_back(h);
    return TRUE;
}

// The windows of this thread that a modal form disables, and enables again when it ends.
std::vector<HWND> DisableThreadWindows(HWND except) {
    std::vector<HWND> list;
    DisableContext ctx{except, &list};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&ctx));
    for (HWND h : list) EnableWindow(h, FALSE);
    return list;
}

// The modal forms now open, innermost last.
std::vector<Form*>& OpenModalForms() {
    static std::vector<Form*> forms;
    return forms;
}

}  // namespace

Form::Form(Component* owner, const std::string& className, const std::string& name)
    : Control(owner, nullptr, name) {
    RegisterFormClass(className);
    HWND h = CreateWindowExW(WS_EX_CONTROLPARENT, ToWide(className).c_str(), L"",
                             WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 300, 200,
                             OwnerWindowOf(owner), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!h) throw std::runtime_error("CreateWindowEx failed for " + className);
    AdoptHandle(h);
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::WndProc));
    dpi_ = WindowDpi(h);
    ApplyIcons();
    SetFormFont(FontSpec{"ＭＳ Ｐゴシック", -12, SHIFTJIS_CHARSET, clWindowText});
}

Form::~Form() {
    // Controls go while the window and this form are whole; then the window.
    DestroyComponents();
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        if (tooltip_) DestroyWindow(tooltip_);
        DestroyHandle();
    }
}

Form* Form::FromHandle(HWND hwnd) {
    // Read locally: the message loop asks this for every message.
    if (!hwnd || GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Form::WndProc)) return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

int Form::Left() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return r.left;
}

int Form::Top() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return r.top;
}

void Form::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetDesignBounds(int left, int top, int width, int height) {
    const int systemDpi = SystemDpi();
    SetBounds(ScaleToDpi(left, systemDpi), ScaleToDpi(top, systemDpi), Scale(width), Scale(height));
}

void Form::SetClientSize(int w, int h) {
    RECT outer, client;
    GetWindowRect(hwnd_, &outer);
    GetClientRect(hwnd_, &client);
    int dw = (outer.right - outer.left) - client.right;
    int dh = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, w + dw, h + dh, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Form::SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }

void Form::SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }

void Form::SetBorderStyle(BorderStyle s) {
    borderStyle_ = s;
    ApplyFrameStyle();
}

void Form::SetSystemMenu(bool on) {
    systemMenu_ = on;
    ApplyFrameStyle();
}

void Form::ApplyFrameStyle() {
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)) & ~kFrameBits;
    DWORD ex = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)) & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
    switch (borderStyle_) {
    case BorderStyle::Sizeable:
        style |= WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        if (systemMenu_) style |= WS_SYSMENU;
        break;
    case BorderStyle::None:
        style |= WS_POPUP;
        break;
    case BorderStyle::Dialog:
        style |= WS_POPUP | WS_CAPTION;
        if (systemMenu_) style |= WS_SYSMENU;
        ex |= WS_EX_DLGMODALFRAME;
        break;
    }
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(ex));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetFormStyle(FormStyle s) {
    formStyle_ = s;
    SetWindowPos(hwnd_, s == FormStyle::StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::SetFormFont(const FontSpec& font) {
    fontSpec_ = font;
    font_.reset(CreateFontW(Scale(font.Height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            static_cast<BYTE>(font.Charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, ToWide(font.Name).c_str()));
    ApplyFont();
    for (Control* c : controls_) {
        if (!c->OwnFont()) SendMessageW(c->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    }
}

void Form::ForgetControl(Control* c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    if (lastFocus_ == c->Handle()) lastFocus_ = nullptr;
    if (defaultButton_ == c) defaultButton_ = nullptr;
    if (cancelButton_ == c) cancelButton_ = nullptr;
    if (tooltip_) {
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = hwnd_;
        ti.uId = reinterpret_cast<UINT_PTR>(c->Handle());
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void Form::UpdateHint(Control* c) {
    if (!tooltip_) {
        // Owned by the application window, not by the form: under Wine a window that owns a topmost popup cannot
        // itself be made topmost, which would break the form style stay-on-top.
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                   App().Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!tooltip_) return;
    }
    std::wstring text = ToWide(c->Hint());
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;  // mouse messages come through RelayToHint
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(c->Handle());
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    if (c->ShowHint() && !text.empty()) SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Form::RelayToHint(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (!tooltip_) return;
    MSG m{control, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void Form::ApplyTabOrder() {
    std::map<HWND, std::vector<Control*>> byParent;
    for (Control* c : controls_) {
        if (c->TabOrder() >= 0) byParent[GetParent(c->Handle())].push_back(c);
    }
    for (auto& [parent, list] : byParent) {
        std::stable_sort(list.begin(), list.end(),
                         [](Control* a, Control* b) { return a->TabOrder() < b->TabOrder(); });
        HWND after = HWND_TOP;
        for (Control* c : list) {
            SetWindowLongW(c->Handle(), GWL_STYLE, GetWindowLongW(c->Handle(), GWL_STYLE) | WS_TABSTOP);
            SetWindowPos(c->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = c->Handle();
        }
    }
}

void Form::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void Form::CenterOnOwner() {
    Form* owner = nullptr;
    for (Component* c = Owner(); c && !owner; c = c->Owner()) owner = dynamic_cast<Form*>(c);
    if (!owner) return;
    int left = owner->Left() + (owner->Width() - Width()) / 2;
    int top = owner->Top() + (owner->Height() - Height()) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(owner->Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        left = std::max<int>(work.left, std::min<int>(left, work.right - Width()));
        top = std::max<int>(work.top, std::min<int>(top, work.bottom - Height()));
    }
    SetBounds(left, top, Width(), Height());
}

void Form::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void Form::ChangeDpi(int dpi, const RECT& suggested) {
    if (dpi > 0 && dpi != dpi_) {
        dpi_ = dpi;
        SetFormFont(fontSpec_);
        for (Control* c : controls_) c->DpiChanged();
        ApplyIcons();
    }
    const int clientWidth = ClientWidth();
    const int clientHeight = ClientHeight();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // A new size has laid the form out (WM_SIZE); the same size must be laid out too, for the controls' new heights.
    if (ClientWidth() == clientWidth && ClientHeight() == clientHeight && OnResize) OnResize(this);
    if (OnDpiChanged) OnDpiChanged(this);
}

void Form::ApplyIcons() {
    if (dpi_ == SystemDpi() && !smallIcon_) return;  // the class's icons are made for this DPI
    HINSTANCE inst = GetModuleHandleW(nullptr);
    auto load = [&](int widthMetric, int heightMetric) {
        return static_cast<HICON>(LoadImageW(inst, L"MAINICON", IMAGE_ICON, SystemMetricForDpi(widthMetric, dpi_),
                                              SystemMetricForDpi(heightMetric, dpi_), 0));
    };
    IconHandle small(load(SM_CXSMICON, SM_CYSMICON));
    IconHandle big(load(SM_CXICON, SM_CYICON));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    // The window has let go of the icons it had: they can go now.
    smallIcon_ = std::move(small);
    bigIcon_ = std::move(big);
}

Form* Form::InnermostModal() { return OpenModalForms().empty() ? nullptr : OpenModalForms().back(); }

int Form::ShowModal() {
    if (modal_) throw std::logic_error("form is already modal: " + Name);
    modal_ = true;
    struct ModalEntry {
        explicit ModalEntry(Form* f) : form(f) { OpenModalForms().push_back(f); }
        ~ModalEntry() { OpenModalForms().erase(std::find(OpenModalForms().begin(), OpenModalForms().end(), form)); }
        Form* form;
    } entry(this);
    modalResult_ = mrNone;
    std::vector<HWND> disabled = DisableThreadWindows(hwnd_);
    Show();
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
    MSG msg;
    for (;;) {
        if (modalResult_ != mrNone && FinishModal()) break;
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {  // the application is ending: let the outer loop see it too
            PostQuitMessage(static_cast<int>(msg.wParam));
            if (modalResult_ == mrNone) modalResult_ = mrCancel;
            break;
        }
        App().ProcessMessage(msg);
    }
    for (HWND h : disabled) {
        if (IsWindow(h)) EnableWindow(h, TRUE);
    }
    Hide();
    modal_ = false;
    return modalResult_;
}

bool Form::FinishModal() {
    if (closeAsked_) {  // Close() has already asked OnClose
        closeAsked_ = false;
        return true;
    }
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(this, action);
    if (action == CloseAction::None) {
        modalResult_ = mrNone;
        return false;
    }
    return true;
}

void Form::Close() {
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(this, action);
    if (action == CloseAction::None) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        closeAsked_ = true;  // the modal loop must not ask OnClose a second time
        PostMessageW(hwnd_, WM_NULL, 0, 0);
        return;
    }
    if (App().MainForm() == this) {
        Hide();
        App().Terminate();
    } else if (action == CloseAction::Free) {
        Release();
    } else {
        Hide();
    }
}

void Form::Release() {
    Hide();
    App().ReleaseForm(this);
}

void Form::SetActiveControl(Control* c) {
    if (!c || !IsChild(hwnd_, c->Handle())) return;
    lastFocus_ = c->Handle();
    if (GetActiveWindow() == hwnd_) ::SetFocus(lastFocus_);
}

void Form::FocusFirstControl() {
    if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        ::SetFocus(lastFocus_);
        return;
    }
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) ::SetFocus(first);
}

void Form::ShowPopupMenu(HWND source, LPARAM lp) {
    Control* c = Control::FromHandle(source);
    PopupMenu* menu = (c && c->GetPopupMenu()) ? c->GetPopupMenu() : GetPopupMenu();
    if (!menu) return;
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (lp == -1) {  // from the keyboard: at the control's top-left corner
        RECT r;
        GetWindowRect(c ? c->Handle() : hwnd_, &r);
        pt = POINT{r.left, r.top};
    }
    menu->Popup(pt.x, pt.y, hwnd_);
}

bool Form::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    bool handled = false;
    GuardedCall([&] {
        result = self->FormMessage(msg, wp, lp);
        handled = true;
    });
    return handled ? result : 0;
}

LRESULT Form::FormMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND: {
        HWND source = reinterpret_cast<HWND>(lp);
        if (Control* c = source ? Control::FromHandle(source) : nullptr) {
            c->Notify(HIWORD(wp));
            return 0;
        }
        Button* target = LOWORD(wp) == IDOK ? defaultButton_ : LOWORD(wp) == IDCANCEL ? cancelButton_ : nullptr;
        if (target && target->Visible() && target->Enabled()) target->Click();
        return 0;
    }
    case DM_GETDEFID:
        if (defaultButton_)
            return MAKELRESULT(GetDlgCtrlID(defaultButton_->Handle()), DC_HASDEFID);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (Control* c = Control::FromHandle(reinterpret_cast<HWND>(lp))) {
            if (HBRUSH b = c->CtlColor(reinterpret_cast<HDC>(wp))) return reinterpret_cast<LRESULT>(b);
        }
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (Control* c = Control::FromHandle(dis->hwndItem); c && c->DrawItem(*dis)) return TRUE;
        break;
    }
    case WM_SIZE:
        if (OnResize) OnResize(this);
        if (wp == SIZE_MINIMIZED && OnMinimize) OnMinimize(this);
        return 0;
    case WM_DPICHANGED:
        ChangeDpi(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(this);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        if (OnMouseDown) {
            ShiftState s;
            s.left = (wp & MK_LBUTTON) != 0;
            s.right = (wp & MK_RBUTTON) != 0;
            s.shift = (wp & MK_SHIFT) != 0;
            s.ctrl = (wp & MK_CONTROL) != 0;
            OnMouseDown(this, msg == WM_LBUTTONDOWN ? MouseButton::Left : MouseButton::Right, s, GET_X_LPARAM(lp),
                        GET_Y_LPARAM(lp));
        }
        return 0;
    }
    case WM_CONTEXTMENU:
        ShowPopupMenu(reinterpret_cast<HWND>(wp), lp);
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && IsChild(hwnd_, f)) lastFocus_ = f;
        } else if (!HIWORD(wp)) {
            FocusFirstControl();
            return 0;
        }
        break;
    case WM_SETFOCUS:
        FocusFirstControl();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ui
