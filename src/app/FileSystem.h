// The file-system tests the actions share: a file-exists test for which a folder does not count, a folder-exists
// test, the full form of a path, and the form of a path the file functions take. Each reaches exactly the names
// written: a name the system's path rules would change ("report.txt.", "aux.txt") goes in the verbatim form, never to
// its twin or to a device.
#pragma once

#include <windows.h>

#include <string>

#include "text/ExactPath.h"
#include "ui/CodePage.h"

// The wide path the file functions take to reach exactly the names of path (text::ExactSystemPath); empty, so that
// the call fails, when no form reaches them.
inline std::wstring SystemPath(const std::string& path) { return ui::ToWide(text::ExactSystemPath(path)); }

inline bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesW(SystemPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesW(SystemPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The path in the system's full form ("C:\a\..\b" is "C:\b"; a trailing backslash stays), every name kept as written
// (a folder "old." stays "old.", where the system's own full-path function would make it "old"); the path unchanged
// when it cannot be expanded.
inline std::string FullPathName(const std::string& path) {
    const std::string resolved = text::ResolveFullPath(path);
    if (!resolved.empty()) return resolved;
    // Relative paths and device paths: the system's own rules, the current folder for a relative one.
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
