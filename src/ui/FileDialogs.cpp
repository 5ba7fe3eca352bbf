#include "ui/FileDialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "ui/CodePage.h"
#include "ui/Control.h"

namespace ui {

OpenDialog::OpenDialog(Component* owner, const std::string& name) : Component(owner) { Name = name; }

bool OpenDialog::Execute() {
    HWND ownerWindow = nullptr;
    for (Component* c = Owner(); c && !ownerWindow; c = c->Owner()) {
        if (auto* control = dynamic_cast<Control*>(c)) ownerWindow = control->Handle();
    }
    // Room for a long path; the dialog reports a name that does not fit as a failure.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring filter = Filter.empty() ? std::wstring() : ToWide(Filter + std::string(2, '\0'));
    const std::wstring title = ToWide(Title);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = ownerWindow;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    // The current folder must not move: the help file is looked up there.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return false;
    FileName = FromWide(file.data());
    return true;
}

}  // namespace ui
