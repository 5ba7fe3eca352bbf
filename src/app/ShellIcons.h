// The icons the lists show, read at the size they are drawn at from where the system keeps them: a kind's from the
// associations in the registry (never touching a file of that kind), a file's own from the file. Each function
// returns an icon for the caller to destroy, or nullptr when there is none to read; all may run on any thread.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/rules/OwnIcon.h"

namespace app {

// A list for icons size pixels square, for the caller to destroy.
HIMAGELIST CreateIconList(int size);
// Adds the icon to the list and destroys it; its index in the list, or -1 (also for no icon or no list).
int AddToIconList(HIMAGELIST list, HICON icon);
// The extension of a name or path in lower case, with its dot; empty when it has none.
std::wstring LowerExtension(const std::wstring& name);

// The icon the associations give files with this extension (lower case, with its dot); nullptr when they give
// none, or say that each file carries its own.
HICON ReadAssociatedIcon(const std::wstring& extension, int size);
// Whether files with this extension are programs, which show the system's program icon when they have none.
bool IsProgramExtension(const std::wstring& extension);
// The system's icons of a program, of any other file, and of a folder.
HICON ReadProgramIcon(int size);
HICON ReadGenericFileIcon(int size);
HICON ReadFolderIcon(int size);
// The icon the file at path carries itself, read in the way of its kind; nullptr when the file names none or
// cannot be read (a broken or vanished file), and the list keeps its kind's icon.
HICON ReadOwnIcon(const std::wstring& path, OwnIcon kind, int size);

}  // namespace app
