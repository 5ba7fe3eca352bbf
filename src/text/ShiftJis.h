// Shift-JIS (code page 932) character rules. Paths and names are byte strings in the ANSI code page; a double-byte
// character may end in 0x5C ("\") or 0x7C ("|"), which must not be taken for a backslash or a bar.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

enum class ByteType { Single, Lead, Trail };

// True for the bytes that open a double-byte character in code page 932 (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char b);

// What the byte at index is, scanning whole characters from the start of s (a lead byte at the very end, with no
// trail byte after it, counts as Single). index must be < s.size().
ByteType ByteTypeAt(std::string_view s, std::size_t index);

// Start index of the last whole character of s; s.size() when s is empty.
std::size_t LastCharIndex(std::string_view s);

// True when the last whole character of s is the single-byte character c.
bool LastCharIs(std::string_view s, char c);

// s with one backslash appended unless its last whole character already is one. A lead byte left dangling at the
// end is no character and is dropped first, or it would swallow the appended backslash as its trail byte.
std::string IncludeTrailingBackslash(std::string s);

// s with its last whole character removed (empty stays empty).
std::string DropLastChar(std::string s);

// Index of the first byte equal to c (whatever its byte type), or npos. Callers decide with ByteTypeAt.
std::size_t FindFirstByte(std::string_view s, char c);

// Index of the first occurrence of sub in s that begins and ends on whole-character boundaries (case-sensitive), or
// npos. An empty sub is never found.
std::size_t FindFirst(std::string_view s, std::string_view sub);

// s with the first occurrence of sub (as FindFirst finds it) removed; s unchanged when there is none.
std::string RemoveFirst(std::string s, std::string_view sub);

// Number of whole single-byte characters of s equal to c (trail bytes that happen to equal c are not counted).
std::size_t CountChar(std::string_view s, char c);

// Index of the last whole single-byte character of s that is one of delimiters, or npos.
std::size_t LastDelimiter(std::string_view s, std::string_view delimiters);

// The directory part of a path: everything up to and including the last backslash or drive colon ("" if none).
std::string ExtractFilePath(std::string_view path);

// path with its extension (from the last point of its last component) replaced by ext; ext is appended when the
// last component has no point.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

}  // namespace text
