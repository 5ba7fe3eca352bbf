#include "app/rules/Reach.h"

#include <algorithm>
#include <climits>

namespace app {

namespace {

// Length of the overlap of [a, a + aLength) and [b, b + bLength); 0 when they do not meet.
long long Overlap(long long a, long long aLength, long long b, long long bLength) {
    return std::max(0LL, std::min(a + aLength, b + bLength) - std::max(a, b));
}

// The start that puts length inside [start, start + room) with the least move.
int Clamp(int start, int length, int roomStart, int room) {
    const long long lastStart = static_cast<long long>(roomStart) + room - length;
    return static_cast<int>(std::max<long long>(roomStart, std::min<long long>(start, lastStart)));
}

// a + b, held within the range of int: hand-edited bounds may lie anywhere in it.
int SaturatedSum(long long a, long long b) {
    return static_cast<int>(std::clamp<long long>(a + b, INT_MIN, INT_MAX));
}

}  // namespace

WindowBounds GripOf(const WindowBounds& framed, bool captionless, const FrameMetrics& metrics) {
    const long long f = metrics.FrameThickness;
    const long long t = metrics.TitleBarHeight;
    const int left = SaturatedSum(framed.Left, f);
    const int width = SaturatedSum(framed.Width, -2 * f);
    if (captionless) return {left, SaturatedSum(framed.Top, t + f), width, SaturatedSum(framed.Height, -t - 2 * f)};
    return {left, SaturatedSum(framed.Top, f), width, static_cast<int>(t)};
}

bool IsWithinReach(const WindowBounds& grip, const std::vector<WindowBounds>& workAreas) {
    const long long needWidth = std::max(1, std::min(kMinGripWidth, grip.Width));
    const long long needHeight = std::max(1, std::min(kMinGripHeight, grip.Height));
    return std::any_of(workAreas.begin(), workAreas.end(), [&](const WindowBounds& work) {
        return Overlap(grip.Left, grip.Width, work.Left, work.Width) >= needWidth &&
               Overlap(grip.Top, grip.Height, work.Top, work.Height) >= needHeight;
    });
}

WindowBounds MoveIntoWorkArea(const WindowBounds& bounds, const WindowBounds& work) {
    WindowBounds moved;
    moved.Width = std::clamp(bounds.Width, 0, std::max(0, work.Width));
    moved.Height = std::clamp(bounds.Height, 0, std::max(0, work.Height));
    moved.Left = Clamp(bounds.Left, moved.Width, work.Left, work.Width);
    moved.Top = Clamp(bounds.Top, moved.Height, work.Top, work.Height);
    return moved;
}

}  // namespace app
