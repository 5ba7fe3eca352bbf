#include "text/ShiftJis.h"

#include <vector>

namespace text {

namespace {

// Length in bytes of the character that starts at index i: 2 for a lead byte with a byte after it, else 1.
std::size_t CharLengthAt(std::string_view s, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// For each index 0..size: true where a whole character starts (the end counts as a boundary).
std::vector<bool> CharBoundaries(std::string_view s) {
    std::vector<bool> boundaries(s.size() + 1, false);
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i)) boundaries[i] = true;
    boundaries[s.size()] = true;
    return boundaries;
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

bool LastCharIs(std::string_view s, char c) {
    if (s.empty()) return false;
    const std::size_t last = LastCharIndex(s);
    return last == s.size() - 1 && s[last] == c;
}

std::string IncludeTrailingBackslash(std::string s) {
    if (LastCharIs(s, '\\')) return s;
    if (!s.empty() && LastCharIndex(s) == s.size() - 1 && IsLeadByte(static_cast<unsigned char>(s.back()))) {
        s.pop_back();
    }
    s += '\\';
    return s;
}

std::string DropLastChar(std::string s) {
    s.erase(LastCharIndex(s));
    return s;
}

std::size_t FindFirstByte(std::string_view s, char c) {
    return s.find(c);
}

std::size_t FindFirst(std::string_view s, std::string_view sub) {
    if (sub.empty() || sub.size() > s.size()) return std::string_view::npos;
    const std::vector<bool> boundaries = CharBoundaries(s);
    for (std::size_t at = s.find(sub); at != std::string_view::npos; at = s.find(sub, at + 1)) {
        if (boundaries[at] && boundaries[at + sub.size()]) return at;
    }
    return std::string_view::npos;
}

std::string RemoveFirst(std::string s, std::string_view sub) {
    const std::size_t at = FindFirst(s, sub);
    if (at != std::string_view::npos) s.erase(at, sub.size());
    return s;
}

std::size_t CountChar(std::string_view s, char c) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i)) {
        if (CharLengthAt(s, i) == 1 && s[i] == c) ++count;
    }
    return count;
}

std::size_t LastDelimiter(std::string_view s, std::string_view delimiters) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i)) {
        if (CharLengthAt(s, i) == 1 && delimiters.find(s[i]) != std::string_view::npos) found = i;
    }
    return found;
}

std::string ExtractFilePath(std::string_view path) {
    const std::size_t at = LastDelimiter(path, "\\:");
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::size_t at = LastDelimiter(path, ".\\:");
    std::string result(path.substr(0, at != std::string_view::npos && path[at] == '.' ? at : path.size()));
    result += ext;
    return result;
}

}  // namespace text
