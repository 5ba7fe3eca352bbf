// The form in which the settings file keeps a text that its code page (932) cannot hold, such as the path
// "D:\café": the marker "|utf-8|" and the text's UTF-8 bytes, each byte outside the printable ASCII characters, and
// each "%" and "=", written as "%" and two upper-case hexadecimal digits ("|utf-8|D:\caf%C3%A9").
// The form is plain ASCII, so it is the same bytes in any code page and valid as a key and as a value: no blank at
// either end, no "=", no quotes around it, no "[" or ";" at its start. No path can be mistaken for it, since no file
// name holds "|"; to an earlier version it is a path that names nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace settings {

// The marker every text in the stored form begins with.
constexpr std::string_view kStoredTextMarker = "|utf-8|";

// The stored form of a UTF-8 text.
std::string EncodeStoredText(std::string_view text);

// True when a text must be kept in the stored form even though the code page holds it: it begins with the marker,
// and read back as it stands it would be taken for the stored form of another text.
bool LooksLikeStoredText(std::string_view text);

// The UTF-8 text that a value in the stored form stands for; nothing when value is not in that form (no marker, a
// "%" without two hexadecimal digits after it, a byte that the form never holds).
std::optional<std::string> DecodeStoredText(std::string_view value);

}  // namespace settings
