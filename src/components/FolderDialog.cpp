#include "components/FolderDialog.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "ui/CodePage.h"
#include "ui/Control.h"

namespace {

// Keeps COM initialised on this thread for as long as the browse dialog needs it.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialized_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

// The item identifier list the browse dialog returns, freed with the shell's allocator.
struct ItemIdListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using ItemIdList = std::unique_ptr<ITEMIDLIST, ItemIdListFree>;

}  // namespace

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
    // wParam TRUE: the data is a path, not an item identifier list.
    if (message == BFFM_INITIALIZED) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

TFolderDlg::TFolderDlg(ui::Component* owner) : ui::Component(owner) {}

HWND TFolderDlg::OwnerWindow() const {
    for (ui::Component* c = Owner(); c; c = c->Owner()) {
        if (auto* control = dynamic_cast<ui::Control*>(c)) return control->Handle();
    }
    return nullptr;
}

bool TFolderDlg::Execute() {
    ComApartment com;

    const std::wstring title = ui::ToWide(Title);
    const std::wstring root = ui::ToWide(Root);
    BROWSEINFOW info{};
    info.hwndOwner = OwnerWindow();
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    if (!root.empty()) {
        info.lpfn = BrowseCallback;
        info.lParam = reinterpret_cast<LPARAM>(root.c_str());
    }

    ItemIdList chosen(SHBrowseForFolderW(&info));
    if (!chosen) {
        FolderName.clear();
        return false;
    }
    wchar_t path[MAX_PATH] = {};
    SHGetPathFromIDListW(chosen.get(), path);
    FolderName = ui::FromWide(path);
    return true;
}
