// Opening the help file, shared by the main window's "トピックの検索" and the settings dialog's "ヘルプ".
#pragma once

#include <windows.h>

// Opens "help.hlp" of the current folder with the viewer the shell associates with it, owned by owner and with
// the program's folder as working directory; says so in a plain box when the file is missing.
void OpenHelpFile(HWND owner);
