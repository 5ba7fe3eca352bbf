// Conversions between the tests' UTF-8 texts and UTF-16. The driver reads every text with the W functions and hands
// it to tests in UTF-8, the form of their literals and of every text inside the program.
#pragma once

#include <string>

namespace driver {

// UTF-16 text to UTF-8.
std::string ToUtf8(const std::wstring& wide);

// UTF-8 text to UTF-16.
std::wstring ToWide(const std::string& utf8);

// UTF-8 text to the bytes of code page 932, as a Japanese user's text files and Tessaly.ini hold them.
std::string ToCodePage932(const std::string& utf8);

// Bytes of code page 932 to UTF-8.
std::string FromCodePage932(const std::string& bytes);

}  // namespace driver
