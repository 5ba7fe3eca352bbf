#include "app/FileIcons.h"

#include "app/ShellIcons.h"

namespace app {

HIMAGELIST FileIcons::Images(int size) {
    if (size != size_ || !images_) {
        images_.reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 8));
        size_ = size;
        byExtension_.clear();
        folder_ = program_ = generic_ = -2;
    }
    return images_.get();
}

int FileIcons::Add(HICON icon) {
    if (!icon) return -1;
    const int index = images_ ? ImageList_ReplaceIcon(images_.get(), -1, icon) : -1;
    DestroyIcon(icon);
    return index;
}

int FileIcons::ForFile(const std::wstring& name, int size) {
    Images(size);
    const std::size_t dot = name.find_last_of(L'.');
    std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot);
    if (!extension.empty()) CharLowerBuffW(&extension[0], static_cast<DWORD>(extension.size()));
    const auto found = byExtension_.find(extension);
    if (found != byExtension_.end()) return found->second;
    int icon = Add(ReadAssociatedIcon(extension, size));
    // A program without an icon of its kind has the system's program icon; any other kind the generic file's.
    if (icon < 0 && IsProgramExtension(extension)) {
        if (program_ == -2) program_ = Add(ReadProgramIcon(size));
        icon = program_;
    }
    if (icon < 0) {
        if (generic_ == -2) generic_ = Add(ReadGenericFileIcon(size));
        icon = generic_;
    }
    byExtension_.emplace(std::move(extension), icon);
    return icon;
}

int FileIcons::ForFolder(int size) {
    Images(size);
    if (folder_ == -2) folder_ = Add(ReadFolderIcon(size));
    return folder_;
}

}  // namespace app
