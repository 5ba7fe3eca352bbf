// Execute, open folder and properties on the real main window: the refusals shared by every file action, what the
// launched program sees, the folder opened in the shell, and the property-sheet request.
#include "app/FileActionSupport.h"
#include "driver/Text.h"
#include "driver/ShellWindows.h"

using namespace driver;
using namespace file_actions;

// Nothing selected, then a file deleted from outside: every file action of the main window refuses with the same
// two messages, launches nothing and moves nothing, and the stale entry stays listed.
TEST(FileActions, RefusalsWhenNothingIsSelectedOrTheFileIsGone)
{
    Session s;
    s.Dir().WriteFile("a.txt", "a");
    s.Dir().MakeDir("Empty");
    const std::string tool = CopyProbe(s.Dir().MakeDir("Tools"), "tool.exe");
    s.Dir().WriteIni(IniWith({"[Aplication]", "count=1", "Aplication0=" + tool, "[Aplication2]", "Aplication0=Tool"}));
    s.Start();
    const std::string nothingSelected = "選択してください";
    const std::string missing = "ファイルが存在しません。\n\rファイル名変更、削除、移動された可能性があります。";

    // An empty folder leaves nothing to select; the folder list keeps the focus.
    s.ChooseFolder("Empty", 0);
    s.Program().Press("Enter");
    s.ExpectMessage(nothingSelected);
    s.Main().Child("Button1").Click();  // "START!"
    s.ExpectMessage(nothingSelected);
    s.Files().DoubleClick();
    s.ExpectMessage(nothingSelected);
    s.Program().Press("Alt+Enter");
    s.ExpectMessage(nothingSelected);
    s.ChooseMenu({kMoveItem, 0});
    s.ExpectMessage(nothingSelected);
    s.ChooseMenu({kOpenWithItem, 0});
    s.ExpectMessage(nothingSelected);

    // The selected file is deleted behind the program's back.
    const std::vector<std::string> folders = s.Folders().Items();
    const int empty = static_cast<int>(std::find(folders.begin(), folders.end(), "Empty") - folders.begin());
    s.ChooseFolder(s.BaseName(), 1);
    s.ChooseFile("a.txt");
    ASSERT_TRUE(DeleteFileW(driver::ToWide((s.Dir() / "a.txt")).c_str()));

    s.Program().Press("Enter");
    s.ExpectMessage(missing);
    s.Main().Child("Button1").Click();
    s.ExpectMessage(missing);
    s.Program().Press("Alt+Enter");
    s.ExpectMessage(missing);
    s.ChooseMenu({kMoveItem, empty});
    s.ExpectMessage(missing);
    s.ChooseMenu({kOpenWithItem, 0});
    s.ExpectMessage(missing);

    EXPECT_EQ(s.Files().Items(), std::vector<std::string>{"a.txt"}) << "the stale entry stays until a refresh";
    EXPECT_EQ(s.Files().SelectedText(), "a.txt");
    EXPECT_FALSE(ReadProbeLog(tool).has_value()) << "nothing may be launched";
    EXPECT_FALSE(s.Dir().Exists("Empty\\a.txt"));
    EXPECT_TRUE(s.Program().OpenMessageBoxes().empty());
}

// Enter with the focus in the folder list, "START!" and a double click each start the selected program, in the
// program's own folder rather than the folder of the file.
TEST(FileActions, ExecuteStartsTheSelectedProgramInTheBaseFolder)
{
    Session s;
    const std::string tool = CopyProbe(s.Dir().MakeDir("Tools"), "tool.exe");
    s.Dir().WriteIni(IniWith({}, ".exe"));
    s.Start();
    s.ChooseFolder("Tools", 1);
    s.ChooseFile("tool.exe");

    auto expectLaunched = [&](const std::string& how) {
        const ProbeRecord run = TakeProbeLog(tool);
        EXPECT_NE(run.commandLine.find(tool), std::string::npos) << how << ": " << run.commandLine;
        EXPECT_EQ(run.currentDirectory, s.Dir().Path()) << how;
    };

    s.Program().Press("Shift+Tab");
    ASSERT_TRUE(WaitUntil([&] { return s.Program().FocusedWindow() == s.Folders(); }, "the focus in the folder list"));
    s.Program().Press("Enter");
    expectLaunched("Enter in the folder list");

    s.Main().Child("Button1").Click();
    expectLaunched("START!");

    s.Files().DoubleClickItem(0);
    expectLaunched("double click");

    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

// Ctrl+O opens the selected folder in the shell's file browser, with no file selected; the browser is closed again.
TEST(FileActions, OpenFolderShowsTheSelectedFolderInTheShell)
{
    Session s;
    s.Dir().WriteFile("Sub\\b.txt", "b");
    s.Dir().WriteIni(IniWith({}));
    s.Start();
    s.ChooseFolder("Sub", 1);
    ASSERT_EQ(s.Files().Selection(), -1);

    s.Program().Press("Ctrl+O");
    const Window browser = WaitFor([&] { return FolderWindowStartedBy(s.Program().ProcessId(), "Sub"); },
                                   "a file browser on \"Sub\" started by the program");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);

    // Close the browser as a user would and wait until its process has ended.
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, browser.ProcessId());
    ASSERT_NE(process, nullptr);
    PostMessageW(browser.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, static_cast<DWORD>(kDefaultTimeout.count())), WAIT_OBJECT_0);
    CloseHandle(process);
}

// Alt+Enter asks the shell for the property sheet with the application's hidden window as owner; Wine has no
// property sheet and answers with its own error box, which is owned by that window. The program carries on.
TEST(FileActions, PropertiesAskTheShellOnBehalfOfTheApplicationWindow)
{
    Session s;
    s.Dir().WriteFile("a.txt", "a");
    s.Dir().WriteIni(IniWith({}));
    s.Start();
    s.ChooseFile("a.txt");

    s.Program().Press("Alt+Enter");
    const MessageDialog box = s.Program().WaitForMessageBox();
    EXPECT_EQ(box.AsWindow().Owner().ClassName(), "TApplication");
    EXPECT_NE(box.Caption(), "Tessaly") << "the box is the shell's, not a refusal of the program";
    box.Press("OK");

    ASSERT_TRUE(s.Program().IsRunning());
    s.ChooseFile("a.txt");  // the window still answers
}
