// Program entry: one program per folder, the application object, its title, the main window, and the message loop.
#include <windows.h>

#include <cstdlib>

#include "app/FolderInstance.h"
#include "app/Unit1.h"
#include "ui/Application.h"

#if defined(__GLIBCXX__)
// libstdc++'s default action of std::terminate names the exception on the standard error stream, which a program
// without a console never shows, and it brings the library's name demangler into the program: a tenth of its size.
// The ui layer shows every exception itself; should terminate still be reached, the program ends as abort ends it.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

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
