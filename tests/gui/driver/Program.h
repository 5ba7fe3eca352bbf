// One run of a program under test: a copy of the exe in a folder of the test's choosing, started there,
// watched and, at the end, stopped. The destructor kills what is still running (the program and the
// processes it started), so a failing test leaves nothing behind.
#pragma once

#include "driver/MessageDialog.h"
#include "driver/PopupMenu.h"
#include "driver/Window.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace driver {

class Program {
public:
    // Copies exeName from the test program's folder into folder (the program's own folder from then on); Tessaly.exe
    // comes from the path in the environment variable TESSALY_TEST_PROGRAM instead, when that is set.
    explicit Program(const std::string& folder, const std::string& exeName = "Tessaly.exe");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The folder and the full path of the copied exe.
    const std::string& Folder() const { return folder_; }
    const std::string& ExePath() const { return exePath_; }

    // Starts the program with workingDirectory as its current folder (default: its own folder) and returns
    // at once.
    void Launch(const std::string& workingDirectory = "");
    // Launch, then wait for the visible main window (class "TForm1").
    Window Start(const std::string& workingDirectory = "", Timeout timeout = kStartTimeout);
    // Launch, then wait for a message box that comes before the main window (the first run's question).
    MessageDialog StartExpectingMessageBox(const std::string& workingDirectory = "", Timeout timeout = kStartTimeout);

    DWORD ProcessId() const { return processId_; }
    // The program's GUI thread (its main thread).
    DWORD ThreadId() const { return threadId_; }
    bool IsRunning() const;
    // File names of the DLLs (and the exe) loaded in the process now, in lower case ("shell32.dll").
    std::set<std::string> LoadedModules() const;

    // The visible main window, waited for.
    Window MainWindow(Timeout timeout = kDefaultTimeout) const;
    // Top-level windows of the process, hidden ones too, topmost first.
    std::vector<Window> TopWindows() const;
    // The visible top-level window of a class (and caption, when given); empty when none.
    Window FindTopWindow(const std::string& className, const std::string& caption = "") const;
    // The same, waited for; throws DriverError on timeout.
    Window WaitForWindow(const std::string& className, const std::string& caption = "",
                         Timeout timeout = kDefaultTimeout) const;
    // Waits until no visible top-level window of the class is left.
    ::testing::AssertionResult WaitForWindowGone(const std::string& className, Timeout timeout = kDefaultTimeout) const;
    // "visible windows of the program: TForm1 'Form1' "Tessaly", ..." for failure messages.
    std::string DescribeWindows() const;
    // The window with the keyboard focus and the active window of the GUI thread (empty when none).
    Window FocusedWindow() const;
    Window ActiveWindow() const;

    // The visible message box of the program, waited for; throws DriverError on timeout.
    MessageDialog WaitForMessageBox(Timeout timeout = kDefaultTimeout) const;
    // The message boxes on the screen now.
    std::vector<MessageDialog> OpenMessageBoxes() const;
    // How many different message boxes have appeared since Launch (watched every few milliseconds; a box
    // stays until someone answers it, so none is missed).
    int MessageBoxesSeen() const;

    // Keys to the program's active window (a dialog when one is open, else the main window): see PressKeys.
    void Press(const std::string& chord) const;
    // Right-clicks a control or form and waits for the popup menu.
    PopupMenu OpenPopupMenu(const Window& on) const;

    // Asks the main window to close (WM_CLOSE, posted), as its close box does.
    void Close() const;
    // Waits for the process to end; its exit code, or nothing when it still runs at the timeout.
    std::optional<DWORD> WaitForExit(Timeout timeout = kDefaultTimeout);
    // Ends the process and the processes it started, and waits until they are gone.
    void Kill();

private:
    void Watch();

    std::string folder_;
    std::string exePath_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    std::optional<DWORD> exitCode_;

    mutable std::mutex mutex_;
    mutable std::set<HWND> boxesSeen_;
    std::atomic<bool> watching_{false};
    std::thread watcher_;
};

}  // namespace driver
