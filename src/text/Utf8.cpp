#include "text/Utf8.h"

namespace text {

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (char b : utf8) {
        const auto c = static_cast<unsigned char>(b);
        if ((c & 0xC0) != 0x80) ++units;  // each character starts once ...
        if (c >= 0xF0) ++units;           // ... and one beyond the first plane takes two units
    }
    return units;
}

}  // namespace text
