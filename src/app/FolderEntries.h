// The entries of a folder under their exact names, as the file list shows them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace app {

// Starts a listing; the shape of FindFirstFileExW.
using FindFirstExFunction = HANDLE(WINAPI*)(LPCWSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD);

// Appends the exact name of every entry matching pattern: files, folders, "." and "..", hidden and system ones
// alike. Asks for the basic information and the large fetch of Windows 7 and later, and lists the plain way where
// the system refuses them; findFirst stands for the system's call.
void CollectMatches(const std::string& pattern, std::vector<std::string>& names,
                    FindFirstExFunction findFirst = FindFirstFileExW);

}  // namespace app
