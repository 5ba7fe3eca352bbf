#include "driver/Screenshot.h"

#include "driver/Error.h"
#include "driver/Files.h"
#include "driver/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>

namespace driver {

namespace {

std::string ScreenshotFolder()
{
    const char* folder = std::getenv("TESSALY_SCREENSHOTS");
    return folder == nullptr ? std::string() : std::string(folder);
}

// The name with the characters that a file name cannot hold replaced, judged on whole characters.
std::string SafeFileName(const std::string& name)
{
    std::wstring wide = ToWide(name);
    for (wchar_t& c : wide) {
        if (c < 0x20 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos) {
            c = L'_';
        }
    }
    return ToUtf8(wide);
}

// The bytes of a 24-bit bottom-up .bmp file of the screen area.
std::string CaptureBmp(const Rect& area)
{
    const int width = area.Width();
    const int height = area.Height();
    if (width <= 0 || height <= 0) {
        throw DriverError("cannot take a screenshot of an empty area");
    }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    std::string image;
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        image.assign(static_cast<const char*>(bits), imageBytes);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (image.empty()) {
        throw DriverError("cannot create the screenshot bitmap");
    }

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageBytes;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    return bytes + image;
}

}  // namespace

std::string Screenshot(const std::string& name)
{
    return Screenshot(name, Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

std::string Screenshot(const std::string& name, const Window& window)
{
    return Screenshot(name, window.Bounds());
}

std::string Screenshot(const std::string& name, const Rect& wanted)
{
    const std::string folder = ScreenshotFolder();
    if (folder.empty()) {
        return {};
    }
    // Only what lies on the screen can be copied from it (a window may reach past its edge).
    const Rect area{std::max(wanted.left, 0), std::max(wanted.top, 0),
                    std::min(wanted.right, GetSystemMetrics(SM_CXSCREEN)),
                    std::min(wanted.bottom, GetSystemMetrics(SM_CYSCREEN))};
    // The program paints when its message loop gets to it: take the picture once two captures 50 ms apart
    // agree (a blinking caret may keep them from agreeing: then the last one is taken after 1.5 s).
    constexpr Timeout kSettleGap{50};
    const auto deadline = std::chrono::steady_clock::now() + Timeout(1500);
    std::string image = CaptureBmp(area);
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kSettleGap);
        std::string next = CaptureBmp(area);
        const bool settled = next == image;
        image = std::move(next);
        if (settled) {
            break;
        }
    }
    const std::string path = JoinPath(folder, SafeFileName(name) + ".bmp");
    WriteFileBytes(path, image);
    return path;
}

std::string CurrentTestName()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return test == nullptr ? std::string("no-test") : std::string(test->test_suite_name()) + "." + test->name();
}

}  // namespace driver
