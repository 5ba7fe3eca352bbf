// The open-with submenu on the real main window: one item per registered application in order, captioned from the
// settings, launching the application with the quoted file as its one argument in the program's own folder, and
// refusing when the application is gone.
#include "app/FileActionSupport.h"

#include "driver/Text.h"
#include "driver/Screenshot.h"

using namespace driver;
using namespace file_actions;

namespace {

// Types a character into the open menu: the item whose caption marks that letter with "&" is chosen.
void TypeIntoMenu(const PopupMenu& menu, wchar_t letter)
{
    PostMessageW(menu.MenuWindow().Handle(), WM_CHAR, letter, 1);
    ASSERT_TRUE(WaitUntil([&] { return menu.Levels().empty(); }, "the menu to close after typing its letter"));
}

}  // namespace

// Three applications give three items in order; each starts its own application with the quoted file name (spaces
// and all) as the whole parameter text, in the base folder. A missing caption still gives a working item, the
// captions' "&" letters choose the items they belong to, and a fourth step down wraps to the first item.
TEST(OpenWith, ThreeApplicationsInOrderWithTheirCaptions)
{
    TempDir tools;
    const std::string appFolder = tools.MakeDir("App Folder");
    const std::vector<std::string> apps = {CopyProbe(appFolder, "app 0.exe"), CopyProbe(appFolder, "app 1.exe"),
                                           CopyProbe(appFolder, "app 2.exe")};
    Session s;
    s.Dir().WriteFile("my file.txt", "x");
    s.Dir().WriteIni(IniWith({"[Aplication]", "count=3", "Aplication0=" + apps[0], "Aplication1=" + apps[1],
                              "Aplication2=" + apps[2], "[Aplication2]", "Aplication0=&Xray", "Aplication2=&Alpha"}));
    s.Start();
    s.ChooseFile("my file.txt");

    PopupMenu::OpenOn(s.Files()).Highlight({kOpenWithItem, 0});
    Screenshot(CurrentTestName() + "_open_with_submenu");
    PopupMenu::Current(s.Program().ProcessId()).Dismiss();

    const std::string file = s.Base() + "my file.txt";
    // Waits for application i to have run, checks how it was started, and clears its record.
    auto expectStarted = [&](size_t i, const std::string& how) {
        const ProbeRecord run = TakeProbeLog(apps[i]);
        EXPECT_EQ(run.commandLine, "\"" + apps[i] + "\" \"" + file + "\"") << how;
        EXPECT_EQ(run.currentDirectory, s.Dir().Path()) << how;
        for (const std::string& other : apps) EXPECT_FALSE(ReadProbeLog(other).has_value()) << how;
    };

    s.ChooseMenu({kOpenWithItem, 0});
    expectStarted(0, "item 0");
    s.ChooseMenu({kOpenWithItem, 1});
    expectStarted(1, "item 1, without a caption");
    s.ChooseMenu({kOpenWithItem, 2});
    expectStarted(2, "item 2");
    s.ChooseMenu({kOpenWithItem, 3});
    expectStarted(0, "a fourth step down");

    PopupMenu menu = PopupMenu::OpenOn(s.Files());
    menu.Highlight({kOpenWithItem, 0});
    TypeIntoMenu(menu, L'a');
    expectStarted(2, "the letter of \"&Alpha\"");
    menu = PopupMenu::OpenOn(s.Files());
    menu.Highlight({kOpenWithItem, 1});
    TypeIntoMenu(menu, L'x');
    expectStarted(0, "the letter of \"&Xray\"");

    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

// A count of 0, no count at all and a negative count build no item: "プログラムから開く" has no submenu, choosing it
// closes the menu and starts nothing, even though an application key is in the file.
TEST(OpenWith, NoItemsForAZeroMissingOrNegativeCount)
{
    for (const char* count : {"count=0", "", "count=-1"}) {
        SCOPED_TRACE(std::string("[Aplication] ") + count);
        TempDir tools;
        const std::string app = CopyProbe(tools.Path(), "app.exe");
        Session s;
        s.Dir().WriteFile("a.txt", "a");
        s.Dir().WriteIni(IniWith({"[Aplication]", count, "Aplication0=" + app, "[Aplication2]", "Aplication0=App"}));
        s.Start();
        s.ChooseFile("a.txt");
        s.ChooseMenu({kOpenWithItem});  // would stay open on a submenu
        EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
        EXPECT_FALSE(ReadProbeLog(app).has_value());
        // The window still answers; a launch would have happened by now.
        s.ChooseFile("a.txt");
        EXPECT_FALSE(ReadProbeLog(app).has_value());
    }
}

// An application deleted after start-up, or one without a path, is reported, and before the file test: the
// message is the same when the selected file is gone too.
TEST(OpenWith, MissingApplicationIsReportedBeforeAMissingFile)
{
    TempDir tools;
    const std::string app = CopyProbe(tools.Path(), "app.exe");
    Session s;
    s.Dir().WriteFile("a.txt", "a");
    s.Dir().WriteIni(IniWith({"[Aplication]", "count=2", "Aplication0=" + app, "[Aplication2]", "Aplication0=App",
                              "Aplication1=No path"}));
    s.Start();
    s.ChooseFile("a.txt");
    const std::string noApplication = "アプリケーションが存在しません";

    s.ChooseMenu({kOpenWithItem, 1});
    s.ExpectMessage(noApplication);

    ASSERT_TRUE(DeleteFileW(driver::ToWide(app).c_str()));
    s.ChooseMenu({kOpenWithItem, 0});
    s.ExpectMessage(noApplication);

    ASSERT_TRUE(DeleteFileW(driver::ToWide((s.Dir() / "a.txt")).c_str()));
    s.ChooseMenu({kOpenWithItem, 0});
    s.ExpectMessage(noApplication);
    EXPECT_EQ(s.Files().Items(), std::vector<std::string>{"a.txt"});
    EXPECT_TRUE(s.Program().OpenMessageBoxes().empty());
}
