// The small icons of the lists by kind: a file's by its extension and a folder's, read once per kind from the
// system's associations without touching a file, into a list of the program's own at the size the lists draw.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "ui/Handles.h"

namespace app {

class FileIcons {
public:
    // The list the indexes below are in, of icons size pixels square; asked at another size, it starts over at
    // that one. nullptr when the system gives no list.
    HIMAGELIST Images(int size);
    // The icon of a file of this name by its extension (a name without one has the generic file's icon); -1 for
    // none.
    int ForFile(const std::wstring& name, int size);
    // The icon of a folder; -1 for none.
    int ForFolder(int size);

private:
    // Adds the icon to the list (and destroys it); its index, or -1.
    int Add(HICON icon);

    ui::ImageListHandle images_;
    int size_ = 0;
    std::map<std::wstring, int> byExtension_;  // lower-case extension with its dot, "" for none
    // The system's icons, each read once: -2 until asked.
    int folder_ = -2;
    int program_ = -2;
    int generic_ = -2;
};

}  // namespace app
