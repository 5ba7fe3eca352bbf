#include "ui/CodePage.h"

#include <windows.h>

namespace ui {

std::wstring FromCodePage(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], n);
    return wide;
}

namespace {

std::string Narrow(const std::wstring& text, DWORD flags) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string narrow(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), size, &narrow[0], n, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::string ToCodePage(const std::wstring& text) { return Narrow(text, 0); }

std::string ToCodePageWithoutBestFit(const std::wstring& text) { return Narrow(text, WC_NO_BEST_FIT_CHARS); }

}  // namespace ui
