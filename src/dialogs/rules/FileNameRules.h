// Name checks of the rename dialog (Unit2). Names and paths are Shift-JIS byte strings: a double-byte character may
// end in 0x5C or 0x7C ("ソ" is 83 5C, "ポ" is 83 7C), which is neither a backslash nor a vertical bar.
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

// The same on exact (UTF-16) paths, where every character is one code unit or a surrogate pair and no trail unit
// can be taken for a point or a backslash.
std::wstring ExtractFileExt(std::wstring_view path);
std::wstring ExtractFileName(std::wstring_view path);
bool SameFileExt(std::wstring_view oldPath, std::wstring_view newPath);

// Path the file gets when renamed: the folder part of oldPath (up to and including its last backslash) followed by
// newName exactly as typed.
std::string RenamedPath(std::string_view oldPath, std::string_view newName);

}  // namespace dialogs
