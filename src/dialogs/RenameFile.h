// Renaming a file within the file system without ever replacing another file.
#pragma once

#include <string>

namespace dialogs {

struct RenameResult {
    bool renamed = false;
    // Where the file was left when a rename through a temporary name could neither finish nor go back; empty
    // when the file has its new name or still its old one.
    std::string strandedAt;
};

// Gives the file at oldPath the path newPath, each path reaching exactly the names written (a trailing point or
// blank kept, a device name taken as a file's). Fails when newPath names another existing file or folder, or when
// the file system refuses the name. A change of letter case only ("report.TXT" to "report.txt") renames the file
// even where the file system takes both names for the same file.
RenameResult RenameFile(const std::string& oldPath, const std::string& newPath);

}  // namespace dialogs
