// One window per folder: the first start from a folder holds a named mutex and a hidden window, both named after
// the folder; a later start from the same folder finds them, asks that window to bring the main window to the front,
// and ends without touching the settings file. A copy in another folder has another name and runs beside it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/MessageWindow.h"

class TFolderInstance {
public:
    // Takes the name of the program's folder.
    TFolderInstance();
    ~TFolderInstance();
    TFolderInstance(const TFolderInstance&) = delete;
    TFolderInstance& operator=(const TFolderInstance&) = delete;

    // True when a program started from the same folder runs already.
    bool AlreadyRunning() const { return alreadyRunning_; }
    // Asks the running program to bring its main window to the front (allowing it to take the foreground); false
    // when its window could not be found.
    bool ShowRunningWindow() const;
    // For the first start: from now on a later start's request runs onShow.
    void Listen(std::function<void()> onShow);

private:
    std::wstring name_;
    HANDLE mutex_ = nullptr;
    bool alreadyRunning_ = false;
    std::unique_ptr<ui::MessageWindow> window_;
};
