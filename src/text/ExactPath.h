// How the system's ordinary path rules would change a path, and the form of a path that reaches its names exactly.
// The system drops a trailing point or blank from a name ("report.txt." reaches "report.txt", a folder "old." the
// folder "old") and takes a device name ("aux.txt", "nul") for a device, while a path in the verbatim form
// ("\\?\C:\...", "\\?\UNC\server\share\...") reaches every name as it is written. The file functions take the
// verbatim form; the shell does not. Paths are in the program's UTF-8 form, where a backslash, slash, point, colon or
// blank is always a byte of its own.
#pragma once

#include <string>
#include <string_view>

namespace text {

// What the system's path rules would make of one name.
enum class NameRewrite {
    None,                // the name reaches itself
    TrailingDotOrBlank,  // the trailing points and blanks would be dropped
    DeviceName,          // the name (whatever its extension) would reach a device: CON, PRN, AUX, NUL, COM1, LPT1...
};

// The rewrite of one name (one component of a path). "." and ".." are no names and give None.
NameRewrite RewriteOfName(std::string_view name);

// The first name of a path that the system's path rules would rewrite, and how.
struct RewrittenName {
    NameRewrite rewrite = NameRewrite::None;
    std::string name;  // empty when no name would be rewritten
};

// The first name below the path's root (drive, share, verbatim prefix) that the system would rewrite; a folder's
// name counts as much as the file's.
RewrittenName FindRewrittenName(std::string_view path);

// True for a path in the verbatim form ("\\?\...").
bool IsVerbatimPath(std::string_view path);

// A fully qualified path ("C:\...", "\\server\share\...") with every "/" taken for "\", runs of backslashes taken as
// one, and the "." and ".." components resolved (never above the root), as the system resolves them; every name is
// kept exactly as written, its trailing points and blanks too, and a trailing backslash stays. A verbatim path comes
// back unchanged. Empty for any other path: relative ones, "C:x", "\x", device paths ("\\.\...").
std::string ResolveFullPath(std::string_view path);

// The verbatim form of a resolved full path: "\\?\C:\a" for "C:\a", "\\?\UNC\server\share\a" for
// "\\server\share\a"; a verbatim path unchanged. Empty when the path is not fully qualified and resolved (the
// verbatim form would take a "/", "." or ".." as part of a name).
std::string VerbatimPath(std::string_view path);

// The path to hand the file functions so that they reach exactly the names written: the path itself when the
// system's rules would leave it as it is, else its verbatim form (resolved first). Empty when no form reaches the
// names exactly (a relative path with such a name): the call then fails instead of reaching another file.
std::string ExactSystemPath(std::string_view path);

// The path as the user reads it: without the verbatim prefix ("\\?\UNC\server\share" as "\\server\share").
std::string WithoutVerbatimPrefix(std::string_view path);

}  // namespace text
