#include "dialogs/rules/Extensions.h"

namespace dialogs {

std::string ExtensionCandidate(const std::string& typed) {
    // The first byte of a text is never the trail byte of a double-byte character.
    if (!typed.empty() && typed.front() == '.') return typed;
    return "." + typed;
}

bool IsAllFilesExtension(const std::string& extension) { return extension == ".*"; }

}  // namespace dialogs
