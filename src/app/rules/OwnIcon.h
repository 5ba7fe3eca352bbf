// Which files carry an icon of their own rather than their kind's: programs, shortcuts, icons, Internet shortcuts,
// screen savers, control panel items and management consoles. Their icon can only be read from the file itself.
#pragma once

#include <string_view>

namespace app {

// Whether a file of this name shows an icon of its own (by its extension, letter case ignored).
bool HasOwnIcon(std::string_view name);

}  // namespace app
