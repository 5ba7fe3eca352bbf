// The settings file's lines as bytes of code page 932, read and edited the way the system's profile functions read
// and edit them, so that a file means the same to this program, to its earlier versions and to a text editor:
// - a line ends at CR, LF or any run of them; blanks (tab, LF, VT, FF, CR, ^Z, space) around a line are ignored,
//   and so are blank lines;
// - a line that begins with "[" and holds a "]" opens a section: its name is what stands between the "[" and the
//   last "]", without blanks around it; lines before the first section belong to the section without a name;
// - any other line is an entry: the name up to the first "=" and the value after it, both without blanks around
//   them; a line without "=" is an entry without a value, which reads as missing;
// - names match without regard to the case of the letters A to Z; only the first section of a name counts, and in
//   it only the first entry of a name;
// - a value between a pair of double or single quotes reads without them.
// Names and values are scanned character by character, so the second byte of a double-byte character ("ー" is
// 0x81 0x5B) is never taken for "[", "]", a letter or a backslash.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// True for the bytes the profile format ignores around lines, names and values.
bool IsProfileBlank(unsigned char b);

// The value of section/key as it stands in the file (without the blanks around it), or nothing when the file has no
// such section, no such key in it, or the key without "=". Names are looked up without the blanks around them.
std::optional<std::string_view> FindProfileValue(std::string_view file, std::string_view section,
                                                  std::string_view key);

// A value as a reader receives it: without a pair of the same quotes (" or ') around it.
std::string_view ValueWithoutQuotes(std::string_view value);

// The first maxBytes bytes of a value, never ending in the first byte of a double-byte character.
std::string_view CutToWholeCharacters(std::string_view value, std::size_t maxBytes);

// Number of entries with a value in the section, comment entries (a name that begins with ";") left out.
std::size_t CountProfileKeys(std::string_view file, std::string_view section);

// The file with section/key set to value, or nothing when the key already holds exactly that value (the file needs
// no write). An existing key's line becomes "name=value" with the name as the file spells it; a new key goes on a
// line of its own after the last entry of the section; a new section goes at the end. Every other line keeps its
// bytes. New lines end in CR LF; a last line without a line break gets one when a line is added after it.
// The value must be one the format holds as it is: no line break and no blank at either end (see StoredText.h).
std::optional<std::string> SetProfileValue(std::string_view file, std::string_view section, std::string_view key,
                                           std::string_view value);

}  // namespace settings
