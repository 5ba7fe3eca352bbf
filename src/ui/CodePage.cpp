#include "ui/CodePage.h"

#include <windows.h>

#include "text/Utf8.h"

namespace ui {

namespace {

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], n);
    return wide;
}

std::string Narrow(UINT codePage, std::wstring_view text, DWORD flags) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string narrow(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, &narrow[0], n, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::wstring ToWide(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    text::AppendUtf16(text, wide);
    return wide;
}

std::string FromWide(std::wstring_view text) {
    std::string utf8;
    utf8.reserve(text.size() * 3 / 2 + 1);
    text::AppendUtf8(text, utf8);
    return utf8;
}

std::wstring FromCodePage(std::string_view text) { return Widen(CP_ACP, text); }

std::string ToCodePageWithoutBestFit(std::wstring_view text) { return Narrow(CP_ACP, text, WC_NO_BEST_FIT_CHARS); }

bool CodePageHolds(std::wstring_view text) {
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault) return false;
    // Some characters have no stand-in and still come back as others: only the round trip proves the form exact.
    return FromCodePage(ToCodePageWithoutBestFit(text)) == text;
}

}  // namespace ui
