// Program entry: one program per folder, the application object, its title, the main window, and the message loop.
#include <windows.h>

#include "app/FolderInstance.h"
#include "app/Unit1.h"
#include "ui/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // A start from a folder whose program runs already brings that window to the front and ends here, before
    // anything reads or writes the settings file.
    TFolderInstance instance;
    if (instance.AlreadyRunning()) {
        instance.ShowRunningWindow();
        return 0;
    }
    return ui::RunProgram("Tessaly", [&instance](ui::Application& app) {
        instance.Listen([] {
            if (Form1) Form1->SummonWindow();
        });
        app.CreateForm(Form1);
    });
}
