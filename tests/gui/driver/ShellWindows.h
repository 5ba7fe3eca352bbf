// Windows that the shell opens on the program's behalf (a folder opened in the file browser), found by the
// process that started them, and ended again so that a test leaves nothing running.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "driver/Window.h"

namespace driver {

// The parent process of a process, or nothing when it is gone.
std::optional<DWORD> ParentProcessOf(DWORD processId);

// A visible file-browser window of a process that programProcess started, captioned caption when one is given;
// an empty Window when there is none.
Window FolderWindowStartedBy(DWORD programProcess, const std::optional<std::string>& caption = std::nullopt);

// Ends the process that owns a window and waits until it is gone.
void EndProcessOf(const Window& window);

}  // namespace driver
