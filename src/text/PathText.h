// Rules for paths and names in the program's UTF-8 form. A byte below 0x80 is always a whole character of its
// own (no byte of a longer character is), so a backslash, colon, point or slash is found by its byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// True when the last character of s is the ASCII character c.
bool LastCharIs(std::string_view s, char c);

// s with one backslash appended unless it already ends in one.
std::string IncludeTrailingBackslash(std::string s);

// s with its last whole character removed (empty stays empty).
std::string DropLastChar(std::string s);

// Index of the first occurrence of sub in s (case-sensitive), or npos. An empty sub is never found.
std::size_t FindFirst(std::string_view s, std::string_view sub);

// s with the first occurrence of sub removed; s unchanged when there is none.
std::string RemoveFirst(std::string s, std::string_view sub);

// Number of characters of s equal to the ASCII character c.
std::size_t CountChar(std::string_view s, char c);

// Index of the last character of s that is one of the ASCII delimiters, or npos.
std::size_t LastDelimiter(std::string_view s, std::string_view delimiters);

// The directory part of a path: everything up to and including the last backslash or drive colon ("" if none).
std::string ExtractFilePath(std::string_view path);

// path with its extension (from the last point of its last component) replaced by ext; ext is appended when the
// last component has no point.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

}  // namespace text
