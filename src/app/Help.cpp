#include "app/Help.h"

#include <shellapi.h>

#include "app/FileSystem.h"
#include "app/Unit1.h"
#include "ui/Dialogs.h"

namespace {

const char* const kHelpFile = "help.hlp";

}  // namespace

void OpenHelpFile(HWND owner) {
    // The bare name: the file is looked up in the current folder, as the shell will look it up.
    if (!FileExists(kHelpFile)) {
        ui::ShowMessage("ヘルプファイル\"HELP.HLP\"が存在しません。");
        return;
    }
    ShellExecuteA(owner, "open", kHelpFile, "", BaseFolder.c_str(), SW_SHOW);
}
