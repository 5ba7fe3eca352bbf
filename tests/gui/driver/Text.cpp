#include "driver/Text.h"

#include <windows.h>

namespace driver {

namespace {
constexpr UINT kCodePage = 932;
}

std::string ToAnsi(const std::wstring& wide)
{
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0], size, nullptr, nullptr);
    return ansi;
}

std::wstring ToWide(const std::string& ansi)
{
    if (ansi.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(kCodePage, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(kCodePage, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], size);
    return wide;
}

}  // namespace driver
