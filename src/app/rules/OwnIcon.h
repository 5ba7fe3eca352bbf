// Which files carry an icon of their own rather than their kind's: programs, shortcuts, icons, Internet shortcuts,
// screen savers, control panel items and management consoles. Their icon can only be read from the file itself,
// each kind in its own way.
#pragma once

#include <string>
#include <string_view>

namespace app {

enum class OwnIcon {
    None,              // the file shows its kind's icon
    InFile,            // a program, screen saver, control panel item or icon file: the file's first icon
    Shortcut,          // a shortcut: the icon it names, else its target's
    InternetShortcut,  // the icon its "IconFile" and "IconIndex" name
    FromShell,         // only the shell knows where it is (a management console)
};

// Which own icon a file of this name shows (by its extension, letter case ignored).
OwnIcon OwnIconOf(std::string_view name);
inline bool HasOwnIcon(std::string_view name) { return OwnIconOf(name) != OwnIcon::None; }

// Where a "DefaultIcon" value of the associations says a kind's icon is: "file,index" (a negative index is the icon's
// resource id, no index the first icon), the file possibly in quotes. perFile when the value ("%1") says that each
// file carries its own; file is empty when the value names none.
struct IconLocation {
    std::wstring file;
    int index = 0;
    bool perFile = false;
};
IconLocation ParseIconLocation(std::wstring_view value);

}  // namespace app
