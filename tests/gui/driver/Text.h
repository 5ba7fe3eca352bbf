// Conversions between the program's code page 932 and UTF-16. The driver reads every text with the W functions
// (Wine 8 garbles some A messages across processes) and hands it to tests as code page 932 bytes.
#pragma once

#include <string>

namespace driver {

// UTF-16 text to code page 932 bytes.
std::string ToAnsi(const std::wstring& wide);

// Code page 932 bytes to UTF-16.
std::wstring ToWide(const std::string& ansi);

}  // namespace driver
