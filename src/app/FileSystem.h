// The file-system tests the actions share: a file-exists test for which a folder does not count, a folder-exists
// test, and the full form of a path.
#pragma once

#include <windows.h>

#include <string>

#include "ui/CodePage.h"

inline bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesW(ui::ToWide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesW(ui::ToWide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The path in the system's full form ("C:\a\..\b" is "C:\b"; a trailing backslash stays); the path unchanged when
// the system cannot expand it.
inline std::string FullPathName(const std::string& path) {
    const std::wstring wide = ui::ToWide(path);
    std::wstring full(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (n >= full.size()) {  // too small: n is the size needed, terminator included
        full.assign(n, L'\0');
        n = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    }
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    return ui::FromWide(full);
}
