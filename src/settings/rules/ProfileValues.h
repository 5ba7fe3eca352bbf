// How values of the settings file are turned into numbers and back. The profile functions hand over and take plain
// text; these rules give that text its integer and boolean meaning.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace settings {

// The integer that a profile value stands for, or defaultValue when the text is not one.
// Accepted forms: decimal with an optional "+" or "-" ("-12"); "0x"/"0X" followed by hexadecimal digits, taken as
// hexadecimal only when the text is longer than two characters ("0x1F"); "$" followed by hexadecimal digits ("$1F").
// A hexadecimal text carries no sign. A value that does not fit a 32-bit int (hexadecimal above 0x7FFFFFFF
// included) gives the default, as does an empty text or any other character. Blanks (space, tab) around the text
// are ignored, so a value means the same whether or not the profile functions have already stripped them; a blank
// inside the text makes it invalid.
int ParseProfileInteger(std::string_view text, int defaultValue);

// The boolean that a profile value stands for: the value read as an integer with 1 or 0 (after defaultValue) as
// the default, and any non-zero number true.
bool ParseProfileBool(std::string_view text, bool defaultValue);

// The text an integer is stored as: decimal, with a minus sign when negative.
std::string FormatProfileInteger(int value);

// The text a boolean is stored as: "1" or "0".
std::string FormatProfileBool(bool value);

// Number of names in a list as the profile functions return it: names separated by NUL and the list ended by an
// empty name (two NULs in a row) or by the end of the buffer.
std::size_t CountProfileNames(std::string_view list);

// How many entries of an indexed list to read: none for a count of zero or less, otherwise the count but never
// more than the number of keys stored in the list's section. Every entry the program writes has its own key, so
// for any list it wrote the count is below that number and stays as it is; an absurd count (edited by hand) is cut
// down to what the file can hold, instead of reading billions of missing entries.
int BoundEntryCount(int count, std::size_t storedKeys);

}  // namespace settings
