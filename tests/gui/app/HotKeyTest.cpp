// Reaching the program from anywhere: the hotkey that brings the window to the front and hides it again, the icon in
// the notification area with its menu, and one window per folder, driven through the real program and real keys.
#include "app/MainWindowSupport.h"

using namespace main_window;

namespace {

// The settings file with these [Option] lines (the update check off) and .txt files listed.
std::vector<std::string> OptionIni(const std::vector<std::string>& options,
                                   const std::vector<std::string>& more = {})
{
    std::vector<std::string> lines = {"[Option]", "UpdateCheck=0"};
    lines.insert(lines.end(), options.begin(), options.end());
    lines.insert(lines.end(), {"[extension]", "count=1", "ex1=.txt"});
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// A window of another program in front of Tessaly: a plain window of this test process. Its thread takes what the
// system sends it while the test waits (Pump), and drops the keys that reach it.
class OtherWindow {
public:
    OtherWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TessalyTestOtherWindow";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"other", WS_POPUP | WS_VISIBLE | WS_BORDER, 600, 300, 300, 200,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~OtherWindow() { DestroyWindow(window_); }
    driver::Window AsWindow() const { return driver::Window(window_); }

    static void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) {
                DispatchMessageW(&msg);
            }
        }
    }

private:
    HWND window_ = nullptr;
};

// The program's main window is the foreground window with the keyboard focus in the file list.
::testing::AssertionResult InFrontWithTheFileListFocused(Session& s)
{
    return driver::WaitUntil(
        [&] {
            OtherWindow::Pump();
            return GetForegroundWindow() == s.Main().Handle() && IsWindowVisible(s.Main().Handle()) &&
                   !IsIconic(s.Main().Handle()) && s.Program().FocusedWindow() == s.Files();
        },
        "the main window in front with the file list focused");
}

// The window that takes the mouse messages of the program's icon in the notification area; empty when none.
driver::Window TrayIconWindow(const driver::Program& program)
{
    for (const driver::Window& window : program.TopWindows()) {
        if (window.ClassName() == "TNotifyIcon") {
            return window;
        }
    }
    return driver::Window();
}

// What a click on the icon sends its window: the icon's message with the mouse message.
constexpr UINT kTrayIconMessage = WM_APP + 0x100;

// Clicks the icon as a user does, with the mouse pointer where the notification area is (the bottom right corner
// of the screen), which is where the icon's menu opens.
void ClickTrayIcon(const driver::Window& icon, UINT mouseMessage)
{
    driver::MouseMoveTo({GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 8});
    PostMessageW(icon.Handle(), kTrayIconMessage, 1, mouseMessage);
}

// No window of the program can be seen: no button on the task bar, nothing on the screen.
bool NothingVisible(const driver::Program& program)
{
    const std::vector<driver::Window> windows = program.TopWindows();
    return std::none_of(windows.begin(), windows.end(), [](const driver::Window& w) { return w.IsVisible(); });
}

// A hotkey this test process holds while the object lives.
class HeldHotKey {
public:
    HeldHotKey(UINT modifiers, UINT key) : held_(RegisterHotKey(nullptr, 1, modifiers, key) != FALSE) {}
    ~HeldHotKey()
    {
        if (held_) {
            UnregisterHotKey(nullptr, 1);
        }
    }
    bool Held() const { return held_; }

private:
    bool held_;
};

// Starts the exe once more, as a user's second double click does, and returns its exit code once it has ended.
std::optional<DWORD> StartAgainAndWait(const std::string& exePath, const std::string& folder)
{
    std::wstring commandLine = L"\"" + driver::ToWide(exePath) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(driver::ToWide(exePath).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        driver::ToWide(folder).c_str(), &startup, &process)) {
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    std::optional<DWORD> exitCode;
    const bool ended = driver::PollUntil([&] {
        OtherWindow::Pump();
        return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    });
    DWORD code = 0;
    if (ended && GetExitCodeProcess(process.hProcess, &code)) {
        exitCode = code;
    } else {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
    return exitCode;
}

}  // namespace

// With another window in front, the hotkey brings the window to the front with the file list focused, ready for
// typing; pressed in front, it minimises the window; pressed again from elsewhere, it restores it.
TEST(HotKey, BringsTheWindowToTheFrontAndMinimisesItAgain)
{
    Session s;
    s.WriteIni(OptionIni({"HotKey=Ctrl+Alt+K"}, {"[Form]", "Pos.Left=120", "Pos.Top=90"}));
    s.WriteFile("a.txt");
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    const driver::Rect place = main.Bounds();
    OtherWindow other;

    driver::PressKeys(other.AsWindow(), "Ctrl+Alt+K");
    ASSERT_TRUE(InFrontWithTheFileListFocused(s));

    driver::PressKeys(main, "Ctrl+Alt+K");
    ASSERT_TRUE(driver::WaitUntil([&] { return IsIconic(main.Handle()) != FALSE; }, "the window minimised"));

    driver::PressKeys(other.AsWindow(), "Ctrl+Alt+K");
    ASSERT_TRUE(InFrontWithTheFileListFocused(s));
    EXPECT_EQ(main.Bounds(), place);
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

// A combination another program holds is reported once at start-up, naming it, and the program runs on without
// it; the settings dialog's OK, which registers it again, reports it once more.
TEST(HotKey, ACombinationAnotherProgramHoldsIsReportedOnceAndTheProgramRunsOn)
{
    const HeldHotKey held(MOD_CONTROL | MOD_ALT, 'K');
    ASSERT_TRUE(held.Held()) << "the test could not register Ctrl+Alt+K itself";
    Session s;
    s.WriteIni(OptionIni({"HotKey=ctrl+alt+k"}));
    const driver::MessageDialog box = s.Program().StartExpectingMessageBox();
    EXPECT_EQ(box.Caption(), "Tessaly");
    EXPECT_EQ(box.Text(), "ホットキー Ctrl+Alt+K はほかのプログラムが使っているため登録できません。");
    box.Press("OK");
    s.AttachMain();
    s.WaitForCounts();
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 1);

    s.Program().OpenPopupMenu(s.Files()).Choose({kSettingsItem});
    s.Program().WaitForWindow("TForm4").Child("Button2").Click();  // OK
    EXPECT_EQ(s.TakeMessage(), "ホットキー Ctrl+Alt+K はほかのプログラムが使っているため登録できません。");
    ASSERT_TRUE(s.Program().WaitForWindowGone("TForm4"));
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 2);
    s.CloseAndWait();
}

// With the icon on: minimising leaves nothing on the screen or the task bar, the hotkey hides the window in front
// into the notification area, the icon's "表示" (its menu's first item) and a click on it bring the window back
// where it was, and "終了" from there ends the program, saving the place the window comes back to.
TEST(NotificationArea, MinimisingHidesTheWindowAndTheIconBringsItBackInPlace)
{
    Session s;
    s.WriteIni(OptionIni({"HotKey=Ctrl+Alt+K", "TaskTray=1"},
                         {"[Form]", "Pos.Left=130", "Pos.Top=95", "Pos.Width=400", "Pos.Height=260"}));
    s.WriteFile("a.txt");
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    const driver::Rect place = main.Bounds();
    const driver::Window icon = TrayIconWindow(s.Program());
    ASSERT_TRUE(icon) << "no window for the icon in the notification area";

    PostMessageW(main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return NothingVisible(s.Program()); }, "no window of the program visible"));

    ClickTrayIcon(icon, WM_RBUTTONUP);
    driver::PopupMenu::Current(s.Program().ProcessId()).Choose({0});  // "表示"
    ASSERT_TRUE(InFrontWithTheFileListFocused(s));
    EXPECT_EQ(main.Bounds(), place);

    driver::PressKeys(main, "Ctrl+Alt+K");
    ASSERT_TRUE(driver::WaitUntil([&] { return NothingVisible(s.Program()); }, "the window hidden by the hotkey"));
    ClickTrayIcon(icon, WM_LBUTTONUP);
    ASSERT_TRUE(InFrontWithTheFileListFocused(s));
    EXPECT_EQ(main.Bounds(), place);

    PostMessageW(main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return NothingVisible(s.Program()); }, "no window of the program visible"));
    ClickTrayIcon(icon, WM_RBUTTONUP);
    driver::PopupMenu::Current(s.Program().ProcessId()).Choose({1});  // "終了"
    ASSERT_TRUE(s.Program().WaitForExit().has_value()) << "the icon's 終了 did not end the program";
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Left"), "130");
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Top"), "95");
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Width"), "400");
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Height"), "260");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

// Without the setting there is no icon, and minimising keeps the window on the task bar.
TEST(NotificationArea, WithoutTheSettingThereIsNoIcon)
{
    Session s;
    s.WriteIni(OptionIni({}));
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    EXPECT_FALSE(TrayIconWindow(s.Program()));
    PostMessageW(main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return IsIconic(main.Handle()) != FALSE; }, "the window minimised"));
    EXPECT_TRUE(main.IsVisible());
}

// Started again from the same folder, the program brings the running window to the front, restored, and the
// second start ends without touching the settings file.
TEST(OneWindowPerFolder, ASecondStartBringsTheFirstWindowToTheFrontAndEnds)
{
    Session s;
    s.WriteIni(OptionIni({}, {"[Form]", "Pos.Left=140", "Pos.Top=100"}));
    s.WriteFile("a.txt");
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    const driver::Rect place = main.Bounds();
    PostMessageW(main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return IsIconic(main.Handle()) != FALSE; }, "the window minimised"));
    OtherWindow other;
    driver::BringToForeground(other.AsWindow());
    const std::string ini = driver::ReadFileBytes(s.IniPath());

    EXPECT_EQ(StartAgainAndWait(s.Program().ExePath(), s.Base()), 0u) << "the second start did not end";
    ASSERT_TRUE(InFrontWithTheFileListFocused(s));
    EXPECT_EQ(main.Bounds(), place);
    EXPECT_EQ(driver::ReadFileBytes(s.IniPath()), ini);
    EXPECT_TRUE(s.Program().IsRunning());
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

// A copy in another folder is another program: both windows show, side by side.
TEST(OneWindowPerFolder, ACopyInAnotherFolderShowsAWindowOfItsOwn)
{
    Session first;
    first.WriteIni(OptionIni({}));
    Session second;
    second.WriteIni(OptionIni({}, {"[Form]", "Pos.Left=500"}));
    first.Start();
    second.Start();
    first.WaitForCounts();
    second.WaitForCounts();
    EXPECT_TRUE(first.Program().IsRunning());
    EXPECT_TRUE(second.Main().IsVisible());
    EXPECT_NE(first.Main(), second.Main());
    second.CloseAndWait();
    first.CloseAndWait();
}
