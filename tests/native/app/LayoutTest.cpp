#include "app/rules/Layout.h"
#include "app/rules/Reach.h"
#include "app/rules/StoredBounds.h"
#include "ui/rules/DpiScale.h"

#include <gtest/gtest.h>

#include <ostream>

namespace app {

// Readable failure messages for the layout values.
void PrintTo(const ControlBounds& b, std::ostream* os) {
    *os << "{" << b.Left << ", " << b.Top << ", " << b.Width << ", " << b.Height << "}";
}

void PrintTo(const WindowBounds& b, std::ostream* os) {
    *os << "{" << b.Left << ", " << b.Top << ", " << b.Width << ", " << b.Height << "}";
}

}  // namespace app

namespace {

using app::ControlBounds;
using app::FrameMetrics;
using app::MainLayout;
using app::WindowBounds;

TEST(LayoutStyleSwitch, OddClientWidthLosesOnePixelOnTheWayBack) {
    const int combo = app::ComboStyleClientWidth(371);
    EXPECT_EQ(combo, 185);
    EXPECT_EQ(app::ListStyleClientWidth(combo), 370);
}

TEST(LayoutStyleSwitch, StartupKeepsTheRestoredWidth) {
    // Combo style saved with client width 185: doubled, then halved by the switch.
    EXPECT_EQ(app::ComboStyleClientWidth(app::StartupClientWidth(true, 185)), 185);
    EXPECT_EQ(app::ComboStyleClientWidth(app::StartupClientWidth(true, 186)), 186);
    // List style: halved, then doubled by the switch; an odd width loses one pixel.
    EXPECT_EQ(app::ListStyleClientWidth(app::StartupClientWidth(false, 370)), 370);
    EXPECT_EQ(app::ListStyleClientWidth(app::StartupClientWidth(false, 371)), 370);
}

TEST(LayoutStyleSwitch, ListToComboToList) {
    // List style at the design size; the switch halves 370 to 185. The resize lays out combo style first.
    MainLayout layout = app::ComboStyleLayout(app::DesignLayout(), 185, 198);
    layout = app::SwitchToComboLayout(layout, 185);
    EXPECT_EQ(layout.ComboBox1, (ControlBounds{0, 0, 185, 20}));
    EXPECT_EQ(layout.ListBox1, (ControlBounds{0, 20, 185, 153}));
    EXPECT_EQ(layout.Button3, (ControlBounds{0, 173, 20, 25}));
    EXPECT_EQ(layout.Button2, (ControlBounds{20, 173, 82, 25}));
    EXPECT_EQ(layout.Button1, (ControlBounds{102, 173, 82, 25}));

    // Back to list style: 185 doubles to 370; the resize lays out list style, then the switch's own steps.
    layout = app::ListStyleLayout(layout, 370, 198);
    layout = app::SwitchToListLayout(layout, 370);
    EXPECT_EQ(layout.ListBox2, (ControlBounds{0, 20, 185, 153}));
    EXPECT_EQ(layout.ListBox1, (ControlBounds{185, 20, 185, 153}));
    EXPECT_EQ(layout.ComboBox1.Left, 185);
    EXPECT_EQ(layout.Button2, (ControlBounds{185, 173, 92, 25}));
    EXPECT_EQ(layout.Button1, (ControlBounds{277, 173, 92, 25}));
    EXPECT_EQ(layout.Label2Left, 185);
    EXPECT_EQ(layout.Label3Left, 352);
    EXPECT_EQ(layout.Label4Left, 336);
}

TEST(LayoutStyleSwitch, SwitchStepsUseTheNewWidth) {
    // Whatever the controls held before, the switch places them by the client width it is given.
    MainLayout before = app::DesignLayout();
    const MainLayout combo = app::SwitchToComboLayout(before, 250);
    EXPECT_EQ(combo.ListBox1.Width, 250);
    EXPECT_EQ(combo.Button1.Width, 115);
    EXPECT_EQ(combo.Button1.Left, 135);
    EXPECT_EQ(combo.ListBox2, before.ListBox2);  // untouched

    const MainLayout list = app::SwitchToListLayout(before, 501);
    EXPECT_EQ(list.ListBox1.Left, 250);
    EXPECT_EQ(list.ListBox1.Width, 250);
    EXPECT_EQ(list.Button1.Width, 125);
    EXPECT_EQ(list.Button1.Left, 375);
    EXPECT_EQ(list.Label3Left, 483);
    EXPECT_EQ(list.Label4Left, 467);
    EXPECT_EQ(list.ListBox1.Height, before.ListBox1.Height);  // heights wait for the resize
}

TEST(LayoutResize, ListStyleAtSeveralSizes) {
    const MainLayout design = app::DesignLayout();

    const MainLayout a = app::ListStyleLayout(design, 370, 198);
    EXPECT_EQ(a.ListBox2, (ControlBounds{0, 20, 185, 153}));
    EXPECT_EQ(a.ListBox1, (ControlBounds{185, 20, 185, 153}));
    EXPECT_EQ(a.Button2, (ControlBounds{185, 173, 92, 25}));
    EXPECT_EQ(a.Button1, (ControlBounds{277, 173, 92, 25}));
    EXPECT_EQ(a.Button3, (ControlBounds{0, 173, 20, 25}));
    EXPECT_EQ(a.Label2Left, 185);

    const MainLayout b = app::ListStyleLayout(design, 501, 300);
    EXPECT_EQ(b.ListBox2, (ControlBounds{0, 20, 250, 255}));
    EXPECT_EQ(b.ListBox1, (ControlBounds{250, 20, 250, 255}));
    EXPECT_EQ(b.Button2, (ControlBounds{250, 275, 125, 25}));
    EXPECT_EQ(b.Button1, (ControlBounds{375, 275, 125, 25}));
    EXPECT_EQ(b.Button3.Top, 275);
    EXPECT_EQ(b.Label2Left, 250);
    EXPECT_EQ(b.Label3Left, 483);
    EXPECT_EQ(b.Label4Left, 467);
    EXPECT_EQ(b.ComboBox1, design.ComboBox1);  // hidden in list style, left where it was
}

TEST(LayoutResize, ComboStyleAtSeveralSizes) {
    MainLayout start = app::SwitchToComboLayout(app::DesignLayout(), 185);

    const MainLayout a = app::ComboStyleLayout(start, 185, 198);
    EXPECT_EQ(a.ComboBox1, (ControlBounds{0, 0, 185, 20}));
    EXPECT_EQ(a.ListBox1, (ControlBounds{0, 20, 185, 153}));
    EXPECT_EQ(a.Button1, (ControlBounds{102, 173, 82, 25}));
    EXPECT_EQ(a.Button2, (ControlBounds{20, 173, 82, 25}));

    const MainLayout b = app::ComboStyleLayout(start, 400, 120);
    EXPECT_EQ(b.ComboBox1, (ControlBounds{0, 0, 400, 20}));
    EXPECT_EQ(b.ListBox1, (ControlBounds{0, 20, 400, 75}));
    EXPECT_EQ(b.Button1, (ControlBounds{210, 95, 190, 25}));
    EXPECT_EQ(b.Button2, (ControlBounds{20, 95, 190, 25}));
    EXPECT_EQ(b.Button3, (ControlBounds{0, 95, 20, 25}));
    // The labels are not placed in combo style.
    EXPECT_EQ(b.Label3Left, start.Label3Left);
}

TEST(LayoutResize, TinyClientAreaGivesNoNegativeSizes) {
    for (const MainLayout& layout : {app::ListStyleLayout(app::DesignLayout(), 10, 30),
                                     app::ComboStyleLayout(app::DesignLayout(), 10, 30),
                                     app::SwitchToComboLayout(app::DesignLayout(), 10)}) {
        EXPECT_GE(layout.ListBox1.Height, 0);
        EXPECT_GE(layout.ListBox1.Width, 0);
        EXPECT_GE(layout.Button1.Width, 0);
        EXPECT_GE(layout.Button2.Width, 0);
    }
    EXPECT_EQ(app::ListStyleLayout(app::DesignLayout(), 10, 30).Button1.Top, 20);
}

TEST(LayoutTitleBar, HideAndShowRestoreTheOuterBounds) {
    for (const FrameMetrics metrics : {FrameMetrics{18, 4}, FrameMetrics{23, 8}, FrameMetrics{0, 0}}) {
        const int t = metrics.TitleBarHeight;
        const int f = metrics.FrameThickness;
        const WindowBounds framed{284, 244, 378, 225};
        const int clientWidth = framed.Width - 2 * f;
        const int clientHeight = framed.Height - t - 2 * f;

        const WindowBounds bare = app::CaptionlessBounds(framed, clientWidth, clientHeight, metrics);
        // The caption-less window is its former client area, at its former place on the screen.
        EXPECT_EQ(bare, (WindowBounds{framed.Left + f, framed.Top + t + f, clientWidth, clientHeight}));
        EXPECT_EQ(app::FramedBounds(bare, metrics), framed);
    }
}

TEST(LayoutTitleBar, SavedBoundsOfACaptionlessWindow) {
    const FrameMetrics metrics{18, 4};
    const WindowBounds bare{100, 100, 370, 199};
    const WindowBounds saved = app::SavedWindowBounds(bare, true, metrics);
    EXPECT_EQ(saved, (WindowBounds{96, 78, 378, 225}));

    // Start-up restores the framed bounds, then removes the caption: the client area is back at (100, 100).
    const WindowBounds restored = app::CaptionlessBounds(saved, saved.Width - 8, saved.Height - 26, metrics);
    EXPECT_EQ(restored, bare);

    // A framed window is stored as it is.
    EXPECT_EQ(app::SavedWindowBounds(bare, false, metrics), bare);
}

TEST(LayoutScrollExtent, FactorTimesWidthKeptWithinWhatAListTakes) {
    EXPECT_EQ(app::ScrollExtent(2, 185), 370);
    EXPECT_EQ(app::ScrollExtent(0, 185), 0);
    EXPECT_EQ(app::ScrollExtent(-1, 185), 0);
    EXPECT_EQ(app::ScrollExtent(-2147483647 - 1, 185), 0);
    EXPECT_EQ(app::ScrollExtent(2147483647, 185), 32767);
    EXPECT_EQ(app::ScrollExtent(2147483647, 2147483647), 32767);
    EXPECT_EQ(app::ScrollExtent(177, 185), 32745);
    EXPECT_EQ(app::ScrollExtent(178, 185), 32767);
}

TEST(LayoutReach, CaptionOnAMonitorIsWithinReachOtherwiseTheWindowMoves) {
    const FrameMetrics metrics{18, 4};
    const std::vector<WindowBounds> screen = {{0, 0, 1024, 738}, {1024, 0, 800, 600}};
    const auto reachable = [&](const WindowBounds& framed, bool captionless) {
        return app::IsWithinReach(app::GripOf(framed, captionless, metrics), screen);
    };
    EXPECT_TRUE(reachable({284, 244, 378, 225}, false));
    EXPECT_TRUE(reachable({1500, 100, 378, 225}, false)) << "on the second monitor";
    EXPECT_TRUE(reachable({-340, 100, 378, 225}, false)) << "34 pixels of caption on the screen";
    EXPECT_FALSE(reachable({-350, 100, 378, 225}, false)) << "24 pixels";
    EXPECT_TRUE(reachable({100, 726, 378, 225}, false)) << "the caption's top rows are enough";
    EXPECT_FALSE(reachable({100, 730, 378, 225}, false)) << "below the work area";
    EXPECT_FALSE(reachable({100, -20, 378, 225}, false)) << "caption above the screen, body on it";
    EXPECT_TRUE(reachable({100, -20, 378, 225}, true)) << "caption-less: dragged by its body";
    EXPECT_FALSE(reachable({5000, 5000, 378, 225}, true));
    for (bool captionless : {false, true}) {
        EXPECT_FALSE(reachable({-2147483647 - 1, 2147483647, 2147483647, 2147483647}, captionless)) << "no overflow";
        EXPECT_FALSE(reachable({2147483647, -2147483647 - 1, -2147483647 - 1, -5}, captionless)) << "no overflow";
    }

    const WindowBounds work{0, 0, 1024, 738};
    EXPECT_EQ(app::MoveIntoWorkArea({5000, 5000, 378, 225}, work), (WindowBounds{646, 513, 378, 225}));
    EXPECT_EQ(app::MoveIntoWorkArea({-900, 100, 378, 225}, work), (WindowBounds{0, 100, 378, 225}));
    EXPECT_EQ(app::MoveIntoWorkArea({100, -20, 2000, 900}, work), (WindowBounds{0, 0, 1024, 738}));
}

TEST(LayoutScale, DesignValuesScaleAndComeBackAtEveryDpi) {
    EXPECT_EQ(ui::ScaleToDpi(378, 144), 567);
    EXPECT_EQ(ui::ScaleToDpi(225, 144), 338) << "a half rounds away from zero, as MulDiv does";
    EXPECT_EQ(ui::ScaleToDpi(-5, 144), -8);
    // A hand-edited size beyond what a window can have stays as large as it can be, never wraps to a negative.
    EXPECT_EQ(ui::ScaleToDpi(1500000000, 192), 2147483647);
    EXPECT_EQ(ui::ScaleToDpi(-1500000000, 192), -2147483647 - 1);
    EXPECT_EQ(ui::Rescale(2147483647, 96, 480), 2147483647);
    for (int dpi : {96, 110, 120, 144, 168, 192, 240, 288, 480}) {
        for (int v = -3000; v <= 3000; ++v) {
            ASSERT_EQ(ui::ScaleToDesign(ui::ScaleToDpi(v, dpi), dpi), v) << v << " at " << dpi;
            ASSERT_EQ(ui::Rescale(ui::Rescale(v, 96, dpi), dpi, 96), v) << v << " to " << dpi << " and back";
        }
    }
}

TEST(LayoutScale, TitleLabelsKeepTheirScaledDistanceFromTheRightEdge) {
    const MainLayout list = app::ListStyleLayout(app::DesignLayout(), 554, 300, 144);
    EXPECT_EQ(list.Label3Left, 554 - 27);
    EXPECT_EQ(list.Label4Left, 554 - 51);
    EXPECT_EQ(list.Button1.Left, 277 + 138) << "halves and quarters of the pixels";
    const MainLayout switched = app::SwitchToListLayout(app::DesignLayout(), 462, 120);
    EXPECT_EQ(switched.Label3Left, 462 - 23);
    EXPECT_EQ(switched.Label4Left, 462 - 43);
}

// The open filter box takes the bottom of the file list's place at its scaled height, in the list's width; in a
// place lower than the box, the box takes all of it and the list nothing.
TEST(LayoutScale, FilterBoxTakesTheBottomOfTheFileListsPlace) {
    const ControlBounds place{277, 30, 277, 231};
    for (int dpi : {96, 120, 144}) {
        const app::FileListWithFilterBox placed = app::PlaceFilterBox(place, dpi);
        EXPECT_EQ(placed.Box, (ControlBounds{277, 30 + 231 - ui::ScaleToDpi(20, dpi), 277, ui::ScaleToDpi(20, dpi)}))
            << dpi;
        EXPECT_EQ(placed.List, (ControlBounds{277, 30, 277, 231 - ui::ScaleToDpi(20, dpi)})) << dpi;
    }
    const app::FileListWithFilterBox low = app::PlaceFilterBox({0, 20, 100, 12}, 144);
    EXPECT_EQ(low.List, (ControlBounds{0, 20, 100, 0}));
    EXPECT_EQ(low.Box, (ControlBounds{0, 20, 100, 12}));
}

TEST(LayoutStoredBounds, NumbersReadComeBackUnlessTheWindowMovedByAUnit) {
    const WindowBounds read{200, 150, 411, 263};
    const WindowBounds placed = app::PixelBounds(read, 144, 144);
    EXPECT_EQ(placed, (WindowBounds{300, 225, 617, 395}));
    EXPECT_EQ(app::StoredBounds(placed, read, 144, 144), read);
    // The start-up's one-pixel trim of an odd client width is less than a unit of the file at 144 ppi...
    EXPECT_EQ(app::StoredBounds({300, 225, 616, 395}, read, 144, 144), read);
    // ...and a whole unit at 96 ppi, where the file has always kept it.
    EXPECT_EQ(app::StoredBounds({200, 150, 410, 263}, read, 96, 96), (WindowBounds{200, 150, 410, 263}));
    // A window moved or resized by a unit or more stores where it is now, in units.
    EXPECT_EQ(app::StoredBounds({302, 222, 630, 395}, read, 144, 144), (WindowBounds{201, 148, 420, 263}));
    // The place is in the system's units, the size in the window's.
    EXPECT_EQ(app::PixelBounds(read, 96, 144), (WindowBounds{200, 150, 617, 395}));
    EXPECT_EQ(app::StoredBounds({200, 150, 617, 395}, read, 96, 144), read);
    // A hand-edited number far out of range neither overflows nor stays when the window has moved.
    EXPECT_EQ(app::StoredBounds({0, 0, 378, 225}, {-2147483647 - 1, 2147483647, 378, 225}, 144, 144),
              (WindowBounds{0, 0, 252, 150}));
    EXPECT_EQ(app::PixelBounds({0, 0, 1500000000, 225}, 192, 192), (WindowBounds{0, 0, 2147483647, 450}));
}

}  // namespace
