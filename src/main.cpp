// Program entry: the application object, its title, the main window, and the message loop.
#include <windows.h>

#include "app/Unit1.h"
#include "ui/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ui::RunProgram("Tessaly", [](ui::Application& app) { app.CreateForm(Form1); });
}
