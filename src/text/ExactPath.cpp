#include "text/ExactPath.h"

#include <array>
#include <vector>

namespace text {

namespace {

constexpr std::string_view kVerbatimPrefix = "\\\\?\\";
constexpr std::string_view kVerbatimUncPrefix = "\\\\?\\UNC\\";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

// The devices the system finds under a name: the fixed ones, and COM and LPT followed by a digit or by the
// superscript one, two or three (the system takes those for digits too).
bool IsDeviceStem(std::string_view stem) {
    static constexpr std::array<std::string_view, 6> kFixed = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : kFixed) {
        if (EqualsIgnoringAsciiCase(stem, device)) return true;
    }
    if (stem.size() < 4 || !(EqualsIgnoringAsciiCase(stem.substr(0, 3), "COM") ||
                             EqualsIgnoringAsciiCase(stem.substr(0, 3), "LPT"))) {
        return false;
    }
    const std::string_view number = stem.substr(3);
    if (number.size() == 1) return number[0] >= '0' && number[0] <= '9';
    return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";  // ¹ ² ³
}

// Length of the path's root: "C:\", "C:", "\\server\share\", "\\?\C:\", "\\?\UNC\server\share\", "\\.\device\",
// "\"; 0 for a relative path. The root's own names are the machine's, the share's and the drive's, never rewritten.
std::size_t RootLength(std::string_view path) {
    // Finds the end of count more names after from, separators included.
    const auto afterNames = [&path](std::size_t from, int count) {
        std::size_t at = from;
        for (int i = 0; i < count && at < path.size(); ++i) {
            while (at < path.size() && !IsSeparator(path[at])) ++at;
            if (at < path.size()) ++at;
        }
        return at;
    };
    if (path.substr(0, kVerbatimUncPrefix.size()) == kVerbatimUncPrefix)
        return afterNames(kVerbatimUncPrefix.size(), 2);
    if (path.substr(0, kVerbatimPrefix.size()) == kVerbatimPrefix) return afterNames(kVerbatimPrefix.size(), 1);
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // "\\.\device\" and "\\?\..." (met above) have one name in their root, a share two.
        const bool device = path.size() >= 4 && (path[2] == '.' || path[2] == '?') && IsSeparator(path[3]);
        return device ? afterNames(4, 1) : afterNames(2, 2);
    }
    if (path.size() >= 2 && path[1] == ':' && IsAsciiLetter(path[0]))
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

// The names of a path after its root, split at every separator (only backslashes in the verbatim form).
std::vector<std::string_view> NamesOf(std::string_view path, std::size_t root, bool verbatim) {
    std::vector<std::string_view> names;
    std::size_t start = root;
    for (std::size_t i = root; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || (!verbatim && path[i] == '/')) {
            if (i > start) names.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return names;
}

}  // namespace

NameRewrite RewriteOfName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return NameRewrite::None;
    if (name.back() == '.' || name.back() == ' ') return NameRewrite::TrailingDotOrBlank;
    // The device is named by what comes before the first point (or a stream's colon), blanks before it dropped.
    std::string_view stem = name.substr(0, name.find_first_of(".:"));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    return IsDeviceStem(stem) ? NameRewrite::DeviceName : NameRewrite::None;
}

RewrittenName FindRewrittenName(std::string_view path) {
    for (std::string_view name : NamesOf(path, RootLength(path), IsVerbatimPath(path))) {
        const NameRewrite rewrite = RewriteOfName(name);
        if (rewrite != NameRewrite::None) return {rewrite, std::string(name)};
    }
    return {};
}

bool IsVerbatimPath(std::string_view path) { return path.substr(0, kVerbatimPrefix.size()) == kVerbatimPrefix; }

std::string ResolveFullPath(std::string_view path) {
    if (IsVerbatimPath(path)) return std::string(path);
    const bool drive = path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
    const bool share = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
                       !(path.size() >= 3 && (path[2] == '.' || path[2] == '?') &&
                         (path.size() == 3 || IsSeparator(path[3])));
    if (!drive && !share) return std::string();

    std::vector<std::string_view> names = NamesOf(path, drive ? 3 : 2, false);
    std::string resolved;
    std::size_t fixedNames = 0;  // names of the root that ".." never removes: a share's machine and share
    if (drive) {
        resolved.assign(path.substr(0, 2)).push_back('\\');
    } else {
        if (names.size() < 2 || names[0] == "." || names[0] == ".." || names[1] == "." || names[1] == "..")
            return std::string();
        resolved = "\\\\";
        fixedNames = 2;
    }
    std::vector<std::string_view> kept(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(fixedNames));
    for (std::size_t i = fixedNames; i < names.size(); ++i) {
        if (names[i] == ".") continue;
        if (names[i] == "..") {
            if (kept.size() > fixedNames) kept.pop_back();
            continue;
        }
        kept.push_back(names[i]);
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0) resolved.push_back('\\');
        resolved.append(kept[i]);
    }
    const bool trailingSeparator = IsSeparator(path.back());
    if (trailingSeparator && !(drive && kept.empty())) resolved.push_back('\\');
    return resolved;
}

std::string VerbatimPath(std::string_view path) {
    if (IsVerbatimPath(path)) return std::string(path);
    const std::string resolved = ResolveFullPath(path);
    if (resolved.empty() || resolved != path) return std::string();
    if (resolved[1] == ':') return std::string(kVerbatimPrefix) + resolved;
    return std::string(kVerbatimUncPrefix) + resolved.substr(2);
}

std::string ExactSystemPath(std::string_view path) {
    if (IsVerbatimPath(path) || FindRewrittenName(path).rewrite == NameRewrite::None) return std::string(path);
    return VerbatimPath(ResolveFullPath(path));
}

std::string WithoutVerbatimPrefix(std::string_view path) {
    if (path.substr(0, kVerbatimUncPrefix.size()) == kVerbatimUncPrefix)
        return "\\\\" + std::string(path.substr(kVerbatimUncPrefix.size()));
    if (IsVerbatimPath(path)) return std::string(path.substr(kVerbatimPrefix.size()));
    return std::string(path);
}

}  // namespace text
