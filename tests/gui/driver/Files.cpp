#include "driver/Files.h"

#include "driver/Error.h"
#include "driver/Text.h"

#include "../../support/FolderLink.h"

#include <windows.h>

#include <atomic>

namespace driver {

namespace {

// Error text with the path and the system's error code.
std::string Failure(const std::string& what, const std::string& path)
{
    return what + " " + path + " (error " + std::to_string(GetLastError()) + ")";
}

// The parent of a wide path, or empty when it has none.
std::wstring ParentOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void MakeDirsWide(const std::wstring& path)
{
    if (path.empty() || path.back() == L':') {
        return;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return;
    }
    MakeDirsWide(ParentOf(path));
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        throw DriverError(Failure("cannot create folder", ToUtf8(path)));
    }
}

// The verbatim form of a drive path ("\\?\C:\..."), which reaches a name ending in a point or blank, or a device
// name, exactly; other paths as they are.
std::wstring Verbatim(const std::wstring& path)
{
    const bool drivePath = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
    return drivePath ? L"\\\\?\\" + path : path;
}

void RemoveTreeWide(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((Verbatim(path) + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                              (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
            SetFileAttributesW((link ? child : Verbatim(child)).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (link) {
                test_support::RemoveFolderLink(child);  // never what it leads to
            } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTreeWide(child);
            } else {
                DeleteFileW(Verbatim(child).c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(Verbatim(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(Verbatim(path).c_str());
}

}  // namespace

std::string TestExeFolder()
{
    wchar_t self[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    return ToUtf8(ParentOf(self));
}

std::string JoinPath(const std::string& folder, const std::string& relative)
{
    std::wstring wide = ToWide(folder);
    if (!wide.empty() && wide.back() != L'\\' && wide.back() != L'/') {
        wide += L'\\';
    }
    return ToUtf8(wide) + relative;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw DriverError(Failure("cannot open", path));
    }
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    const std::wstring wide = ToWide(path);
    MakeDirsWide(ParentOf(wide));
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw DriverError(Failure("cannot create", path));
    }
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) {
        throw DriverError(Failure("cannot write", path));
    }
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += ToCodePage932(line) + "\r\n";
    }
    WriteFileBytes(path, text);
}

void MakeDirs(const std::string& path)
{
    MakeDirsWide(ToWide(path));
}

void CopyFileTo(const std::string& from, const std::string& to)
{
    MakeDirsWide(ParentOf(ToWide(to)));
    if (!CopyFileW(ToWide(from).c_str(), ToWide(to).c_str(), FALSE)) {
        throw DriverError(Failure("cannot copy " + from + " to", to));
    }
}

void RemoveTree(const std::string& path)
{
    RemoveTreeWide(ToWide(path));
}

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base = temp;
    if (!base.empty() && base.back() == L'\\') {
        base.pop_back();
    }
    for (;;) {
        const std::wstring candidate = base + L"\\tessaly-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                       std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = ToUtf8(candidate);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw DriverError(Failure("cannot create temporary folder", ToUtf8(candidate)));
        }
    }
}

TempDir::~TempDir()
{
    RemoveTree(path_);
}

std::string TempDir::MakeDir(const std::string& relative) const
{
    const std::string path = *this / relative;
    MakeDirs(path);
    return path;
}

std::string TempDir::WriteFile(const std::string& relative, const std::string& bytes) const
{
    const std::string path = *this / relative;
    WriteFileBytes(path, bytes);
    return path;
}

std::string TempDir::WriteText(const std::string& relative, const std::vector<std::string>& lines) const
{
    const std::string path = *this / relative;
    WriteTextLines(path, lines);
    return path;
}

std::string TempDir::WriteIni(const std::vector<std::string>& lines) const
{
    return WriteText("Tessaly.ini", lines);
}

std::string TempDir::Read(const std::string& relative) const
{
    return ReadFileBytes(*this / relative);
}

bool TempDir::Exists(const std::string& relative) const
{
    return PathExists(*this / relative);
}

bool TempDir::FileExists(const std::string& relative) const
{
    return driver::FileExists(*this / relative);
}

bool TempDir::DirExists(const std::string& relative) const
{
    return driver::DirExists(*this / relative);
}

}  // namespace driver
