#include "dialogs/rules/FileNameRules.h"

#include "text/PathText.h"

namespace dialogs {

std::vector<char> FindInvalidNameChars(std::string_view name) {
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

std::string RenamedPath(std::string_view oldPath, std::string_view newName) {
    const std::size_t at = text::LastDelimiter(oldPath, "\\");
    std::string path(at == std::string_view::npos ? std::string_view() : oldPath.substr(0, at + 1));
    path += newName;
    return path;
}

}  // namespace dialogs
