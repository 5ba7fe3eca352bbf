// What the settings dialog registers for a typed extension.
#pragma once

#include <string>

namespace dialogs {

// The extension registered for a typed text: the text itself when it begins with ".", otherwise "." followed by it
// ("txt" and ".txt" both give ".txt", "*" gives ".*"). Nothing else is checked or changed.
std::string ExtensionCandidate(const std::string& typed);

// True for ".*", the extension that stands for every file.
bool IsAllFilesExtension(const std::string& extension);

}  // namespace dialogs
