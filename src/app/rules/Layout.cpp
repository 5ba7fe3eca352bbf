#include "app/rules/Layout.h"

#include <algorithm>
#include <tuple>

#include "ui/rules/DpiScale.h"

namespace app {

namespace {

// A size that cannot go below zero when the window is smaller than its fixed strips.
int NonNegative(int value) {
    return std::max(0, value);
}

// Height left for the lists between the header strip and the button row.
int ListHeight(const MainLayout& layout, int clientHeight) {
    return NonNegative(clientHeight - layout.ComboBox1.Height - layout.Button1.Height);
}

// "×" and " - " sit this far from the right edge of the client area (design pixels).
constexpr int kCloseLabelInset = 18;
constexpr int kMinimizeLabelInset = 34;

void PlaceTitleLabels(MainLayout& layout, int clientWidth, int dpi) {
    layout.Label3Left = clientWidth - ui::ScaleToDpi(kCloseLabelInset, dpi);
    layout.Label4Left = clientWidth - ui::ScaleToDpi(kMinimizeLabelInset, dpi);
}

// Button1, Button2 and Button3 share the top of the row under the lists.
void PlaceButtonRow(MainLayout& layout) {
    layout.Button1.Top = layout.ComboBox1.Height + layout.ListBox1.Height;
    layout.Button2.Top = layout.Button1.Top;
    layout.Button3.Top = layout.Button1.Top;
}

auto Tie(const ControlBounds& b) {
    return std::tie(b.Left, b.Top, b.Width, b.Height);
}

auto Tie(const WindowBounds& b) {
    return std::tie(b.Left, b.Top, b.Width, b.Height);
}

}  // namespace

bool operator==(const ControlBounds& a, const ControlBounds& b) {
    return Tie(a) == Tie(b);
}

bool operator!=(const ControlBounds& a, const ControlBounds& b) {
    return !(a == b);
}

bool operator==(const MainLayout& a, const MainLayout& b) {
    return a.ListBox1 == b.ListBox1 && a.ListBox2 == b.ListBox2 && a.ComboBox1 == b.ComboBox1 &&
           a.Button1 == b.Button1 && a.Button2 == b.Button2 && a.Button3 == b.Button3 &&
           a.Label2Left == b.Label2Left && a.Label3Left == b.Label3Left && a.Label4Left == b.Label4Left;
}

bool operator!=(const MainLayout& a, const MainLayout& b) {
    return !(a == b);
}

MainLayout DesignLayout() {
    MainLayout layout;
    layout.ListBox1 = {185, 20, 185, 153};
    layout.ListBox2 = {0, 20, 185, 153};
    layout.ComboBox1 = {185, 0, 185, 20};
    layout.Button1 = {278, 173, 92, 25};
    layout.Button2 = {185, 173, 92, 25};
    layout.Button3 = {0, 173, 20, 25};
    layout.Label2Left = 184;
    layout.Label3Left = 352;
    layout.Label4Left = 336;
    return layout;
}

int ComboStyleClientWidth(int clientWidth) {
    return clientWidth / 2;
}

int ListStyleClientWidth(int clientWidth) {
    return clientWidth * 2;
}

int StartupClientWidth(bool comboStyle, int clientWidth) {
    return comboStyle ? clientWidth * 2 : clientWidth / 2;
}

MainLayout SwitchToComboLayout(MainLayout current, int clientWidth) {
    const int w = clientWidth;
    current.ComboBox1.Width = w;
    current.ListBox1.Width = w;
    current.ComboBox1.Left = 0;
    current.ListBox1.Left = 0;
    current.Button1.Width = NonNegative((w - current.Button3.Width) / 2);
    current.Button2.Width = current.Button1.Width;
    current.Button1.Left = current.Button3.Width + current.Button2.Width;
    current.Button2.Left = current.Button3.Width;
    return current;
}

MainLayout SwitchToListLayout(MainLayout current, int clientWidth, int dpi) {
    const int w = clientWidth;
    current.ComboBox1.Left = w / 2;
    current.ListBox1.Left = w / 2;
    current.ListBox1.Width = w / 2;
    current.ListBox2.Width = w / 2;
    current.Button1.Width = w / 4;
    current.Button2.Width = w / 4;
    current.Button1.Left = w / 2 + current.Button2.Width;
    current.Button2.Left = w / 2;
    current.Label2Left = w / 2;
    PlaceTitleLabels(current, w, dpi);
    return current;
}

MainLayout ListStyleLayout(MainLayout current, int clientWidth, int clientHeight, int dpi) {
    const int w = clientWidth;
    current.ListBox1.Width = w / 2;
    current.ListBox1.Left = w / 2;
    current.ListBox2.Width = w / 2;
    current.ListBox2.Left = 0;
    current.ListBox1.Height = ListHeight(current, clientHeight);
    current.ListBox2.Height = current.ListBox1.Height;
    current.Button1.Width = w / 4;
    current.Button2.Width = current.Button1.Width;
    current.Button1.Left = w / 2 + current.Button1.Width;
    current.Button2.Left = current.ListBox1.Left;
    PlaceButtonRow(current);
    current.Label2Left = w / 2;
    PlaceTitleLabels(current, w, dpi);
    return current;
}

MainLayout ComboStyleLayout(MainLayout current, int clientWidth, int clientHeight) {
    const int w = clientWidth;
    current.ListBox1.Width = w;
    current.ComboBox1.Width = w;
    current.ListBox1.Left = 0;
    current.Button1.Width = NonNegative((w - current.Button3.Width) / 2);
    current.Button2.Width = current.Button1.Width;
    current.Button1.Left = current.Button3.Width + current.Button2.Width;
    current.ListBox1.Height = ListHeight(current, clientHeight);
    PlaceButtonRow(current);
    return current;
}

FileListWithFilterBox PlaceFilterBox(const ControlBounds& fileList, int dpi) {
    const int boxHeight = std::min(ui::ScaleToDpi(kFilterBoxHeight, dpi), NonNegative(fileList.Height));
    FileListWithFilterBox placed;
    placed.List = fileList;
    placed.List.Height = NonNegative(fileList.Height) - boxHeight;
    placed.Box = {fileList.Left, fileList.Top + placed.List.Height, fileList.Width, boxHeight};
    return placed;
}

bool operator==(const WindowBounds& a, const WindowBounds& b) {
    return Tie(a) == Tie(b);
}

bool operator!=(const WindowBounds& a, const WindowBounds& b) {
    return !(a == b);
}

WindowBounds CaptionlessBounds(const WindowBounds& framed, int clientWidth, int clientHeight,
                               const FrameMetrics& metrics) {
    WindowBounds result;
    result.Height = clientHeight;
    result.Top = framed.Top + metrics.TitleBarHeight + metrics.FrameThickness;
    result.Width = clientWidth;
    result.Left = framed.Left + metrics.FrameThickness;
    return result;
}

WindowBounds FramedBounds(const WindowBounds& captionless, const FrameMetrics& metrics) {
    WindowBounds result;
    result.Height = captionless.Height + metrics.TitleBarHeight + 2 * metrics.FrameThickness;
    result.Top = captionless.Top - metrics.TitleBarHeight - metrics.FrameThickness;
    result.Width = captionless.Width + 2 * metrics.FrameThickness;
    result.Left = captionless.Left - metrics.FrameThickness;
    return result;
}

WindowBounds SavedWindowBounds(const WindowBounds& current, bool captionless, const FrameMetrics& metrics) {
    return captionless ? FramedBounds(current, metrics) : current;
}

int ScrollExtent(int factor, int clientWidth) {
    const long long extent = static_cast<long long>(factor) * clientWidth;  // cannot overflow: both are int
    return static_cast<int>(std::clamp<long long>(extent, 0, kMaxScrollExtent));
}

}  // namespace app
