#include "app/rules/DisplayNames.h"

#include "text/PathText.h"

namespace app {

std::string GetBaseFolderName(const std::string& baseFolder) {
    // The ".txt" suffix guarantees that cutting the extension takes only the suffix, so "My.Tools" stays whole.
    const std::string asFile = text::DropLastChar(baseFolder) + ".txt";
    const std::string name = text::RemoveFirst(asFile, text::ExtractFilePath(asFile));
    return text::ChangeFileExt(name, "");
}

std::string FolderListEntry(const std::string& baseFolder, const std::string& name) {
    if (name == baseFolder) return GetBaseFolderName(baseFolder);
    return text::RemoveFirst(name, baseFolder);
}

int GetFolderDepth(const std::string& baseFolder, const std::string& path) {
    const std::string relative = text::RemoveFirst(path, baseFolder);
    if (relative.empty()) return 0;
    // The backslashes of Rel + "\" are Rel's own plus one.
    return static_cast<int>(text::CountChar(relative, '\\')) + 1;
}

bool IsAtWalkDepthLimit(const std::string& baseFolder, const std::string& name, int depth) {
    return GetFolderDepth(baseFolder, name) >= depth;
}

std::string FixedFolderEntry(const std::string& displayName) {
    return displayName + "/";
}

bool IsFixedFolderEntry(const std::string& entry) {
    return text::LastCharIs(entry, '/');
}

std::string ResolveFolderPath(const std::string& baseFolder, const std::string& path) {
    if (path.empty()) return baseFolder;
    const bool unc = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (unc || (drive && path.size() >= 3 && path[2] == '\\')) return path;
    if (drive) return path.substr(0, 2) + "\\" + path.substr(2);
    // The base folder's root: its drive ("C:"), or its share ("\\server\share") with the backslash that follows.
    if (path[0] == '\\') {
        std::string root = baseFolder.substr(0, 2);
        if (baseFolder.compare(0, 2, "\\\\") == 0) {
            const std::size_t server = text::FindFirst(std::string_view(baseFolder).substr(2), "\\");
            const std::size_t share = server == std::string::npos
                                          ? server
                                          : text::FindFirst(std::string_view(baseFolder).substr(server + 3), "\\");
            root = share == std::string::npos ? baseFolder : baseFolder.substr(0, server + 3 + share);
        }
        return root + path;
    }
    return text::IncludeTrailingBackslash(baseFolder) + path;
}

std::string DisplayNameToPath(const std::string& baseFolder, const std::string& displayName,
                              const Name2Reader& readName2) {
    std::string s = displayName;
    if (s == GetBaseFolderName(baseFolder)) s.clear();
    if (IsFixedFolderEntry(s)) {
        s = ResolveFolderPath(baseFolder, readName2 ? readName2(text::DropLastChar(s), baseFolder) : baseFolder);
    } else {
        s = baseFolder + s;
    }
    return text::IncludeTrailingBackslash(s);
}

}  // namespace app
