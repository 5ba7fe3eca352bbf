#include "app/rules/OwnIcon.h"

#include <cstddef>

namespace app {

OwnIcon OwnIconOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.size() - dot != 4) return OwnIcon::None;
    char ext[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = name[dot + 1 + i];
        ext[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view e(ext, 3);
    if (e == "exe" || e == "ico" || e == "scr" || e == "cpl") return OwnIcon::InFile;
    if (e == "lnk") return OwnIcon::Shortcut;
    if (e == "url") return OwnIcon::InternetShortcut;
    if (e == "msc") return OwnIcon::FromShell;
    return OwnIcon::None;
}

namespace {

std::wstring_view Trimmed(std::wstring_view s) {
    while (!s.empty() && (s.front() == L' ' || s.front() == L'\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == L' ' || s.back() == L'\t')) s.remove_suffix(1);
    return s;
}

// The index after the last comma, when all that follows it is a number.
bool ReadIndex(std::wstring_view s, int& index) {
    s = Trimmed(s);
    bool negative = false;
    if (!s.empty() && (s.front() == L'-' || s.front() == L'+')) {
        negative = s.front() == L'-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 9) return false;
    int value = 0;
    for (wchar_t c : s) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + (c - L'0');
    }
    index = negative ? -value : value;
    return true;
}

}  // namespace

IconLocation ParseIconLocation(std::wstring_view value) {
    IconLocation location;
    value = Trimmed(value);
    if (value.find(L"%1") != std::wstring_view::npos) {
        location.perFile = true;
        return location;
    }
    std::wstring_view file = value;
    const std::size_t comma = value.rfind(L',');
    // A comma inside the quotes belongs to the file's name.
    const std::size_t closing = value.rfind(L'"');
    if (comma != std::wstring_view::npos && (closing == std::wstring_view::npos || comma > closing) &&
        ReadIndex(value.substr(comma + 1), location.index)) {
        file = value.substr(0, comma);
    }
    file = Trimmed(file);
    if (file.size() >= 2 && file.front() == L'"' && file.back() == L'"')
        file = Trimmed(file.substr(1, file.size() - 2));
    location.file.assign(file);
    return location;
}

}  // namespace app
