// The simple controls of the program's windows: labels, buttons, check boxes, radio buttons, group boxes, panels
// and images.
#pragma once

#include "ui/Control.h"

namespace ui {

class Form;

// A text label (a static control that reports clicks).
class Label : public Control {
public:
    // wordWrap: the text breaks into lines within the label's width. A label that neither wraps nor has a fixed
    // size takes the width of its caption.
    Label(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left, int top,
          int width, int height, bool wordWrap = false, bool fixedSize = false);
    void SetCaption(const std::string& text) override;
    void Notify(WORD code) override;
    // Whether "&" marks the next character as an accelerator (underlined, "&" hidden); a label that shows a file
    // name turns this off, so that "R&D.txt" reads as it is.
    void SetShowAccelChar(bool on);
    // A label that takes the width of its caption measures it again in the new font.
    void DpiChanged() override;

private:
    bool autoSize_;
};

// A push button; a button with its own font colour paints itself so that the colour shows.
class Button : public Control {
public:
    Button(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left,
           int top, int width, int height);
    // The modal result the button gives its form when clicked (mrNone: none).
    void SetModalResult(int r) { modalResult_ = r; }
    // Enter presses this button.
    void SetDefault(bool on);
    // Escape presses this button.
    void SetCancel(bool on);
    void Click() override;
    void Notify(WORD code) override;
    bool DrawItem(const DRAWITEMSTRUCT& dis) override;
    HBRUSH CtlColor(HDC) override { return nullptr; }
    // Makes the button paint its caption in its own font colour.
    void UseOwnTextColor();

private:
    int modalResult_ = 0;
};

// A check box with its own check mark.
class CheckBox : public Control {
public:
    CheckBox(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left,
             int top, int width, int height);
    bool Checked() const;
    void SetChecked(bool on);
    void Notify(WORD code) override;
};

// A radio button: the checked one of its container's radio buttons.
class RadioButton : public Control {
public:
    RadioButton(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left,
                int top, int width, int height, bool firstOfGroup = false);
    bool Checked() const;
    void SetChecked(bool on);
    void Notify(WORD code) override;
};

// A container that holds controls of its own; its notifications go on to the form.
class Container : public Control {
public:
    using Control::Control;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

// A framed group with a caption.
class GroupBox : public Container {
public:
    GroupBox(Component* owner, Control* parent, const std::string& name, const std::string& caption, int left,
             int top, int width, int height);

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

// A raised panel.
class Panel : public Container {
public:
    Panel(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height);
};

// A picture: an icon of the program's resources, drawn at the image's size in pixels.
class Image : public Control {
public:
    Image(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height);
    void SetIconResource(const wchar_t* name);
    // The icon is loaded again at the new size.
    void DpiChanged() override;

private:
    void LoadIconResource();
    const wchar_t* iconName_ = nullptr;
    IconHandle icon_;
};

}  // namespace ui
