#include "text/ShiftJis.h"

namespace text {

namespace {

// Length in bytes of the character that starts at index i: 2 for a lead byte with a byte after it, else 1.
std::size_t CharLengthAt(std::string_view s, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

}  // namespace

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

ByteType ByteTypeAt(std::string_view s, std::size_t index) {
    if (index >= s.size()) return ByteType::Single;
    std::size_t i = 0;
    while (i < index) i += CharLengthAt(s, i);
    if (i > index) return ByteType::Trail;
    return CharLengthAt(s, i) == 2 ? ByteType::Lead : ByteType::Single;
}

std::size_t LastCharIndex(std::string_view s) {
    std::size_t last = s.size();
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i)) last = i;
    return last;
}

}  // namespace text
