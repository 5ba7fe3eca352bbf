// Name checks of the rename dialog (Unit2) on names and paths in the program's UTF-8 form, where no byte of a
// longer character can be taken for a backslash, a vertical bar or a point.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs {

// Characters a new file name may not hold, in the order they are reported. The question mark is not among them:
// the rename itself refuses it.
constexpr std::array<char, 8> InvalidNameChars = {'\\', '/', ':', '*', '"', '<', '>', '|'};

// The characters of InvalidNameChars that stand in name as characters of their own, in table order, each once.
std::vector<char> FindInvalidNameChars(std::string_view name);

// Text of the error box for one offending character: the character in double quotes + "はファイル名に使えません".
std::string InvalidNameCharMessage(char c);

// Extension of the last component of path, the point included; "" when that component has no point.
std::string ExtractFileExt(std::string_view path);

// File-name part of path: everything after its last backslash or drive colon.
std::string ExtractFileName(std::string_view path);

// True when the two paths' extensions are byte for byte equal (".txt" and ".TXT" differ).
bool SameFileExt(std::string_view oldPath, std::string_view newPath);

// Path the file gets when renamed: the folder part of oldPath (up to and including its last backslash) followed by
// newName exactly as typed.
std::string RenamedPath(std::string_view oldPath, std::string_view newName);

}  // namespace dialogs
