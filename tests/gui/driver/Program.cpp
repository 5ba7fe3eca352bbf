#include "driver/Program.h"

#include "driver/Error.h"
#include "driver/Files.h"
#include "driver/Input.h"
#include "driver/Text.h"

#include <tlhelp32.h>

#include <cctype>
#include <cstdlib>
#include <map>

namespace driver {

namespace {

constexpr char kMainWindowClass[] = "TForm1";

struct TopSearch {
    DWORD processId;
    std::vector<Window> found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<TopSearch*>(parameter);
    if (Window(window).ProcessId() == search->processId) {
        search->found.push_back(Window(window));
    }
    return TRUE;
}

// Ids of the processes that descend from root (children, their children...), as they run now.
std::vector<DWORD> DescendantsOf(DWORD root)
{
    std::multimap<DWORD, DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return {};
    }
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        children.emplace(entry.th32ParentProcessID, entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    std::vector<DWORD> found;
    std::vector<DWORD> pending = {root};
    while (!pending.empty()) {
        const DWORD parent = pending.back();
        pending.pop_back();
        const auto range = children.equal_range(parent);
        for (auto child = range.first; child != range.second; ++child) {
            if (child->second != root && child->second != GetCurrentProcessId()) {
                found.push_back(child->second);
                pending.push_back(child->second);
            }
        }
    }
    return found;
}

void KillAndWait(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (process != nullptr) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

// Where the copy of exeName comes from: the build beside the test program, or for Tessaly.exe the exe that
// TESSALY_TEST_PROGRAM names (the release check starts the download's programs this way).
std::string SourceOf(const std::string& exeName)
{
    const char* chosen = std::getenv("TESSALY_TEST_PROGRAM");
    if (exeName == "Tessaly.exe" && chosen != nullptr && *chosen != '\0') {
        return chosen;
    }
    return JoinPath(TestExeFolder(), exeName);
}

}  // namespace

Program::Program(const std::string& folder, const std::string& exeName)
    : folder_(folder), exePath_(JoinPath(folder, exeName))
{
    CopyFileTo(SourceOf(exeName), exePath_);
}

Program::~Program()
{
    Kill();
}

void Program::Launch(const std::string& workingDirectory)
{
    if (process_ != nullptr) {
        throw DriverError("the program was already started");
    }
    const std::wstring exe = ToWide(exePath_);
    std::wstring commandLine = L"\"" + exe + L"\"";
    const std::wstring directory = ToWide(workingDirectory.empty() ? folder_ : workingDirectory);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                        &info)) {
        throw DriverError("cannot start " + exePath_ + " (error " + std::to_string(GetLastError()) + ")");
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    threadId_ = info.dwThreadId;
    watching_ = true;
    watcher_ = std::thread([this] { Watch(); });
}

Window Program::Start(const std::string& workingDirectory, Timeout timeout)
{
    Launch(workingDirectory);
    return MainWindow(timeout);
}

MessageDialog Program::StartExpectingMessageBox(const std::string& workingDirectory, Timeout timeout)
{
    Launch(workingDirectory);
    const MessageDialog box = WaitForMessageBox(timeout);
    if (FindTopWindow(kMainWindowClass)) {
        throw DriverError("the main window was visible before the message box \"" + box.Text() + "\"");
    }
    return box;
}

bool Program::IsRunning() const
{
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::set<std::string> Program::LoadedModules() const
{
    std::set<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId_);
    if (snapshot == INVALID_HANDLE_VALUE) {
        throw DriverError("cannot list the modules of process " + std::to_string(processId_));
    }
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
        std::string name;
        for (const wchar_t* c = entry.szModule; *c; ++c) {  // system module names are ASCII
            name += static_cast<char>(*c < 0x80 ? std::tolower(static_cast<int>(*c)) : '?');
        }
        names.insert(name);
    }
    CloseHandle(snapshot);
    return names;
}

Window Program::MainWindow(Timeout timeout) const
{
    return WaitForWindow(kMainWindowClass, "", timeout);
}

std::vector<Window> Program::TopWindows() const
{
    TopSearch search{processId_, {}};
    if (processId_ != 0) {
        EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

Window Program::FindTopWindow(const std::string& className, const std::string& caption) const
{
    for (const Window& window : TopWindows()) {
        if (window.IsVisible() && window.ClassName() == className && (caption.empty() || window.Text() == caption)) {
            return window;
        }
    }
    return Window();
}

Window Program::WaitForWindow(const std::string& className, const std::string& caption, Timeout timeout) const
{
    std::string what = "a visible " + className + " window";
    if (!caption.empty()) {
        what += " \"" + caption + "\"";
    }
    try {
        return WaitFor([&] {
            if (!IsRunning()) {
                throw DriverError("the program ended while waiting for " + what);
            }
            return FindTopWindow(className, caption);
        }, what, timeout);
    } catch (const DriverError& error) {
        throw DriverError(std::string(error.what()) + "; " + DescribeWindows());
    }
}

std::string Program::DescribeWindows() const
{
    std::string text = "visible windows of the program:";
    int count = 0;
    for (const Window& window : TopWindows()) {
        if (window.IsVisible()) {
            text += (count++ == 0 ? " " : ", ") + ::testing::PrintToString(window);
        }
    }
    return count == 0 ? text + " none" : text;
}

::testing::AssertionResult Program::WaitForWindowGone(const std::string& className, Timeout timeout) const
{
    return WaitUntil([&] { return !FindTopWindow(className); }, "no visible " + className + " window", timeout);
}

Window Program::FocusedWindow() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId_, &info) ? Window(info.hwndFocus) : Window();
}

Window Program::ActiveWindow() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId_, &info) ? Window(info.hwndActive) : Window();
}

MessageDialog Program::WaitForMessageBox(Timeout timeout) const
{
    try {
        return MessageDialog(WaitFor([&] {
            const std::vector<MessageDialog> boxes = OpenMessageBoxes();
            if (boxes.empty() && !IsRunning()) {
                throw DriverError("the program ended while waiting for a message box");
            }
            return boxes.empty() ? Window() : boxes.back().AsWindow();
        }, "a message box", timeout));
    } catch (const DriverError& error) {
        throw DriverError(std::string(error.what()) + "; " + DescribeWindows());
    }
}

std::vector<MessageDialog> Program::OpenMessageBoxes() const
{
    std::vector<MessageDialog> boxes = MessageDialogsOfThread(threadId_);
    // A box the test finds and answers at once may come and go between two looks of the watcher (a busy
    // machine can keep that thread waiting), so every box found here counts as seen too.
    std::lock_guard<std::mutex> lock(mutex_);
    for (const MessageDialog& box : boxes) {
        boxesSeen_.insert(box.AsWindow().Handle());
    }
    return boxes;
}

int Program::MessageBoxesSeen() const
{
    // Count the boxes open now as well, in case the watcher has not looked since one appeared.
    OpenMessageBoxes();
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(boxesSeen_.size());
}

void Program::Watch()
{
    while (watching_) {
        for (const MessageDialog& box : MessageDialogsOfThread(threadId_)) {
            std::lock_guard<std::mutex> lock(mutex_);
            boxesSeen_.insert(box.AsWindow().Handle());
        }
        std::this_thread::sleep_for(Timeout(5));
    }
}

void Program::Press(const std::string& chord) const
{
    Window target = ActiveWindow();
    if (!target) {
        target = MainWindow();
    }
    PressKeys(target, chord);
}

PopupMenu Program::OpenPopupMenu(const Window& on) const
{
    return PopupMenu::OpenOn(on);
}

void Program::Close() const
{
    PostMessageW(MainWindow().Handle(), WM_CLOSE, 0, 0);
}

std::optional<DWORD> Program::WaitForExit(Timeout timeout)
{
    if (process_ == nullptr) {
        throw DriverError("the program was never started");
    }
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    exitCode_ = code;
    return code;
}

void Program::Kill()
{
    if (process_ != nullptr) {
        // Children first: once the program is gone their parent link no longer leads here.
        for (DWORD child : DescendantsOf(processId_)) {
            KillAndWait(child);
        }
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 10000);
        }
    }
    watching_ = false;
    if (watcher_.joinable()) {
        watcher_.join();
    }
    if (process_ != nullptr) {
        CloseHandle(process_);
        process_ = nullptr;
    }
}

}  // namespace driver
