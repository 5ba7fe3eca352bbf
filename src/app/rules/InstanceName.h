// The name the runs of the program from one folder share: the start that finds it taken shows the running window
// and ends. It is a valid name for a kernel object and a window whatever characters the folder's path holds.
#pragma once

#include <string>
#include <string_view>

namespace app {

// "Tessaly-" followed by 16 hex digits of a 64-bit FNV-1a hash of foldedPath, the program folder's full path with its
// letter case folded (so that "C:\Tools\" and "c:\tools\" give the same name).
std::string InstanceName(std::string_view foldedPath);

}  // namespace app
