// The move submenu on the real main window: one item per folder-list entry in list order, moves that never replace
// a file, the stale entry a move leaves behind, and the run-time items of both submenus rebuilt without leftovers
// when the settings dialog's OK re-runs the start-up.
#include "app/FileActionSupport.h"

#include "driver/Screenshot.h"

using namespace driver;
using namespace file_actions;

namespace {

// Index of an entry in a list, or -1.
int IndexOf(const std::vector<std::string>& items, const std::string& text)
{
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// Opens the settings dialog from the popup menu, presses its OK and waits until it has closed.
void ConfirmSettingsDialog(Session& s)
{
    s.ChooseMenu({kSettingsItem});
    const Window dialog = s.Program().WaitForWindow("TForm4");
    dialog.Child("Button2").Click();
    ASSERT_TRUE(s.Program().WaitForWindowGone("TForm4"));
}

}  // namespace

// Five folder-list entries (three folders below the base folder, a fixed folder and the base folder itself) give five
// move items; item i moves the selected file into the folder of entry i, and a sixth step down wraps to the first.
TEST(MoveMenu, OneItemPerFolderEntryInListOrder)
{
    TempDir outside;
    Session s;
    s.Dir().MakeDir("Docs\\Old");
    s.Dir().MakeDir("Games");
    s.Dir().WriteFile("m.txt", "moved bytes");
    s.Dir().WriteIni(IniWith({"[FixedFolder Setting]", "count=1", "F_Folder1=" + outside.Path(), "[Name]",
                              outside.Path() + "=Projects", "[Name2]", "Projects=" + outside.Path()}));
    s.Start();

    const std::vector<std::string> entries = s.Folders().Items();
    const std::vector<std::string> expected = {"Docs", "Docs\\Old", "Games", "Projects/", s.BaseName()};
    ASSERT_EQ(entries, expected);
    const std::vector<std::string> folders = {s.Dir() / "Docs", s.Dir() / "Docs\\Old", s.Dir() / "Games",
                                              outside.Path(), s.Dir().Path()};

    PopupMenu::OpenOn(s.Files()).Highlight({kMoveItem, 0});
    Screenshot(CurrentTestName() + "_move_submenu");
    PopupMenu::Current(s.Program().ProcessId()).Dismiss();

    // From the base folder through every other entry, and back into the base folder.
    int from = 4;
    for (int to : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE("move item " + std::to_string(to) + " (" + entries[static_cast<size_t>(to)] + ")");
        s.ChooseFolder(entries[static_cast<size_t>(from)], 1);
        s.ChooseFile("m.txt");
        s.ChooseMenu({kMoveItem, to});
        ASSERT_TRUE(WaitUntil([&] { return FileExists(JoinPath(folders[static_cast<size_t>(to)], "m.txt")); },
                              "m.txt in " + folders[static_cast<size_t>(to)]));
        EXPECT_FALSE(FileExists(JoinPath(folders[static_cast<size_t>(from)], "m.txt")));
        EXPECT_EQ(ReadFileBytes(JoinPath(folders[static_cast<size_t>(to)], "m.txt")), "moved bytes");
        from = to;
    }
    ASSERT_EQ(from, 4);

    // Five steps down from the first item come back to it: there is no sixth item.
    s.ChooseFolder(s.BaseName(), 1);
    s.ChooseFile("m.txt");
    s.ChooseMenu({kMoveItem, 5});
    ASSERT_TRUE(WaitUntil([&] { return s.Dir().FileExists("Docs\\m.txt"); }, "m.txt in Docs"));
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0) << "a move that succeeds says nothing";
}

// A file of the same name in the target folder is never replaced: the move is refused and both files keep their
// bytes. A move that succeeds leaves the entry listed, and executing it reports the file missing.
TEST(MoveMenu, RefusesToReplaceAndLeavesAStaleEntry)
{
    Session s;
    s.Dir().WriteFile("a.txt", "the base folder's a");
    s.Dir().WriteFile("b.txt", "b");
    s.Dir().WriteFile("Sub\\a.txt", "Sub's own a, longer");
    s.Dir().WriteIni(IniWith({}));
    s.Start();
    const int sub = IndexOf(s.Folders().Items(), "Sub");
    ASSERT_GE(sub, 0);

    s.ChooseFile("a.txt");
    s.ChooseMenu({kMoveItem, sub});
    s.ExpectMessage("移動に失敗しました。");
    EXPECT_EQ(s.Dir().Read("a.txt"), "the base folder's a");
    EXPECT_EQ(s.Dir().Read("Sub\\a.txt"), "Sub's own a, longer");

    s.ChooseFile("b.txt");
    s.ChooseMenu({kMoveItem, sub});
    ASSERT_TRUE(WaitUntil([&] { return s.Dir().FileExists("Sub\\b.txt"); }, "b.txt in Sub"));
    EXPECT_FALSE(s.Dir().Exists("b.txt"));
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"a.txt", "b.txt"})) << "the list is not refilled";
    EXPECT_EQ(s.Files().SelectedText(), "b.txt");

    s.Program().Press("Enter");
    s.ExpectMessage("ファイルが存在しません。\n\rファイル名変更、削除、移動された可能性があります。");
    EXPECT_TRUE(s.Program().OpenMessageBoxes().empty());
}

// The settings dialog's OK frees the run-time items of both submenus and the start-up builds them again. The lists
// change behind the program's back before each OK (a new folder and a third application, then the folder gone and a
// single application), so a leftover item would shift the positions that wrap around to the first item.
TEST(MoveMenu, SettingsOkRebuildsBothSubmenusWithoutLeftovers)
{
    TempDir tools;
    const std::vector<std::string> apps = {CopyProbe(tools.Path(), "app0.exe"), CopyProbe(tools.Path(), "app1.exe"),
                                           CopyProbe(tools.Path(), "app2.exe")};
    auto iniWithApplications = [&](int count) {
        std::vector<std::string> lines = {"[Aplication]", "count=" + std::to_string(count)};
        for (int i = 0; i < 3; ++i) lines.push_back("Aplication" + std::to_string(i) + "=" + apps[static_cast<size_t>(i)]);
        lines.push_back("[Aplication2]");
        for (int i = 0; i < 3; ++i) lines.push_back("Aplication" + std::to_string(i) + "=App " + std::to_string(i));
        return IniWith(lines);
    };
    // Runs the open-with item at position index and returns which application started.
    auto launchedBy = [&](Session& s, int index) -> int {
        s.ChooseMenu({kOpenWithItem, index});
        const int started = WaitFor([&]() -> int {
            for (int i = 0; i < 3; ++i) {
                if (ReadProbeLog(apps[static_cast<size_t>(i)])) return i + 1;
            }
            return 0;
        }, "an application to start") - 1;
        for (const std::string& app : apps) RemoveProbeLog(app);
        return started;
    };

    Session s;
    s.Dir().MakeDir("Docs");
    s.Dir().MakeDir("Games");
    s.Dir().WriteFile("m.txt", "m");
    s.Dir().WriteIni(iniWithApplications(2));
    s.Start();
    ASSERT_EQ(s.Folders().ItemCount(), 3);

    // First rebuild: four folders, three applications.
    s.Dir().MakeDir("Music");
    s.Dir().WriteIni(iniWithApplications(3));
    ConfirmSettingsDialog(s);
    ASSERT_EQ(s.Folders().Items(), (std::vector<std::string>{"Docs", "Games", "Music", s.BaseName()}));
    s.ChooseFolder(s.BaseName(), 1);
    s.ChooseFile("m.txt");
    EXPECT_EQ(launchedBy(s, 3), 0) << "three application items, the fourth step wraps to the first";
    s.ChooseMenu({kMoveItem, 4});
    ASSERT_TRUE(WaitUntil([&] { return s.Dir().FileExists("Docs\\m.txt"); }, "m.txt moved by the first item, Docs"));

    // Second rebuild: three folders, one application.
    RemoveTree(s.Dir() / "Music");
    s.Dir().WriteIni(iniWithApplications(1));
    ConfirmSettingsDialog(s);
    ASSERT_EQ(s.Folders().Items(), (std::vector<std::string>{"Docs", "Games", s.BaseName()}));
    s.ChooseFolder("Docs", 1);
    s.ChooseFile("m.txt");
    EXPECT_EQ(launchedBy(s, 1), 0) << "one application item, the second step wraps to it";
    s.ChooseMenu({kMoveItem, 4});
    ASSERT_TRUE(WaitUntil([&] { return s.Dir().FileExists("Games\\m.txt"); }, "m.txt moved by the second item, Games"));
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}
