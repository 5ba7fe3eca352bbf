#include "app/Help.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "text/ShiftJis.h"
#include "ui/Dialogs.h"

namespace {

const char* const kHelpFile = "help.hlp";

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::string();
        if (n < buf.size()) return text::ExtractFilePath(std::string(buf.data(), n));
        buf.resize(buf.size() * 2);
    }
}

// True for an existing file (a folder of that name does not count).
bool FileExists(const char* name) {
    DWORD a = GetFileAttributesA(name);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void OpenHelpFile(HWND owner) {
    // The bare name: the file is looked up in the current folder, as the shell will look it up.
    if (!FileExists(kHelpFile)) {
        ui::ShowMessage("ヘルプファイル\"HELP.HLP\"が存在しません。");
        return;
    }
    const std::string folder = ProgramFolder();
    ShellExecuteA(owner, "open", kHelpFile, "", folder.c_str(), SW_SHOW);
}
