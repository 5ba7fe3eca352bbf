// The windowed control: one child window of a form (or of a container on it) with its design name, bounds,
// caption, colours, font, hint and the mouse events the program's windows bind.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/Component.h"
#include "ui/Handles.h"
#include "ui/Types.h"
#include "ui/rules/DpiScale.h"

namespace ui {

class Form;
class PopupMenu;

using NotifyEvent = std::function<void(Component* sender)>;
using MouseEvent = std::function<void(Component* sender, MouseButton button, ShiftState shift, int x, int y)>;
// A key pressed, by its virtual key, or a character typed; a handler that sets key to 0 keeps it from the control.
using KeyEvent = std::function<void(Component* sender, WORD& key)>;
using KeyPressEvent = std::function<void(Component* sender, wchar_t& key)>;

// A font as the designs give it: face, height in design pixels at 96 ppi (negative: character height), character
// set, colour. It is created at the DPI of the form it is used on.
struct FontSpec {
    std::string Name;
    int Height = -12;
    int Charset = SHIFTJIS_CHARSET;
    TColor Color = clWindowText;
};

class Control : public Component {
public:
    // Creates no window yet: a derived class calls CreateHandle from its constructor. parent is the form or the
    // container (group box, panel) the control sits on; positions are relative to the parent's client area. The
    // bounds a control is constructed with are its design bounds (96 ppi), scaled to its form's DPI; every other
    // bound, read or set, is in pixels.
    Control(Component* owner, Control* parent, const std::string& name);
    ~Control() override;

    HWND Handle() const { return hwnd_; }
    Control* Parent() const { return parent_; }
    // The form the control sits on (itself for a form).
    virtual Form* ParentForm() const;

    virtual int Left() const;
    virtual int Top() const;
    int Width() const;
    int Height() const;
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    virtual void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    int ClientWidth() const;
    int ClientHeight() const;

    bool Visible() const;
    virtual void SetVisible(bool v);
    bool Enabled() const;
    void SetEnabled(bool v);

    // The window text: a label's or button's caption, an edit's or combo box's text.
    std::string Caption() const;
    virtual void SetCaption(const std::string& text);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    // Background colour; clDefault leaves painting to the control.
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    // The control's own font; without one it uses its form's font.
    void SetFont(const FontSpec& font);
    const FontSpec* OwnFont() const { return ownFont_.get(); }
    HFONT FontHandle() const;

    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v);

    PopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(PopupMenu* m) { popupMenu_ = m; }

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order);
    void SetFocus();
    bool Focused() const;

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    // A key pressed while the control has the focus, after the form's shortcuts have passed it by. A control with
    // this event bound is given Esc and Enter too, which the form's dialog keys would take otherwise.
    KeyEvent OnKeyDown;
    // A character typed into the control, text the input method commits included.
    KeyPressEvent OnKeyPress;

    // True while an input method composes text in the control: the keys then belong to the composition, not to the
    // form's shortcuts or OnKeyDown.
    virtual bool Composing() const { return false; }

    // Runs the click as a user's click would (the event, if bound).
    virtual void Click();

    // The control behind a window handle of this program, or nullptr.
    static Control* FromHandle(HWND hwnd);

    // Called by the form for WM_COMMAND / WM_DRAWITEM / WM_CTLCOLOR* sent about this control.
    virtual void Notify(WORD code);
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
    virtual HBRUSH CtlColor(HDC dc);
    // Called by the form when it is shown at another DPI, after the form's own font has changed: the control's
    // font and the bounds the program last gave it are scaled to the new DPI.
    virtual void DpiChanged();

    // The DPI of the control's form (the design's 96 without a form), and a design value in its pixels.
    int Dpi() const;
    int Scale(int designPixels) const { return ScaleToDpi(designPixels, Dpi()); }

protected:
    void CreateHandle(const wchar_t* className, DWORD style, DWORD exStyle, int left, int top, int width, int height);
    // The control's own window procedure hook (subclass); return true when handled.
    virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    LRESULT CallOriginal(UINT msg, WPARAM wp, LPARAM lp);
    void AdoptHandle(HWND hwnd);  // for windows created by derived classes themselves (forms)
    // Removes what the control attached to its window and destroys the window.
    void DestroyHandle();
    void ApplyFont();
    // Called when the form's font changes or a window has just been created.
    virtual void FontChanged() { ApplyFont(); }
    // The bounds the program last gave the control, at the form's DPI now.
    RECT PlacedAtDpi() const;
    // Records bounds set in pixels at the form's DPI now, which a change of DPI scales.
    void RememberPlacement(int left, int top, int width, int height);

    HWND hwnd_ = nullptr;
    Control* parent_;

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    void TrackMouse();
    void RegisterName();

    TColor color_ = clDefault;
    GdiObject brush_;
    std::unique_ptr<FontSpec> ownFont_;
    GdiObject ownFontHandle_;
    std::string hint_;
    bool showHint_ = false;
    PopupMenu* popupMenu_ = nullptr;
    int tabOrder_ = -1;
    bool mouseInside_ = false;
    ATOM nameAtom_ = 0;
    WNDPROC originalProc_ = nullptr;  // the control class's own procedure, behind ours
    // The bounds the program last gave the control and the DPI it gave them at. A change of DPI scales these, not
    // the bounds of the moment, so that going to another DPI and back gives the same bounds again.
    struct Placement {
        int left = 0, top = 0, width = 0, height = 0;
        int dpi = kDesignDpi;
    } placed_;
};

// The Windows colour for a TColor (system colours resolved now).
COLORREF ColorToRGB(TColor c);

// Text of a window.
std::string GetWindowTextString(HWND hwnd);

}  // namespace ui
