#include "app/ShellIcons.h"

#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "ui/CodePage.h"

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

// The same for a place the settings of the system name, which may hold "%SystemRoot%" and the like.
HICON ReadIconNamed(const std::wstring& file, int index, int size) {
    wchar_t expanded[MAX_PATH * 2] = {};
    const DWORD length = ExpandEnvironmentStringsW(file.c_str(), expanded, MAX_PATH * 2);
    return ReadIconAt(length > 0 && length <= MAX_PATH * 2 ? std::wstring(expanded) : file, index, size);
}

// The system's own icons: the shell keeps its generic file, program and folder icons as these resources.
HICON ReadSystemIcon(int resource, int size) {
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return ReadIconAt(std::wstring(system) + L"\\shell32.dll", -resource, size);
}
const int kGenericFile = 1;
const int kProgram = 3;
const int kFolder = 4;

// A text value of a key (its default value without a name); empty when there is none.
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

// The "DefaultIcon" value of a kind of file: that of the program the user chose for it, else that of the kind's
// class (or its current version), else one the extension holds itself.
std::wstring ReadDefaultIcon(const std::wstring& extension) {
    std::wstring kind = ReadValue(HKEY_CURRENT_USER,
                                  L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\" + extension +
                                      L"\\UserChoice",
                                  L"ProgId");
    if (kind.empty()) kind = ReadValue(HKEY_CLASSES_ROOT, extension);
    if (!kind.empty()) {
        const std::wstring current = ReadValue(HKEY_CLASSES_ROOT, kind + L"\\CurVer");
        if (!current.empty()) kind = current;
        std::wstring icon = ReadValue(HKEY_CLASSES_ROOT, kind + L"\\DefaultIcon");
        if (!icon.empty()) return icon;
    }
    std::wstring icon = ReadValue(HKEY_CLASSES_ROOT, extension + L"\\DefaultIcon");
    if (icon.empty()) icon = ReadValue(HKEY_CLASSES_ROOT, L"SystemFileAssociations\\" + extension + L"\\DefaultIcon");
    return icon;
}

std::wstring LowerExtension(const std::wstring& name) {
    const std::size_t dot = name.find_last_of(L".\\/");
    if (dot == std::wstring::npos || name[dot] != L'.') return {};
    std::wstring extension = name.substr(dot);
    if (!extension.empty()) CharLowerBuffW(&extension[0], static_cast<DWORD>(extension.size()));
    return extension;
}

// Holds one reference of a COM interface.
template <typename Interface>
class Held {
public:
    ~Held() {
        if (p_) p_->Release();
    }
    Interface** Out() { return &p_; }
    void** OutVoid() { return reinterpret_cast<void**>(&p_); }
    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    Interface* p_ = nullptr;
};

// The shell's shortcut object and its interfaces, named here: the toolchain's library of them would bring along the
// identifiers of the whole shell.
const GUID kShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kShellLinkW = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// A shortcut shows the icon it names, else the icon of what it leads to.
HICON ReadShortcutIcon(const std::wstring& path, int size) {
    Held<IShellLinkW> link;
    Held<IPersistFile> file;
    if (FAILED(CoCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, kShellLinkW, link.OutVoid())) ||
        FAILED(link->QueryInterface(kPersistFile, file.OutVoid())) || FAILED(file->Load(path.c_str(), STGM_READ)))
        return nullptr;
    wchar_t location[MAX_PATH] = {};
    int index = 0;
    if (SUCCEEDED(link->GetIconLocation(location, MAX_PATH, &index)) && location[0])
        return ReadIconNamed(location, index, size);
    wchar_t target[MAX_PATH] = {};
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)) || !target[0]) return nullptr;
    const DWORD attributes = GetFileAttributesW(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ReadFolderIcon(size);
    const std::wstring targetPath = target;
    if (OwnIconOf(ui::FromWide(targetPath)) == OwnIcon::InFile) {
        if (HICON own = ReadIconAt(targetPath, 0, size)) return own;
    }
    const std::wstring extension = LowerExtension(targetPath);
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

// What only the shell can read (its own handlers for the kind), at the system's small size.
HICON ReadIconThroughShell(const std::wstring& path) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return nullptr;
    return info.hIcon;
}

}  // namespace

HICON ReadAssociatedIcon(const std::wstring& extension, int size) {
    if (extension.empty()) return nullptr;
    const IconLocation location = ParseIconLocation(ReadDefaultIcon(extension));
    if (location.perFile || location.file.empty()) return nullptr;
    return ReadIconNamed(location.file, location.index, size);
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
