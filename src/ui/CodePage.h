// The program's texts are UTF-8; the system takes and gives UTF-16, and the settings file keeps the ANSI code page
// (932). These are the conversions between the three forms.
#pragma once

#include <string>
#include <string_view>

namespace ui {

// The UTF-16 form of a UTF-8 text (what every wide function of the system takes).
std::wstring ToWide(std::string_view text);
// The UTF-8 form of a UTF-16 text (what the system gives), an unpaired surrogate of a name included.
std::string FromWide(std::wstring_view text);

// The UTF-16 form of a text in the ANSI code page, as the system converts it.
std::wstring FromCodePage(std::string_view text);
// The ANSI form of a UTF-16 text, with each character the code page cannot hold as the code page's "?", never a
// look-alike: the system would otherwise write U+00A5 (the yen sign) as the byte of the backslash.
std::string ToCodePageWithoutBestFit(std::wstring_view text);
// True when the code page holds every character of text, so that its ANSI form gives back the same text.
bool CodePageHolds(std::wstring_view text);

}  // namespace ui
