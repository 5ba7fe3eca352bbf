// Points the shell's "open" command of a file type or URL scheme ("http", "hlpfile") at a probe for the length of a
// test, so that a test sees what the program asked the shell to open without starting a browser or a help viewer.
// The prefix's own command is put back afterwards.
#pragma once

#include <optional>
#include <string>

namespace shell_test {

class ShellCommandOverride {
public:
    // typeKey: a key of HKEY_CLASSES_ROOT. probePath: a copy of probe.exe, started as "probe" "%1".
    // wineDefault: the command a fresh prefix has, put back instead of a probe left behind by a test that died.
    ShellCommandOverride(const std::string& typeKey, const std::string& probePath, const std::string& wineDefault);
    ~ShellCommandOverride();
    ShellCommandOverride(const ShellCommandOverride&) = delete;
    ShellCommandOverride& operator=(const ShellCommandOverride&) = delete;

private:
    std::string keyPath_;
    std::optional<std::string> saved_;
};

// The commands of a fresh Wine prefix.
constexpr const char* kWineBrowserCommand = "\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"";
constexpr const char* kWineHelpCommand = "\"C:\\windows\\system32\\winhlp32.exe\" \"%1\"";

}  // namespace shell_test
