// A stand-in for a launched program: writes its command line and its current directory, one per line, then its
// command line exactly (UTF-8 of the UTF-16 form) on a third, to "<own path>.log", then exits 0. Tests read the log to see how a program was started.
#include <windows.h>

#include <string>

// Writes text to path in one piece: a temporary file first, renamed over the target, so a reader never sees half.
static bool WriteWhole(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != text.size()) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char self[MAX_PATH * 4] = {};
    const DWORD selfLength = GetModuleFileNameA(nullptr, self, sizeof self);
    if (selfLength == 0 || selfLength >= sizeof self) {
        return 1;
    }
    char folder[MAX_PATH * 4] = {};
    const DWORD folderLength = GetCurrentDirectoryA(sizeof folder, folder);
    if (folderLength == 0 || folderLength >= sizeof folder) {
        return 1;
    }
    const wchar_t* exact = GetCommandLineW();
    const int exactLength = WideCharToMultiByte(CP_UTF8, 0, exact, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(exactLength > 0 ? static_cast<size_t>(exactLength) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, exact, -1, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    const std::string log = std::string(GetCommandLineA()) + "\r\n" + folder + "\r\n" + utf8 + "\r\n";
    return WriteWhole(std::string(self) + ".log", log) ? 0 : 1;
}
