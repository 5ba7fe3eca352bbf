// Placement arithmetic of the main window's display modes: the two folder-list styles, their resize layouts and the
// bounds of the caption-less mode. The functions only compute; the window code reads the current values, calls them
// and applies the result. All values are integer pixels of the window's DPI, halves and quarters truncated toward
// zero; the few fixed distances of the design (96 ppi) are scaled to dpi.
#pragma once

namespace app {

// Left, top, width and height of one control in client coordinates.
struct ControlBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

bool operator==(const ControlBounds& a, const ControlBounds& b);
bool operator!=(const ControlBounds& a, const ControlBounds& b);

// The controls of the main window whose place or size the display modes change. Fields a function does not set are
// passed through unchanged, so the window code may apply the whole result.
struct MainLayout {
    ControlBounds ListBox1;   // file list
    ControlBounds ListBox2;   // folder list, list style
    ControlBounds ComboBox1;  // folder list, combo style; its height is the height of the header strip
    ControlBounds Button1;    // "START!"
    ControlBounds Button2;    // "FileName"
    ControlBounds Button3;    // style switch
    int Label2Left = 0;       // header of the file list
    int Label3Left = 0;       // "×"
    int Label4Left = 0;       // " - "
};

bool operator==(const MainLayout& a, const MainLayout& b);
bool operator!=(const MainLayout& a, const MainLayout& b);

// The controls as the form is designed (list style, client area 370 × 198).
MainLayout DesignLayout();

// SetComboStyle step 3: the client width after switching to combo style (W div 2).
int ComboStyleClientWidth(int clientWidth);

// SetListStyle step 2: the client width after switching to list style (W × 2).
int ListStyleClientWidth(int clientWidth);

// Start-up's width before the style switch, which halves or doubles it again: combo style doubles the client width,
// list style halves it (so an odd width loses one pixel in list style).
int StartupClientWidth(bool comboStyle, int clientWidth);

// SetComboStyle steps 4-5. clientWidth is the client width read AFTER step 3 has halved it; by then the resize has
// already laid out combo style, and these steps add ComboBox1.Left = 0 and Button2.Left = Button3.Width.
MainLayout SwitchToComboLayout(MainLayout current, int clientWidth);

// SetListStyle steps 3-6 (places only; showing and hiding stays with the window). clientWidth is the client width
// read AFTER step 2 has doubled it.
MainLayout SwitchToListLayout(MainLayout current, int clientWidth, int dpi = 96);

// LayoutListStyle: the places for the current client size in list style (lists side by side, half the width each).
// Uses ComboBox1.Height and Button1.Height of current; heights that would be negative in a tiny window are 0.
MainLayout ListStyleLayout(MainLayout current, int clientWidth, int clientHeight, int dpi = 96);

// LayoutComboStyle: the places for the current client size in combo style (file list over the whole width).
// Uses Button3.Width, ComboBox1.Height and Button1.Height of current; Button2.Left and the labels stay.
MainLayout ComboStyleLayout(MainLayout current, int clientWidth, int clientHeight);

// The filter box of find as you type, at the bottom edge of the file list: its height in the design (96 ppi).
constexpr int kFilterBoxHeight = 20;

// The file list's place shared with the open filter box: the list above, the box along the bottom edge, as wide as
// the list and as high as its design at dpi (no higher than the place).
struct FileListWithFilterBox {
    ControlBounds List;
    ControlBounds Box;
};
FileListWithFilterBox PlaceFilterBox(const ControlBounds& fileList, int dpi);

// Outer bounds of a window on the screen.
struct WindowBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

bool operator==(const WindowBounds& a, const WindowBounds& b);
bool operator!=(const WindowBounds& a, const WindowBounds& b);

// The caption height and sizing-frame thickness sampled when the caption is removed.
struct FrameMetrics {
    int TitleBarHeight = 0;
    int FrameThickness = 0;
};

// HideTitleBar: the caption-less bounds of a framed window, equal to its former client area on the screen.
// framed is the window's outer bounds; clientWidth and clientHeight its client size, read before the change.
WindowBounds CaptionlessBounds(const WindowBounds& framed, int clientWidth, int clientHeight,
                               const FrameMetrics& metrics);

// ShowTitleBar: the framed bounds of a caption-less window, with the metrics of the last HideTitleBar.
WindowBounds FramedBounds(const WindowBounds& captionless, const FrameMetrics& metrics);

// SaveWindowState: the bounds to store, which are always those the window has with caption and frame.
WindowBounds SavedWindowBounds(const WindowBounds& current, bool captionless, const FrameMetrics& metrics);

// The widest horizontal extent a list is given: a list box reports its scroll positions in 16 bits.
constexpr int kMaxScrollExtent = 32767;

// ApplyScrollExtents: factor times the list's client width, kept between 0 and kMaxScrollExtent, so that a
// hand-edited factor (negative, or near the largest integer) gives a usable extent instead of an overflow.
int ScrollExtent(int factor, int clientWidth);

}  // namespace app
