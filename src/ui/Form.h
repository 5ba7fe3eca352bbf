// A form: a top-level window of its own window class (the form's class name) holding controls, with the border
// style, form style, modal showing and the form events the program's windows bind.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class Button;

using CloseEvent = std::function<void(Component* sender, CloseAction& action)>;

class Form : public Control {
public:
    // className is the form's class name ("TForm1"), used as its window class; a form owned by another form
    // stays above it.
    Form(Component* owner, const std::string& className, const std::string& name);
    ~Form() override;

    Form* ParentForm() const override { return const_cast<Form*>(this); }

    // The DPI the form is shown at, and a design value (96 ppi) in its pixels. Every control, font and design
    // size of the form is scaled by it; when the form is moved to a monitor of another DPI (WM_DPICHANGED) it
    // takes the system's new bounds, makes its fonts again and scales its controls, then lays itself out (OnResize)
    // and runs OnDpiChanged.
    int Dpi() const { return dpi_; }
    int Scale(int designPixels) const { return ScaleToDpi(designPixels, dpi_); }
    int Unscale(int pixels) const { return ScaleToDesign(pixels, dpi_); }

    // Bounds in screen pixels (outer window).
    int Left() const override;
    int Top() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetClientWidth(int w);
    void SetClientHeight(int h);
    void SetClientSize(int w, int h);
    // The design's outer bounds (96 ppi): its place scaled by the system's DPI (where Windows would put a program
    // that does not scale itself), its size by the form's.
    void SetDesignBounds(int left, int top, int width, int height);
    // The client size of the design (96 ppi), scaled to the form's DPI.
    void SetDesignClientSize(int w, int h) { SetClientSize(Scale(w), Scale(h)); }

    BorderStyle GetBorderStyle() const { return borderStyle_; }
    // Changes the frame while the outer bounds stay where they are.
    void SetBorderStyle(BorderStyle s);
    // Whether the caption shows a system menu (and with it the close box).
    void SetSystemMenu(bool on);
    FormStyle GetFormStyle() const { return formStyle_; }
    void SetFormStyle(FormStyle s);

    void SetFormFont(const FontSpec& font);
    HFONT FontHandle() const { return static_cast<HFONT>(font_.get()); }
    TColor FontColor() const { return fontSpec_.Color; }

    // The buttons that Enter and Escape press.
    void SetDefaultButton(Button* b) { defaultButton_ = b; }
    void SetCancelButton(Button* b) { cancelButton_ = b; }

    void Show();
    void Hide();
    // Places the form over the middle of the form that owns it, kept within that form's monitor.
    void CenterOnOwner();
    // Makes c the control that has the focus in this form: at once when the form is active, otherwise as soon
    // as the form becomes active again (a dialog sets the main window's control this way).
    void SetActiveControl(Control* c);
    // Shows the form modally: other windows of the program are disabled until ModalResult is set or the form is
    // closed. Returns the modal result.
    int ShowModal();
    bool IsModal() const { return modal_; }
    // The modal form shown last and still open (the one window of the program a user can reach); null when none.
    static Form* InnermostModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    // Closes as the close box does: OnClose decides; the main form's close ends the application.
    void Close();
    // Frees the form once the events now running have returned.
    void Release();

    NotifyEvent OnCreate;
    NotifyEvent OnResize;
    NotifyEvent OnDpiChanged;
    // The form has been minimised (its minimise button, the system menu, or Application::Minimize).
    NotifyEvent OnMinimize;
    CloseEvent OnClose;

    // Runs OnCreate (the application does this right after constructing the form).
    void DoCreate();
    // What WM_DPICHANGED does: shows the form at dpi within the bounds the system suggests.
    void ChangeDpi(int dpi, const RECT& suggested);

    static Form* FromHandle(HWND hwnd);

    // Bookkeeping for the controls on this form.
    int NextControlId() { return nextId_++; }
    void RememberControl(Control* c) { controls_.push_back(c); }
    void ForgetControl(Control* c);
    void UpdateHint(Control* c);
    // Passes a mouse message of a control with a hint on to the hint window.
    void RelayToHint(HWND control, UINT msg, WPARAM wp, LPARAM lp);
    void ApplyTabOrder();

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT FormMessage(UINT msg, WPARAM wp, LPARAM lp);
    void ApplyFrameStyle();
    bool FinishModal();
    void ShowPopupMenu(HWND source, LPARAM lp);
    void FocusFirstControl();
    // The window's own icons, at its DPI, where they differ from its class's (which are at the system's).
    void ApplyIcons();

    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    FormStyle formStyle_ = FormStyle::Normal;
    bool systemMenu_ = true;
    int dpi_ = kDesignDpi;
    FontSpec fontSpec_;
    GdiObject font_;
    IconHandle smallIcon_;
    IconHandle bigIcon_;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    std::vector<Control*> controls_;
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    int nextId_ = 100;
    bool modal_ = false;
    int modalResult_ = 0;
    bool closeAsked_ = false;
};

}  // namespace ui
