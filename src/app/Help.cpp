#include "app/Help.h"

#include <shellapi.h>

#include "app/FileSystem.h"
#include "app/Unit1.h"
#include "ui/CodePage.h"
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
    ShellExecuteW(owner, L"open", ui::ToWide(kHelpFile).c_str(), L"", ui::ToWide(BaseFolder).c_str(), SW_SHOW);
}
