#include "app/ShellIcons.h"

#include <objbase.h>
#include <shellapi.h>

#include <optional>
#include <string_view>

#include "app/rules/ShellLinkFile.h"
#include "ui/CodePage.h"
#include "ui/Handles.h"

namespace app {

namespace {

// The icon index of file at size pixels (the best of its images for that size).
HICON ReadIconAt(const std::wstring& file, int index, int size) {
    if (file.empty()) return nullptr;
    HICON icon = nullptr;
    const UINT read = PrivateExtractIconsW(file.c_str(), index, size, size, &icon, nullptr, 1, LR_DEFAULTCOLOR);
    if (read == 1 && icon) return icon;
    if (icon) DestroyIcon(icon);
    return nullptr;
}

// A path the settings of the system name, with "%SystemRoot%" and the like expanded.
std::wstring Expanded(const std::wstring& text) {
    wchar_t expanded[MAX_PATH * 2] = {};
    const DWORD length = ExpandEnvironmentStringsW(text.c_str(), expanded, MAX_PATH * 2);
    return length > 0 && length <= MAX_PATH * 2 ? std::wstring(expanded) : text;
}

// The icon at a place the settings of the system name, which may hold "%SystemRoot%" and the like.
HICON ReadIconNamed(const std::wstring& file, int index, int size) {
    return ReadIconAt(Expanded(file), index, size);
}

// The system's own icons: the shell keeps its generic file, program and folder icons as these resources.
const int kGenericFile = 1;
const int kProgram = 3;
const int kFolder = 4;

HICON ReadSystemIcon(int resource, int size) {
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return ReadIconAt(std::wstring(system) + L"\\shell32.dll", -resource, size);
}

// A text value of a key below root (its default value without a name); empty when there is none.
std::wstring ReadValue(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return {};
    wchar_t value[MAX_PATH * 2] = {};
    DWORD type = 0;
    DWORD bytes = sizeof value - sizeof(wchar_t);
    const LONG read = RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(opened);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    return std::wstring(value);
}

// The "DefaultIcon" value of a class of files (through its current version); empty when it has none.
std::wstring ReadClassIcon(std::wstring kind) {
    if (kind.empty()) return {};
    const std::wstring current = ReadValue(HKEY_CLASSES_ROOT, kind + L"\\CurVer");
    if (!current.empty()) kind = current;
    return ReadValue(HKEY_CLASSES_ROOT, kind + L"\\DefaultIcon");
}

// The "DefaultIcon" value of a kind of file: that of the class the user chose for it, else that of the kind's own
// class, else one the extension holds itself.
std::wstring ReadDefaultIcon(const std::wstring& extension) {
    const std::wstring choices = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
    std::wstring icon = ReadClassIcon(ReadValue(HKEY_CURRENT_USER, choices + extension + L"\\UserChoice", L"ProgId"));
    if (!icon.empty()) return icon;
    HKEY kind = nullptr;
    // Most extensions a system knows nothing of have no key at all: then neither a class nor an icon of their own.
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_QUERY_VALUE, &kind) == ERROR_SUCCESS) {
        icon = ReadClassIcon(ReadValue(kind, L""));
        if (icon.empty()) icon = ReadValue(kind, L"DefaultIcon");
        RegCloseKey(kind);
    }
    if (icon.empty()) icon = ReadValue(HKEY_CLASSES_ROOT, L"SystemFileAssociations\\" + extension + L"\\DefaultIcon");
    return icon;
}

// What only the shell can read (its own handlers for the kind), at the system's small size: of the file at path,
// or with attributes given, of any file so named, which is not touched. The shell's handlers are COM objects, set
// up for this call on the calling thread.
HICON ReadIconThroughShell(const std::wstring& path, DWORD attributes = 0) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | SHGFI_SMALLICON | (attributes ? SHGFI_USEFILEATTRIBUTES : 0);
    const bool read = SHGetFileInfoW(path.c_str(), attributes, &info, sizeof info, flags) != 0;
    if (SUCCEEDED(com)) CoUninitialize();
    return read ? info.hIcon : nullptr;
}

// The bytes of a small file; empty when it cannot be read or is larger than limit.
std::string ReadSmallFile(const std::wstring& path, DWORD limit) {
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return {};
    const ui::UniqueHandle<HANDLE, CloseHandle> file(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > limit) return {};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

// A shortcut shows the icon it names, else the icon of what it leads to. Its file is read here; one that leads to
// no path (a shell item such as a control panel page) is left to the shell.
HICON ReadShortcutIcon(const std::wstring& path, int size) {
    const std::optional<ShellLinkIcon> link = ReadShellLinkIcon(
        ReadSmallFile(path, 1 << 20), [](std::string_view text) { return ui::FromCodePage(text); });
    if (!link) return nullptr;
    if (!link->iconFile.empty()) return ReadIconNamed(link->iconFile, link->iconIndex, size);
    std::wstring target = link->targetHasVariables ? Expanded(link->target) : link->target;
    if (target.empty() && !link->relativeTarget.empty())
        target = path.substr(0, path.find_last_of(L'\\') + 1) + link->relativeTarget;
    if (target.empty()) return ReadIconThroughShell(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ReadFolderIcon(size);
    if (OwnIconOf(ui::FromWide(target)) == OwnIcon::InFile) {
        if (HICON own = ReadIconAt(target, 0, size)) return own;
    }
    const std::wstring extension = LowerExtension(target);
    if (HICON kind = ReadAssociatedIcon(extension, size)) return kind;
    return IsProgramExtension(extension) ? ReadProgramIcon(size) : ReadGenericFileIcon(size);
}

// An Internet shortcut names its icon in its own settings.
HICON ReadInternetShortcutIcon(const std::wstring& path, int size) {
    wchar_t file[MAX_PATH] = {};
    GetPrivateProfileStringW(L"InternetShortcut", L"IconFile", L"", file, MAX_PATH, path.c_str());
    if (!file[0]) return nullptr;
    const int index = static_cast<int>(GetPrivateProfileIntW(L"InternetShortcut", L"IconIndex", 0, path.c_str()));
    return ReadIconNamed(file, index, size);
}

}  // namespace

HIMAGELIST CreateIconList(int size) { return ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 8); }

int AddToIconList(HIMAGELIST list, HICON icon) {
    if (!icon) return -1;
    const int index = list ? ImageList_ReplaceIcon(list, -1, icon) : -1;
    DestroyIcon(icon);
    return index;
}

std::wstring LowerExtension(const std::wstring& name) {
    const std::size_t dot = name.find_last_of(L".\\/");
    if (dot == std::wstring::npos || name[dot] != L'.') return {};
    std::wstring extension = name.substr(dot);
    if (!extension.empty()) CharLowerBuffW(&extension[0], static_cast<DWORD>(extension.size()));
    return extension;
}

HICON ReadAssociatedIcon(const std::wstring& extension, int size) {
    if (extension.empty()) return nullptr;
    const IconLocation location = ParseIconLocation(ReadDefaultIcon(extension));
    if (location.perFile || location.file.empty()) return nullptr;
    if (HICON icon = ReadIconNamed(location.file, location.index, size)) return icon;
    // A kind whose icon is not in a file ("@{...}" of an installed app's resources, or a file that cannot be read):
    // the shell knows where it is, from the name alone.
    return ReadIconThroughShell(L"file" + extension, FILE_ATTRIBUTE_NORMAL);
}

bool IsProgramExtension(const std::wstring& extension) {
    return extension == L".exe" || extension == L".com" || extension == L".scr";
}

HICON ReadProgramIcon(int size) { return ReadSystemIcon(kProgram, size); }

HICON ReadGenericFileIcon(int size) { return ReadSystemIcon(kGenericFile, size); }

HICON ReadFolderIcon(int size) { return ReadSystemIcon(kFolder, size); }

HICON ReadOwnIcon(const std::wstring& path, OwnIcon kind, int size) {
    switch (kind) {
    case OwnIcon::InFile:
        return ReadIconAt(path, 0, size);
    case OwnIcon::Shortcut:
        return ReadShortcutIcon(path, size);
    case OwnIcon::InternetShortcut:
        return ReadInternetShortcutIcon(path, size);
    case OwnIcon::FromShell:
        return ReadIconThroughShell(path);
    case OwnIcon::None:
        break;
    }
    return nullptr;
}

}  // namespace app
