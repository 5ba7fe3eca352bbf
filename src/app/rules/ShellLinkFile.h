// What a shortcut file (the shell's link format) says about the icon it shows: the icon it names, else where it
// leads. Read from the file's bytes alone, so that a folder of shortcuts needs neither COM nor the shell's objects.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace app {

struct ShellLinkIcon {
    std::wstring iconFile;  // the file the icon is taken from, possibly with "%SystemRoot%" and the like
    int iconIndex = 0;      // its index there (a negative one is a resource id)
    std::wstring target;    // the path the shortcut leads to; empty when it names none
    bool targetHasVariables = false;  // the target is written with "%SystemRoot%" and the like
    std::wstring relativeTarget;  // the same relative to the shortcut's folder
};

// The parts of a shortcut's bytes; nullopt when they are no shortcut or end too early. Texts stored in the code page
// of the system are converted by fromCodePage.
std::optional<ShellLinkIcon> ReadShellLinkIcon(std::string_view bytes,
                                               const std::function<std::wstring(std::string_view)>& fromCodePage);

}  // namespace app
