// The program's texts are UTF-8; the system takes and gives UTF-16, and some bytes come in a code page: the
// settings file's in 932 (Shift-JIS) on every system, others in the system's ANSI code page. These are the
// conversions between the forms. A code page is named by its number; kSystemCodePage stands for the system's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The system's ANSI code page, whatever it is (932 on a Japanese system, 1252 on a Western one, 65001 where the
// system runs on UTF-8).
constexpr unsigned kSystemCodePage = 0;
// Shift-JIS as Windows defines it: the code page of the settings file on every system.
constexpr unsigned kShiftJisCodePage = 932;
constexpr unsigned kUtf8CodePage = 65001;

// The code page kSystemCodePage stands for: the system's ANSI code page (GetACP), or the one a
// ScopedSystemCodePage puts in its place.
unsigned SystemCodePage();

// While it lives, kSystemCodePage stands for another code page, as on a system set to it: tests run the program's
// code as it would run on a Western system (1252) or one that runs on UTF-8 (65001), which Wine cannot be switched to.
class ScopedSystemCodePage {
public:
    explicit ScopedSystemCodePage(unsigned codePage);
    ~ScopedSystemCodePage();
    ScopedSystemCodePage(const ScopedSystemCodePage&) = delete;
    ScopedSystemCodePage& operator=(const ScopedSystemCodePage&) = delete;

private:
    unsigned previous_;
};

// The UTF-16 form of a UTF-8 text (what every wide function of the system takes).
std::wstring ToWide(std::string_view text);
// The UTF-8 form of a UTF-16 text (what the system gives), an unpaired surrogate of a name included.
std::string FromWide(std::wstring_view text);

// The UTF-16 form of a text in a code page, as the system converts it.
std::wstring FromCodePage(std::string_view text, unsigned codePage = kSystemCodePage);
// The form of a UTF-16 text in a code page, with each character the code page cannot hold as the code page's "?",
// never a look-alike: the system would otherwise write U+00A5 (the yen sign) as the byte of the backslash.
std::string ToCodePageWithoutBestFit(std::wstring_view text, unsigned codePage = kSystemCodePage);
// The form of a UTF-16 text in a code page when that form gives back exactly the same text; nothing otherwise.
std::optional<std::string> ToCodePageExactly(std::wstring_view text, unsigned codePage = kSystemCodePage);
// True when the code page holds every character of text, so that its form there gives back the same text.
bool CodePageHolds(std::wstring_view text, unsigned codePage = kSystemCodePage);

}  // namespace ui
