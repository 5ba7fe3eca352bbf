#include "app/rules/StoredBounds.h"

#include "ui/rules/DpiScale.h"

namespace app {

namespace {

int StoredValue(int pixels, int read, int dpi) {
    const long long off = static_cast<long long>(pixels) - ui::ScaleToDpi(read, dpi);
    // Less than one unit: |off| × 96 < dpi.
    if ((off < 0 ? -off : off) * ui::kDesignDpi < dpi) return read;
    return ui::ScaleToDesign(pixels, dpi);
}

}  // namespace

WindowBounds PixelBounds(const WindowBounds& stored, int positionDpi, int sizeDpi) {
    return WindowBounds{ui::ScaleToDpi(stored.Left, positionDpi), ui::ScaleToDpi(stored.Top, positionDpi),
                        ui::ScaleToDpi(stored.Width, sizeDpi), ui::ScaleToDpi(stored.Height, sizeDpi)};
}

WindowBounds StoredBounds(const WindowBounds& pixels, const WindowBounds& read, int positionDpi, int sizeDpi) {
    return WindowBounds{StoredValue(pixels.Left, read.Left, positionDpi),
                        StoredValue(pixels.Top, read.Top, positionDpi),
                        StoredValue(pixels.Width, read.Width, sizeDpi),
                        StoredValue(pixels.Height, read.Height, sizeDpi)};
}

}  // namespace app
