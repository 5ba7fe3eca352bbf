#include "app/FileIcons.h"

#include <shellapi.h>

namespace app {

int FileIcons::Ask(const wchar_t* name, DWORD attributes) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    if (!SHGetFileInfoW(name, attributes, &info, sizeof info, flags)) return -1;
    return info.iIcon;
}

HIMAGELIST FileIcons::SmallImages() {
    if (!images_) {
        SHFILEINFOW info{};
        images_ = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoW(L"file", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    }
    return images_;
}

int FileIcons::ForFile(const std::wstring& name) {
    const std::size_t dot = name.find_last_of(L'.');
    std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot);
    if (!extension.empty()) CharLowerBuffW(&extension[0], static_cast<DWORD>(extension.size()));
    const auto found = byExtension_.find(extension);
    if (found != byExtension_.end()) return found->second;
    // The shell looks only at the name it is given: "file" and the extension stand for every such file.
    int icon = Ask((L"file" + extension).c_str(), FILE_ATTRIBUTE_NORMAL);
    // An extension the shell can tell nothing of has the generic file's icon.
    if (icon < 0 && !extension.empty()) icon = ForFile(std::wstring());
    byExtension_.emplace(std::move(extension), icon);
    return icon;
}

int FileIcons::ForFolder() {
    if (folder_ == -2) folder_ = Ask(L"folder", FILE_ATTRIBUTE_DIRECTORY);
    return folder_;
}

}  // namespace app
