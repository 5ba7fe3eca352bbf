// The main window moved to a monitor of another DPI and back (WM_DPICHANGED, as Windows sends it; Wine never does):
// in either folder-list style, framed or caption-less, it lays itself out at the new DPI, takes the caption-less
// mode's frame from the new DPI's metrics, and comes back to the bounds it had.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "app/Unit1.h"
#include "ui/Application.h"
#include "ui/Dpi.h"

namespace {

struct Bounds {
    int left, top, width, height;
    bool operator==(const Bounds& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};
void PrintTo(const Bounds& b, std::ostream* os) {
    *os << "{" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << "}";
}

Bounds WindowBoundsOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::vector<Bounds> ControlBounds(const TForm1& f) {
    std::vector<Bounds> all;
    for (const ui::Control* c : std::vector<const ui::Control*>{f.Label1, f.Label2, f.Label3, f.Label4, f.Button1,
                                                                 f.Button2, f.Button3, f.ListBox1, f.ListBox2,
                                                                 f.ComboBox1})
        all.push_back({c->Left(), c->Top(), c->Width(), c->Height()});
    return all;
}

void SendDpiChanged(TForm1& f, int dpi, RECT suggested) {
    SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST(MainWindowDpi, EachModeGoesToOneAndAHalfTimesTheDpiAndComesBack) {
    ui::App().Initialize();
    for (bool combo : {false, true}) {
        for (bool captionless : {false, true}) {
            SCOPED_TRACE(std::string(combo ? "combo style" : "list style") + (captionless ? ", caption-less" : ""));
            TForm1 form(nullptr);
            if (combo) form.Button3Click(nullptr);
            if (captionless) form.FormDblClick(nullptr);
            form.FormResize(nullptr);  // laid out as start-up leaves it
            const int base = form.Dpi();
            const int high = base * 3 / 2;
            const Bounds outer = WindowBoundsOf(form.Handle());
            const std::vector<Bounds> controls = ControlBounds(form);
            const int caption = TitleBarHeight;
            const int frame = FrameThickness;

            SendDpiChanged(form, high, RECT{outer.left, outer.top, outer.left + ui::Rescale(outer.width, base, high),
                                            outer.top + ui::Rescale(outer.height, base, high)});
            EXPECT_EQ(form.Dpi(), high);
            EXPECT_EQ(form.ListBox1->Width(), combo ? form.ClientWidth() : form.ClientWidth() / 2) << "laid out anew";
            EXPECT_EQ(form.Button1->Height(), ui::Rescale(25, 96, high));
            EXPECT_EQ(form.Button1->Top() + form.Button1->Height(), form.ClientHeight());
            if (!combo) {
                EXPECT_EQ(form.Label3->Left(), form.ClientWidth() - ui::Rescale(18, 96, high));
            }
            if (captionless) {
                // The frame the window gets back with its caption is the new DPI's.
                EXPECT_EQ(TitleBarHeight, ui::SystemMetricForDpi(SM_CYCAPTION, high));
                EXPECT_EQ(FrameThickness, ui::SystemMetricForDpi(SM_CYFRAME, high));
            }

            SendDpiChanged(form, base, RECT{outer.left, outer.top, outer.left + outer.width, outer.top + outer.height});
            EXPECT_EQ(form.Dpi(), base);
            EXPECT_EQ(WindowBoundsOf(form.Handle()), outer);
            EXPECT_EQ(ControlBounds(form), controls);
            EXPECT_EQ(TitleBarHeight, caption);
            EXPECT_EQ(FrameThickness, frame);
        }
    }
}

}  // namespace
