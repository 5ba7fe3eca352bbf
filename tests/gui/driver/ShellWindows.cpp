#include "driver/ShellWindows.h"

#include <tlhelp32.h>

namespace driver {

std::optional<DWORD> ParentProcessOf(DWORD processId) {
    std::optional<DWORD> parent;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return parent;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == processId) parent = entry.th32ParentProcessID;
    }
    CloseHandle(snapshot);
    return parent;
}

namespace {

struct FolderWindowSearch {
    DWORD parentProcess;
    const std::optional<std::string>* caption;
    HWND found;
};

BOOL CALLBACK FindFolderWindow(HWND handle, LPARAM parameter) {
    auto* search = reinterpret_cast<FolderWindowSearch*>(parameter);
    const Window window(handle);
    if (window.IsVisible() && window.ClassName() == "ExplorerWClass" &&
        (!*search->caption || window.Text() == **search->caption) &&
        ParentProcessOf(window.ProcessId()) == search->parentProcess) {
        search->found = handle;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Window FolderWindowStartedBy(DWORD programProcess, const std::optional<std::string>& caption) {
    FolderWindowSearch search{programProcess, &caption, nullptr};
    EnumWindows(FindFolderWindow, reinterpret_cast<LPARAM>(&search));
    return Window(search.found);
}

void EndProcessOf(const Window& window) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, window.ProcessId());
    if (process == nullptr) return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

}  // namespace driver
