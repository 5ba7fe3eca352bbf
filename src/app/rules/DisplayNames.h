// The folder list's display names and their way back to full paths. A display name is the base folder's own name,
// a walked folder's path relative to the base folder, or a fixed folder's name followed by "/". Every argument named
// baseFolder is the program's folder with its trailing backslash. Texts are UTF-8; every test of a last character
// looks at the last whole character.
#pragma once

#include <functional>
#include <string>

namespace app {

// Reads the fixed-folder path stored for a display name (section Name2), giving defaultValue when there is none.
using Name2Reader = std::function<std::string(const std::string& key, const std::string& defaultValue)>;

// The base folder's own name: its last component (points kept); empty when the base folder is a drive root.
std::string GetBaseFolderName(const std::string& baseFolder);

// The folder-list entry of a folder the walker reports: the base folder name when name is the base folder itself,
// otherwise name with the first occurrence of baseFolder removed (its path relative to the base folder).
std::string FolderListEntry(const std::string& baseFolder, const std::string& name);

// Number of levels of path below baseFolder: 0 for the base folder itself, 1 for a child, 2 for a grandchild.
int GetFolderDepth(const std::string& baseFolder, const std::string& path);

// True when the walker must not go below the reported folder name, given the configured walk depth.
bool IsAtWalkDepthLimit(const std::string& baseFolder, const std::string& name, int depth);

// The folder-list entry of a fixed folder: its display name followed by "/".
std::string FixedFolderEntry(const std::string& displayName);

// True when a folder-list entry stands for a fixed folder (its last character is "/").
bool IsFixedFolderEntry(const std::string& entry);

// The folder a fixed-folder path names, as stored and as typed: the path itself when it is fully qualified
// ("C:\x", "\\server\share"); otherwise taken from baseFolder, so that a portable install keeps working wherever it
// is started from and whatever drive letter it gets: "sub" and ".\sub" lie in baseFolder, "\x" on its drive, "D:x"
// in the root of drive D, an empty path the base folder itself. Points ("..") are left for the system's full-path function.
std::string ResolveFolderPath(const std::string& baseFolder, const std::string& path);

// Full path, with trailing backslash, of the folder a display name stands for. An empty display name and the base
// folder name give baseFolder; a fixed-folder entry is looked up by its name without "/" through readName2, with
// baseFolder as the default (an empty readName2 reads as a section without entries), and resolved from baseFolder
// when it is relative (ResolveFolderPath).
std::string DisplayNameToPath(const std::string& baseFolder, const std::string& displayName,
                              const Name2Reader& readName2);

}  // namespace app
