#include "settings/rules/ProfileValues.h"

#include <climits>

namespace settings {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Value of a hexadecimal digit, or -1.
int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads digits of the given base into a non-negative magnitude; false when a character is not a digit, there are
// none, or the magnitude exceeds limit.
bool ReadMagnitude(std::string_view digits, int base, long long limit, long long& magnitude)
{
    if (digits.empty()) return false;
    magnitude = 0;
    for (char c : digits) {
        int d = HexDigit(c);
        if (d < 0 || d >= base) return false;
        magnitude = magnitude * base + d;
        if (magnitude > limit) return false;
    }
    return true;
}

}  // namespace

int ParseProfileInteger(std::string_view text, int defaultValue)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

    long long magnitude = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (!ReadMagnitude(text.substr(2), 16, INT_MAX, magnitude)) return defaultValue;
        return static_cast<int>(magnitude);
    }
    if (!text.empty() && text[0] == '$') {
        if (!ReadMagnitude(text.substr(1), 16, INT_MAX, magnitude)) return defaultValue;
        return static_cast<int>(magnitude);
    }
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    if (!ReadMagnitude(text, 10, limit, magnitude)) return defaultValue;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool ParseProfileBool(std::string_view text, bool defaultValue)
{
    return ParseProfileInteger(text, defaultValue ? 1 : 0) != 0;
}

std::string FormatProfileInteger(int value)
{
    return std::to_string(value);
}

std::string FormatProfileBool(bool value)
{
    return value ? "1" : "0";
}

std::size_t CountProfileNames(std::string_view list)
{
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < list.size() && list[pos] != '\0') {
        ++count;
        std::size_t end = list.find('\0', pos);
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    return count;
}

int BoundEntryCount(int count, std::size_t storedKeys)
{
    if (count <= 0) return 0;
    if (storedKeys < static_cast<std::size_t>(count)) return static_cast<int>(storedKeys);
    return count;
}

}  // namespace settings
