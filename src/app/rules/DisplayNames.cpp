#include "app/rules/DisplayNames.h"

#include "text/ShiftJis.h"

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
    // The backslashes of Rel + "\" are Rel's own plus one; counting them so keeps a dangling lead byte at the
    // end of Rel from pairing with an appended backslash.
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

std::string DisplayNameToPath(const std::string& baseFolder, const std::string& displayName,
                              const Name2Reader& readName2) {
    std::string s = displayName;
    if (s == GetBaseFolderName(baseFolder)) s.clear();
    if (IsFixedFolderEntry(s)) {
        s = readName2 ? readName2(text::DropLastChar(s), baseFolder) : baseFolder;
    } else {
        s = baseFolder + s;
    }
    return text::IncludeTrailingBackslash(s);
}

}  // namespace app
