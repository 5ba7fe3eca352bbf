// Between the program's ANSI texts (the system code page, 932) and the exact UTF-16 form of a name.
#pragma once

#include <string>

namespace ui {

// The UTF-16 form of an ANSI text, as the system converts it.
std::wstring FromCodePage(const std::string& text);
// The ANSI form of a UTF-16 text, as the system converts it: exact where the code page holds every character,
// otherwise with the system's stand-ins.
std::string ToCodePage(const std::wstring& text);
// The same where each character the code page cannot hold becomes the code page's "?", never a look-alike: the
// system would write U+00A5 (the yen sign) as the byte of the backslash.
std::string ToCodePageWithoutBestFit(const std::wstring& text);

}  // namespace ui
