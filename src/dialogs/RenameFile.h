// Renaming a file within the file system without ever replacing another file.
#pragma once

#include <string>

namespace dialogs {

// Gives the file at oldPath the path newPath. Fails (false) when newPath names another existing file or folder, or
// when the file system refuses the name. A change of letter case only ("report.TXT" to "report.txt") renames the
// file even where the file system takes both names for the same file.
bool RenameFile(const std::string& oldPath, const std::string& newPath);

}  // namespace dialogs
