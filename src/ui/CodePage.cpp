#include "ui/CodePage.h"

#include <windows.h>

#include <optional>

#include "text/Utf8.h"

namespace ui {

namespace {

// The code page put in place of the system's; kSystemCodePage when none is.
unsigned systemCodePageInstead = kSystemCodePage;

// The code page a number stands for: the system's own for kSystemCodePage.
UINT Resolve(unsigned codePage) { return codePage == kSystemCodePage ? SystemCodePage() : codePage; }

std::wstring Widen(unsigned codePage, std::string_view text) {
    if (text.empty()) return std::wstring();
    const UINT resolved = Resolve(codePage);
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(resolved, 0, text.data(), size, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(resolved, 0, text.data(), size, &wide[0], n);
    return wide;
}

// Flags that forbid look-alikes. UTF-8 and UTF-7 have none (they hold every character) and take neither
// WC_NO_BEST_FIT_CHARS nor a used-default flag: the call fails with either. An unpaired surrogate, the one unit
// they cannot hold, becomes U+FFFD there, which the round trip of ToCodePageExactly catches.
DWORD NoBestFitFlags(unsigned codePage) {
    const UINT resolved = Resolve(codePage);
    return resolved == CP_UTF8 || resolved == CP_UTF7 ? 0 : WC_NO_BEST_FIT_CHARS;
}

// usedDefault, when given, is set when a character had no form in the code page (never for UTF-8 and UTF-7).
std::string Narrow(unsigned codePage, std::wstring_view text, DWORD flags, BOOL* usedDefault) {
    if (text.empty()) return std::string();
    const UINT resolved = Resolve(codePage);
    if (resolved == CP_UTF8 || resolved == CP_UTF7) usedDefault = nullptr;
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(resolved, flags, text.data(), size, nullptr, 0, nullptr, usedDefault);
    if (n <= 0) return std::string();
    std::string narrow(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(resolved, flags, text.data(), size, &narrow[0], n, nullptr, usedDefault);
    return narrow;
}

}  // namespace

unsigned SystemCodePage() { return systemCodePageInstead != kSystemCodePage ? systemCodePageInstead : GetACP(); }

ScopedSystemCodePage::ScopedSystemCodePage(unsigned codePage) : previous_(systemCodePageInstead) {
    systemCodePageInstead = codePage;
}

ScopedSystemCodePage::~ScopedSystemCodePage() { systemCodePageInstead = previous_; }

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

std::wstring FromCodePage(std::string_view text, unsigned codePage) { return Widen(codePage, text); }

std::string ToCodePageWithoutBestFit(std::wstring_view text, unsigned codePage) {
    return Narrow(codePage, text, NoBestFitFlags(codePage), nullptr);
}

std::optional<std::string> ToCodePageExactly(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return std::string();
    BOOL usedDefault = FALSE;
    std::string narrow = Narrow(codePage, text, NoBestFitFlags(codePage), &usedDefault);
    if (narrow.empty() || usedDefault) return std::nullopt;
    // Some characters have no stand-in and still come back as others: only the round trip proves the form exact.
    if (Widen(codePage, narrow) != text) return std::nullopt;
    return narrow;
}

bool CodePageHolds(std::wstring_view text, unsigned codePage) { return ToCodePageExactly(text, codePage).has_value(); }

}  // namespace ui
