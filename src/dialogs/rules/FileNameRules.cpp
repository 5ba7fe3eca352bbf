#include "dialogs/rules/FileNameRules.h"

#include "text/ShiftJis.h"

namespace dialogs {

std::vector<char> FindInvalidNameChars(std::string_view name) {
    // Every occurrence counts, not only the first: in "ソ\x.txt" the first 0x5C is the second byte of "ソ", but the
    // backslash after it is real and would move the file into another folder.
    std::vector<char> found;
    for (const char c : InvalidNameChars) {
        if (text::CountChar(name, c) > 0) found.push_back(c);
    }
    return found;
}

std::string InvalidNameCharMessage(char c) {
    std::string message = "\"";
    message += c;
    message += "\"はファイル名に使えません";
    return message;
}

std::string ExtractFileExt(std::string_view path) {
    const std::size_t at = text::LastDelimiter(path, ".\\:");
    if (at == std::string_view::npos || path[at] != '.') return std::string();
    return std::string(path.substr(at));
}

std::string ExtractFileName(std::string_view path) {
    const std::size_t at = text::LastDelimiter(path, "\\:");
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

bool SameFileExt(std::string_view oldPath, std::string_view newPath) {
    return ExtractFileExt(oldPath) == ExtractFileExt(newPath);
}

std::wstring ExtractFileExt(std::wstring_view path) {
    const std::size_t at = path.find_last_of(L".\\:");
    if (at == std::wstring_view::npos || path[at] != L'.') return std::wstring();
    return std::wstring(path.substr(at));
}

std::wstring ExtractFileName(std::wstring_view path) {
    const std::size_t at = path.find_last_of(L"\\:");
    return std::wstring(at == std::wstring_view::npos ? path : path.substr(at + 1));
}

bool SameFileExt(std::wstring_view oldPath, std::wstring_view newPath) {
    return ExtractFileExt(oldPath) == ExtractFileExt(newPath);
}

std::string RenamedPath(std::string_view oldPath, std::string_view newName) {
    const std::size_t at = text::LastDelimiter(oldPath, "\\");
    std::string path(at == std::string_view::npos ? std::string_view() : oldPath.substr(0, at + 1));
    path += newName;
    return path;
}

}  // namespace dialogs
