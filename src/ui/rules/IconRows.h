// A list that shows an icon beside each name: each row is as high as the taller of the text and the small icon,
// with a little room above and below, so that neither is cut at any DPI.
#pragma once

#include <algorithm>

#include "ui/rules/DpiScale.h"

namespace ui {

// The room, in design pixels, shared above and below the taller of text and icon.
constexpr int kIconRowPadding = 2;

// The height of a row with a small icon of iconSize pixels beside text whose font is fontHeight pixels high.
constexpr int IconRowHeight(int fontHeight, int iconSize, int dpi) {
    return std::max(fontHeight, iconSize) + ScaleToDpi(kIconRowPadding, dpi);
}

}  // namespace ui
