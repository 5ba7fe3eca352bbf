// The form in which the settings file keeps a text that its code page (932) cannot hold, such as the path
// "D:\café", or that the profile format cannot hold as it is, such as the display name "2024=old" as a key: the
// marker "|utf-8|" and the text's UTF-8 bytes, each byte outside the printable ASCII characters, and each "%" and
// "=", written as "%" and two upper-case hexadecimal digits ("|utf-8|D:\caf%C3%A9", "|utf-8|2024%3Dold").
// The form is plain ASCII, so it is the same bytes in any code page and valid as a key and as a value: no blank at
// either end, no "=", no quotes around it, no "[" or ";" at its start. No path can be mistaken for it, since no file
// name holds "|"; to an earlier version it is a path that names nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace settings {

// What the format cannot hold as it is, and so goes into the stored form: a text with a line break (or a NUL); a
// blank (tab, LF, VT, FF, CR, ^Z, space) at either end, which a reader would not see; a pair of the same quotes
// (" or ') around it, which a reader would drop. A key besides: one with "=", which would end the key there, and one
// that begins with "[" (a section) or ";" (a comment). A value may hold "=" and begin with "[" or ";": it follows the
// key's "=", where neither means anything.
enum class ProfileText { Key, Value };

// The marker every text in the stored form begins with.
constexpr std::string_view kStoredTextMarker = "|utf-8|";

// The stored form of a UTF-8 text.
std::string EncodeStoredText(std::string_view text);

// True when a text must be kept in the stored form even though the code page holds it: it begins with the marker,
// and read back as it stands it would be taken for the stored form of another text.
bool LooksLikeStoredText(std::string_view text);

// True when text must be kept in the stored form whatever the code page holds: the format cannot hold it as it is
// (see above), or it would be taken for the stored form of another text (LooksLikeStoredText).
bool NeedsStoredForm(std::string_view text, ProfileText role);

// The UTF-8 text that a value in the stored form stands for; nothing when value is not in that form (no marker, a
// "%" without two hexadecimal digits after it, a byte that the form never holds).
std::optional<std::string> DecodeStoredText(std::string_view value);

}  // namespace settings
