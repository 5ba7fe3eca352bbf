#include "app/FileIcons.h"

#include "app/ShellIcons.h"

namespace app {

HIMAGELIST FileIcons::Images(int size) {
    if (size != size_ || !images_) {
        images_.reset(CreateIconList(size));
        size_ = size;
        byExtension_.clear();
        folder_ = program_ = generic_ = -2;
    }
    return images_.get();
}

int FileIcons::Add(HICON icon) { return AddToIconList(images_.get(), icon); }

int FileIcons::ForFile(const std::wstring& name, int size) {
    Images(size);
    std::wstring extension = LowerExtension(name);
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
