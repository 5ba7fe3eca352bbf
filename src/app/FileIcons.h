// The shell's small icons for the lists: a file's by its extension and a folder's, found without touching the disk
// (the shell answers from its associations) and asked once per extension.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

namespace app {

class FileIcons {
public:
    // The system's list of small icons, which the indexes below are in; nullptr when the shell gives none.
    HIMAGELIST SmallImages();
    // The icon of a file of this name by its extension (a name without one has the generic file's icon).
    int ForFile(const std::wstring& name);
    // The icon of a folder.
    int ForFolder();

private:
    // The icon the shell gives a name with these attributes, or -1.
    static int Ask(const wchar_t* name, DWORD attributes);

    std::map<std::wstring, int> byExtension_;  // lower-case extension with its dot, "" for none
    int folder_ = -2;                          // -2 until asked
    HIMAGELIST images_ = nullptr;
};

}  // namespace app
