#include "text/PathText.h"

namespace text {

bool LastCharIs(std::string_view s, char c) { return !s.empty() && s.back() == c; }

std::string IncludeTrailingBackslash(std::string s) {
    if (!LastCharIs(s, '\\')) s += '\\';
    return s;
}

std::string DropLastChar(std::string s) {
    // The bytes 10xxxxxx continue a character; the last byte that is not one starts the last character.
    std::size_t end = s.size();
    while (end > 0 && (static_cast<unsigned char>(s[end - 1]) & 0xC0) == 0x80) --end;
    s.erase(end > 0 ? end - 1 : 0);
    return s;
}

std::size_t FindFirst(std::string_view s, std::string_view sub) {
    return sub.empty() ? std::string_view::npos : s.find(sub);
}

std::string RemoveFirst(std::string s, std::string_view sub) {
    const std::size_t at = FindFirst(s, sub);
    if (at != std::string_view::npos) s.erase(at, sub.size());
    return s;
}

std::size_t CountChar(std::string_view s, char c) {
    std::size_t count = 0;
    for (char b : s) count += b == c ? 1 : 0;
    return count;
}

std::size_t LastDelimiter(std::string_view s, std::string_view delimiters) {
    return s.find_last_of(delimiters);
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
