// The form in which find as you type compares a name with the typed text, made by the system's national-language
// functions.
#pragma once

#include <string>
#include <string_view>

namespace app {

// text (UTF-8) composed (Unicode NFC), in lower case, with katakana as hiragana and every character in one width:
// "ＭＥＭＯ" and "memo" fold alike, and so do "メモ", "ﾒﾓ" and "めも", and "が" written as "か" + U+3099.
std::string FoldName(std::string_view text);

}  // namespace app
