// The single-line edit box, the spin edit (an edit box with arrows whose value stays within its range) and the
// system's hotkey box (it shows the key combination pressed in it).
#pragma once

#include "ui/Control.h"

namespace ui {

class Edit : public Control {
public:
    Edit(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height);
    void SelectAll();
    // Types a character at the caret, as the keyboard would.
    void Type(wchar_t character);
    // A change of the text; while an input method composes, once when the composition ends (the text committed).
    NotifyEvent OnChange;
    void Notify(WORD code) override;
    bool Composing() const override { return composing_; }

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    bool composing_ = false;
    bool changedWhileComposing_ = false;
};

class SpinEdit : public Edit {
public:
    SpinEdit(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height,
             int minValue, int maxValue, int value);
    ~SpinEdit() override;
    // The value shown, kept within the range; text that is no number reads as the lower bound.
    int Value() const;
    void SetValue(int v);
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    void SetVisible(bool v) override;
    // The box and its arrows fill the design bounds again at the new DPI.
    void DpiChanged() override;
    // Leaving the box puts typed text back within the range.
    void Notify(WORD code) override;

private:
    int Clamp(long long v) const;
    HWND updown_ = nullptr;
    int min_, max_;
};

class HotKeyEdit : public Control {
public:
    HotKeyEdit(Component* owner, Control* parent, const std::string& name, int left, int top, int width, int height);
    // The combination: the virtual key in the low byte, the HOTKEYF_ flags in the high byte; 0 for none.
    unsigned Value() const;
    void SetValue(unsigned value);
};

}  // namespace ui
