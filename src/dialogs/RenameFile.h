// Renaming a file within the file system without ever replacing another file. Paths are exact (UTF-16), so that a
// file whose name the code page cannot hold is renamed itself and never another file that its stand-in names.
#pragma once

#include <string>

namespace dialogs {

struct RenameResult {
    bool renamed = false;
    // Where the file was left when a rename through a temporary name could neither finish nor go back; empty
    // when the file has its new name or still its old one.
    std::wstring strandedAt;
};

// Gives the file at oldPath the path newPath. Fails when newPath names another existing file or folder, or when
// the file system refuses the name. A change of letter case only ("report.TXT" to "report.txt") renames the file
// even where the file system takes both names for the same file.
RenameResult RenameFile(const std::wstring& oldPath, const std::wstring& newPath);

}  // namespace dialogs
