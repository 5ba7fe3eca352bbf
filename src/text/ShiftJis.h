// Shift-JIS (code page 932) byte rules, for the texts whose bytes count: values of the settings file and the update
// comment. A double-byte character may end in 0x5C ("\\") or 0x7C ("|"), which is no backslash or bar.
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

}  // namespace text
