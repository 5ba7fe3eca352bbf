// The program's texts are UTF-8 and the system's names UTF-16. A file name is any sequence of 16-bit units, an
// unpaired surrogate included, so the conversion carries such a unit as its own three bytes (as UTF-8 would encode
// its code point) and back again: every name the system gives comes back to it exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// Appends the 16-bit units of utf8 to out (Unit is char16_t, or wchar_t where that is 16 bits). A byte that starts
// no valid sequence becomes U+FFFD.
template <typename Unit>
void AppendUtf16(std::string_view utf8, std::basic_string<Unit>& out) {
    static_assert(sizeof(Unit) >= 2, "16-bit units");
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<Unit>(b));
            ++i;
            continue;
        }
        const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
        std::uint32_t code = length == 4 ? b & 0x07u : length == 3 ? b & 0x0Fu : b & 0x1Fu;
        bool valid = length != 0 && length <= n - i && b <= 0xF4;
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + k]);
            valid = (c & 0xC0) == 0x80;
            code = (code << 6) | (c & 0x3Fu);
        }
        // Overlong forms and code points beyond U+10FFFF are no characters.
        if (valid) valid = (length == 3 && code >= 0x800) || (length == 4 && code >= 0x10000 && code <= 0x10FFFF) ||
                           length == 2;
        if (!valid) {
            out.push_back(static_cast<Unit>(0xFFFD));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<Unit>(0xD800 + (code >> 10)));
            out.push_back(static_cast<Unit>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<Unit>(code));  // a lone surrogate stays the unit it was
        }
        i += length;
    }
}

// Appends the UTF-8 form of the 16-bit units to out.
template <typename Unit>
void AppendUtf8(std::basic_string_view<Unit> units, std::string& out) {
    const std::size_t n = units.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t code = static_cast<std::uint32_t>(units[i]) & 0xFFFFu;
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < n) {
            const std::uint32_t low = static_cast<std::uint32_t>(units[i + 1]) & 0xFFFFu;
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
}

// Number of 16-bit units the text takes in the system's form: what the system's path limits count.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace text
