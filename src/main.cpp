// Program entry: the application object, its title, the main window, and the message loop.
#include <windows.h>

#include "app/Unit1.h"
#include "ui/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ui::Application& app = ui::App();
    app.Initialize();
    app.SetTitle("Tessaly");
    app.CreateForm(Form1);
    app.Run();
    return 0;
}
