// Screenshots as .bmp files in the folder named by the environment variable TESSALY_SCREENSHOTS (the test
// script turns them into .png). Pixels are copied from the screen, so open menus and message boxes show.
#pragma once

#include "driver/Window.h"

#include <string>

namespace driver {

// Writes <name>.bmp of the whole screen; returns the file's path, or "" when TESSALY_SCREENSHOTS is not set.
// Characters not allowed in file names are replaced by "_". Throws DriverError when the file cannot be written.
std::string Screenshot(const std::string& name);
// The same for a window's outer bounds.
std::string Screenshot(const std::string& name, const Window& window);
// The same for a screen rectangle, cut to the screen.
std::string Screenshot(const std::string& name, const Rect& area);

// "Suite.Test" of the running GoogleTest test, a handy screenshot name prefix.
std::string CurrentTestName();

}  // namespace driver
