// A stand-in for a launched program: writes its command line and its current directory, one per line, then its
// command line once more on a third, all as UTF-8 of their exact UTF-16 form, to "<own path>.log", then exits 0.
// Tests read the log to see how a program was started.
#include <windows.h>

#include <string>

static std::string Utf8(const wchar_t* wide, int length)
{
    if (length <= 0) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide, length, &utf8[0], size, nullptr, nullptr);
    }
    return utf8;
}

// Writes text to path in one piece: a temporary file first, renamed over the target, so a reader never sees half.
static bool WriteWhole(const std::wstring& path, const std::string& text)
{
    const std::wstring temporary = path + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != text.size()) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    wchar_t self[MAX_PATH * 4] = {};
    const DWORD selfLength = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    if (selfLength == 0 || selfLength >= MAX_PATH * 4) {
        return 1;
    }
    wchar_t folder[MAX_PATH * 4] = {};
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH * 4, folder);
    if (folderLength == 0 || folderLength >= MAX_PATH * 4) {
        return 1;
    }
    const wchar_t* line = GetCommandLineW();
    const std::string commandLine = Utf8(line, lstrlenW(line));
    const std::string log = commandLine + "\r\n" + Utf8(folder, static_cast<int>(folderLength)) + "\r\n" + commandLine + "\r\n";
    return WriteWhole(std::wstring(self, selfLength) + L".log", log) ? 0 : 1;
}
