// The program's windows are designed at 96 pixels per inch; a display of another DPI shows every design value
// multiplied by DPI / 96, rounded to the nearest pixel (halves away from zero, as MulDiv rounds). Scaling up and
// back down gives the design value again at every DPI of 96 and more.
#pragma once

#include <limits>

namespace ui {

constexpr int kDesignDpi = 96;

// value × numerator / denominator, rounded to the nearest integer, halves away from zero; computed without
// overflow for every int value and a denominator above zero. A result beyond the range of int is the nearest end
// of that range (a hand-edited "Pos.Width=1500000000" at 192 ppi is as wide as a window can be, never negative).
constexpr int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long result = (product >= 0 ? product + half : product - half) / denominator;
    if (result > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (result < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(result);
}

// A design value (96 ppi) in the pixels of dpi.
constexpr int ScaleToDpi(int designPixels, int dpi) { return MulDivRounded(designPixels, dpi, kDesignDpi); }

// Pixels of dpi in design units (96 ppi).
constexpr int ScaleToDesign(int pixels, int dpi) { return dpi > 0 ? MulDivRounded(pixels, kDesignDpi, dpi) : pixels; }

// Pixels of one DPI in the pixels of another.
constexpr int Rescale(int pixels, int fromDpi, int toDpi) {
    return fromDpi > 0 ? MulDivRounded(pixels, toDpi, fromDpi) : pixels;
}

}  // namespace ui
