// Makes a symbolic link to a folder for a test, the way the system at hand allows: CreateSymbolicLinkW on Windows
// (with the unprivileged flag of developer mode); under Wine, whose CreateSymbolicLinkW reports success and makes
// nothing, a Unix symbolic link made by /bin/ln, which Wine shows as a folder with FILE_ATTRIBUTE_REPARSE_POINT.
#pragma once

#include <windows.h>

#include <string>

namespace test_support {

inline bool IsFolderLink(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The Unix path (UTF-8) of a Windows path under Wine; empty on Windows.
inline std::string UnixPathOf(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return std::string();
    char* name = toUnix(path.c_str());
    if (!name) return std::string();
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Starts a Unix program under Wine with the given command line (UTF-8, as Unix names are); false when it cannot
// be started. Wine's handle of a Unix process does not tell when it ends: callers wait for what it makes.
inline bool RunUnixCommand(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring command(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &command[0], length);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Waits up to ten seconds until done() holds; its last answer.
template <typename Condition>
bool WaitFor(Condition done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 10000) return done();
        Sleep(10);
    }
    return true;
}

// Removes a link itself, never what it leads to. Under Wine neither RemoveDirectoryW nor DeleteFileW takes
// a Unix link to a folder; rm without -r removes only the link.
inline void RemoveFolderLink(const std::wstring& link) {
    if (RemoveDirectoryW(link.c_str())) return;
    if (!IsFolderLink(link)) {  // a link to a file
        DeleteFileW(link.c_str());
        return;
    }
    const std::string unixLink = UnixPathOf(link);
    if (!unixLink.empty() && RunUnixCommand("/bin/rm -f \"" + unixLink + "\""))
        WaitFor([&] { return GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

// Makes link (which must not exist) a symbolic link to the folder target; true when link is then a folder link.
inline bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
    const DWORD kUnprivileged = 0x2;
    if (CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | kUnprivileged) &&
        IsFolderLink(link))
        return true;
    RemoveDirectoryW(link.c_str());
    const std::string unixLink = UnixPathOf(link);
    const std::string unixTarget = UnixPathOf(target);
    if (unixLink.empty() || unixTarget.empty()) return false;
    // The link's folder exists, so its Unix name is known even though the link itself is not there yet.
    return RunUnixCommand("/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\"") &&
           WaitFor([&] { return IsFolderLink(link); });
}

}  // namespace test_support
