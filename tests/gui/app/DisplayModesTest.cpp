// The main window's display modes on the real window: the caption-less mode and its bounds, the two folder-list
// styles, always on top, the lists' sideways scroll extents, the popup menu and dragging the caption-less window.
#include "app/MainWindowSupport.h"

using namespace main_window;

namespace {

// The horizontal extent a list box was given (LB_GETHORIZONTALEXTENT needs no memory of the other process).
int HorizontalExtent(const driver::Window& list)
{
    return static_cast<int>(driver::SendW(list.Handle(), LB_GETHORIZONTALEXTENT, 0, 0));
}

// True while the thread runs the system's loop that moves a window with the mouse.
bool InMoveLoop(DWORD threadId)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

// True when the system's cursor is at p.
bool CursorAt(driver::Point p)
{
    POINT cursor{};
    return GetCursorPos(&cursor) && cursor.x == p.x && cursor.y == p.y;
}

// Real left button: press at from, wait until the program has started moving its window, move to to in one step,
// release. (Without the wait the release can reach the program before its move loop starts, and nothing moves.)
// Under Wine every SendInput move also warps the X pointer, and the program gets that move a second time from the X
// server, late when the machine is busy; with intermediate steps, a late repeat of one of them could be the last
// move the loop takes before the release. So there is one step, and each press waits until the cursor is where the
// move put it.
::testing::AssertionResult LeftDragWindow(DWORD threadId, driver::Point from, driver::Point to)
{
    driver::MouseMoveTo(from);
    const bool atStart = driver::PollUntil([&] { return CursorAt(from); });
    driver::MouseLeftDown();
    const bool moving = driver::PollUntil([&] { return InMoveLoop(threadId); });
    driver::MouseMoveTo(to);
    const bool atEnd = driver::PollUntil([&] { return CursorAt(to); });
    driver::MouseLeftUp();
    if (!atStart || !atEnd) {
        return ::testing::AssertionFailure() << "the cursor did not reach " << (atStart ? "the end" : "the start");
    }
    if (!moving) {
        return ::testing::AssertionFailure() << "the program did not start moving its window";
    }
    return ::testing::AssertionSuccess();
}

// Real right button: press at from, move to to, release (the driver's MouseDrag is for the left button).
void RightDrag(driver::Point from, driver::Point to)
{
    driver::MouseMoveTo(from);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    SendInput(1, &input, sizeof input);
    for (int step = 1; step <= 4; ++step) {
        driver::MouseMoveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
    }
    input.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(1, &input, sizeof input);
}

}  // namespace

// Hiding the caption makes the outer bounds the former client area; showing it again restores the outer bounds
// exactly, with the client area where it was. Screenshots: list style, then caption-less list style.
TEST(DisplayModes, CaptionHiddenAndShownKeepsTheClientAreaInPlace)
{
    Session s;
    s.MakeDir("Docs");
    s.WriteIni(Ini({"[Form]", "Pos.Left=200", "Pos.Top=150", "Pos.Width=410", "Pos.Height=260"}));
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    driver::Screenshot(driver::CurrentTestName() + "_list_style", main);

    const driver::Rect outer = main.Bounds();
    const driver::Rect client = main.ClientBounds();
    const Metrics m;
    EXPECT_EQ(client.top - outer.top, m.caption + m.frame) << "caption and frame as the system metrics say";

    ASSERT_TRUE(ToggleCaption(main));
    EXPECT_EQ(main.Bounds(), client);
    EXPECT_EQ(main.ClientBounds(), client);
    EXPECT_TRUE(s.Control("Label3").IsVisible());
    EXPECT_TRUE(s.Control("Label4").IsVisible());
    driver::Screenshot(driver::CurrentTestName() + "_captionless_list_style", main);

    ASSERT_TRUE(ToggleCaption(main));
    EXPECT_EQ(main.Bounds(), outer);
    EXPECT_EQ(main.ClientBounds(), client);
    EXPECT_FALSE(s.Control("Label3").IsVisible());
    EXPECT_FALSE(s.Control("Label4").IsVisible());
}

// A window closed caption-less with its client area at (100, 100) stores the bounds it would have with caption and
// frame, and comes back caption-less at the same place.
TEST(DisplayModes, CaptionlessWindowIsStoredWithItsFrameAndComesBackInPlace)
{
    const Metrics m;
    Session s;
    s.WriteIni(Ini({"[Form]", "Pos.Left=" + std::to_string(100 - m.frame),
                    "Pos.Top=" + std::to_string(100 - m.caption - m.frame), "Pos.Width=380", "Pos.Height=240"}));
    {
        const driver::Window& main = s.Start();
        s.WaitForCounts();
        ASSERT_EQ(main.ClientBounds().left, 100);
        ASSERT_EQ(main.ClientBounds().top, 100);
        const driver::Rect client = main.ClientBounds();
        ASSERT_TRUE(ToggleCaption(main));
        ASSERT_EQ(main.Bounds(), client);
        s.CloseAndWait();
    }
    EXPECT_EQ(IniValue(s.IniPath(), "Style", "bar_hide"), "1");
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Left"), std::to_string(100 - m.frame));
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Top"), std::to_string(100 - m.caption - m.frame));
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Width"), "380");
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Height"), "240");

    driver::Program again(s.Base());
    const driver::Window main = again.Start();
    ASSERT_TRUE(driver::WaitUntil([&] { return !main.HasCaption(); }, "caption-less at start"));
    EXPECT_EQ(main.Bounds().left, 100);
    EXPECT_EQ(main.Bounds().top, 100);
    EXPECT_EQ(main.Bounds().Width(), 380 - 2 * m.frame);
    EXPECT_EQ(main.Bounds().Height(), 240 - m.caption - 2 * m.frame);
}

// Only a double click on the form's free area toggles the mode; one on a list or a button does not.
TEST(DisplayModes, DoubleClickOnControlsDoesNotToggleTheMode)
{
    Session s;
    s.WriteFile("a.txt");
    s.WriteIni(Ini());
    const driver::Window& main = s.Start();
    s.WaitForCounts();

    // Below the folder list's only entry: no entry is hit, nothing else happens.
    const driver::Window folders = s.Folders();
    folders.DoubleClickAt({10, folders.ClientRect().bottom - 5});
    // Button3 takes a double click as two clicks: combo style and back.
    s.Control("Button3").DoubleClickAt({5, 5});
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Control("Button3").Text() == ">" && s.Folders().IsVisible(); },
                                  "list style again after two clicks"));
    // A double click in the file list opens the entry (none is selected yet: the refusal).
    s.Files().DoubleClickAt({10, s.Files().ClientRect().bottom - 5});
    EXPECT_EQ(s.TakeMessage(), "選択してください");
    EXPECT_TRUE(main.HasCaption());

    ASSERT_TRUE(ToggleCaption(main));
    EXPECT_FALSE(main.HasCaption());
    s.Files().DoubleClickAt({10, s.Files().ClientRect().bottom - 5});
    EXPECT_EQ(s.TakeMessage(), "選択してください");
    EXPECT_FALSE(main.HasCaption());
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 2);
}

// Button3 moves the entries and the selection between the folder list and the drop-down box; the prompt of the box
// means no selection. Screenshot: combo style.
TEST(DisplayModes, StyleSwitchCarriesEntriesAndSelection)
{
    Session s;
    s.MakeDir("Docs");
    s.MakeDir("Games");
    s.WriteFile("Games\\g.txt");
    s.WriteIni(Ini());
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    s.ChooseFolder("Games", 1);
    const std::vector<std::string> entries = s.Folders().Items();
    const int selected = s.Folders().Selection();
    const int listWidth = main.ClientRect().Width();

    s.Control("Button3").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Combo().IsVisible(); }, "combo style"));
    EXPECT_EQ(s.Control("Button3").Text(), "<");
    EXPECT_EQ(s.Combo().Items(), entries);
    EXPECT_EQ(s.Combo().Selection(), selected);
    EXPECT_EQ(s.Combo().Text(), "Games");
    EXPECT_FALSE(s.Folders().IsVisible());
    EXPECT_EQ(s.Folders().ItemCount(), 0);
    EXPECT_FALSE(s.Control("Label1").IsVisible());
    EXPECT_EQ(main.ClientRect().Width(), listWidth / 2);
    EXPECT_EQ(s.Files().Items(), std::vector<std::string>{"g.txt"});
    driver::Screenshot(driver::CurrentTestName() + "_combo_style", main);

    s.Control("Button3").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Folders().IsVisible(); }, "list style"));
    EXPECT_EQ(s.Folders().Items(), entries);
    EXPECT_EQ(s.Folders().Selection(), selected);
    EXPECT_EQ(s.Combo().ItemCount(), entries.size());
    EXPECT_EQ(main.ClientRect().Width(), listWidth / 2 * 2);

    // An odd client width loses one pixel on the way through combo style: 371, 185, 370.
    const driver::Rect outer = main.Bounds();
    const int frameWidth = outer.Width() - main.ClientRect().Width();
    MoveWindow(main.Handle(), outer.left, outer.top, 371 + frameWidth, outer.Height(), TRUE);
    ASSERT_TRUE(driver::WaitUntil([&] { return main.ClientRect().Width() == 371; }, "client width 371"));
    s.Control("Button3").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return main.ClientRect().Width() == 185; }, "client width 185"));
    s.Control("Button3").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return main.ClientRect().Width() == 370; }, "client width 370"));
}

// The program in "Tools" holding a subfolder "tools": two entries that differ in letter case alone, which the two
// styles' controls may order differently. The switch keeps the very folder selected both ways, and the move menu,
// built in list style, moves into the folder its item names once the window is in combo style.
TEST(DisplayModes, NamesThatDifferInCaseAloneKeepTheirFolderAcrossTheStyleSwitch)
{
    Session s("Tools");
    s.MakeDir("tools");
    s.WriteFile("base.txt");
    s.WriteFile("tools\\a.txt");
    s.WriteFile("tools\\b.txt");
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    const std::vector<std::string> entries = s.Folders().Items();
    ASSERT_EQ(entries.size(), 2u);
    const std::vector<std::string> baseFiles{"base.txt"}, subFiles{"a.txt", "b.txt"};
    for (const std::string entry : {"Tools", "tools"}) {
        SCOPED_TRACE(entry);
        const std::vector<std::string>& files = entry == "Tools" ? baseFiles : subFiles;
        s.ChooseFolder(entry, static_cast<int>(files.size()));
        s.Control("Button3").Click();
        ASSERT_TRUE(driver::WaitUntil([&] { return s.Combo().IsVisible(); }, "combo style"));
        EXPECT_EQ(s.Combo().Text(), entry);
        EXPECT_EQ(s.Combo().SelectedText(), entry);
        EXPECT_EQ(s.Files().Items(), files);
        s.Control("Button3").Click();
        ASSERT_TRUE(driver::WaitUntil([&] { return s.Folders().IsVisible(); }, "list style"));
        EXPECT_EQ(s.Folders().SelectedText(), entry);
        EXPECT_EQ(s.Files().Items(), files);
    }

    s.ChooseFolder("Tools", 1);
    s.Control("Button3").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Combo().IsVisible(); }, "combo style"));
    s.Files().ClickItem(0);
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Files().Selection() == 0; }, "base.txt selected"));
    const int item = static_cast<int>(std::find(entries.begin(), entries.end(), "tools") - entries.begin());
    s.Program().OpenPopupMenu(s.Files()).Choose({kMoveItem, item});
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::FileExists(s.InBase("tools\\base.txt")); },
                                  "base.txt moved into Tools\\tools"));
}

// Started in combo style with nothing chosen, the box shows its prompt; back in list style nothing is selected.
TEST(DisplayModes, ComboPromptLeavesNoSelection)
{
    Session s;
    s.MakeDir("Docs");
    s.WriteIni(Ini({"[Style]", "Style=ComboBox"}));
    s.Start();
    s.WaitForCounts();
    ASSERT_TRUE(s.Combo().IsVisible());
    EXPECT_EQ(s.Combo().Text(), "フォルダを選択してください");
    EXPECT_EQ(s.Combo().Selection(), -1);
    s.Control("Button3").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Folders().IsVisible() && s.Folders().ItemCount() == 2; },
                                  "list style with both entries"));
    EXPECT_EQ(s.Folders().Selection(), -1);
}

// "常に手前に表示" toggles the topmost style of the window, on and off.
TEST(DisplayModes, AlwaysOnTopToggles)
{
    Session s;
    s.WriteIni(Ini());
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    ASSERT_FALSE(main.IsTopmost());
    s.Program().OpenPopupMenu(s.Files()).Choose({kOnTopItem});
    EXPECT_TRUE(driver::WaitUntil([&] { return main.IsTopmost(); }, "topmost"));
    s.Program().OpenPopupMenu(s.Files()).Choose({kOnTopItem});
    EXPECT_TRUE(driver::WaitUntil([&] { return !main.IsTopmost(); }, "not topmost"));
    s.CloseAndWait();
    EXPECT_EQ(IniValue(s.IniPath(), "Style", "OnTop"), "0");
}

// The lists scroll sideways over their factor times their client width, after start-up and after a mode change.
TEST(DisplayModes, HorizontalExtentIsFactorTimesClientWidth)
{
    Session s;
    s.WriteIni(Ini({"[ScrollBar]", "FolderList=3", "FileList=5"}));
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    EXPECT_EQ(HorizontalExtent(s.Files()), 5 * s.Files().ClientRect().Width());
    EXPECT_EQ(HorizontalExtent(s.Folders()), 3 * s.Folders().ClientRect().Width());
    ASSERT_TRUE(ToggleCaption(main));
    EXPECT_EQ(HorizontalExtent(s.Files()), 5 * s.Files().ClientRect().Width());
    EXPECT_EQ(HorizontalExtent(s.Folders()), 3 * s.Folders().ClientRect().Width());

    // Without the keys the factor is 2.
    Session d;
    d.WriteIni(Ini());
    d.Start();
    d.WaitForCounts();
    EXPECT_EQ(HorizontalExtent(d.Files()), 2 * d.Files().ClientRect().Width());
    EXPECT_EQ(HorizontalExtent(d.Folders()), 2 * d.Folders().ClientRect().Width());
}

// A hand-edited factor near the largest integer, or below zero, still gives the lists an extent they take.
TEST(DisplayModes, HandEditedScrollFactorsAreKeptWithinRange)
{
    Session s;
    s.WriteIni(Ini({"[ScrollBar]", "FolderList=-3", "FileList=2147483647"}));
    s.Start();
    s.WaitForCounts();
    EXPECT_EQ(HorizontalExtent(s.Files()), 32767);
    EXPECT_EQ(HorizontalExtent(s.Folders()), 0);
}

// A right click opens the popup menu (screenshot kept, with the last item highlighted). Its items cannot be read
// from outside, so their order is proved by what they do: "実行" is the 1st, "設定" the 10th, "常に手前に表示" the
// 11th and "終了" the 14th.
TEST(DisplayModes, PopupMenuHoldsItsItemsInOrder)
{
    Session s;
    s.WriteIni(Ini());
    const driver::Window& main = s.Start();
    s.WaitForCounts();

    const std::optional<driver::Point> spot = FreeSpot(main);
    ASSERT_TRUE(spot.has_value());
    const driver::PopupMenu menu = driver::PopupMenu::OpenAt(main, ToClient(main, *spot));
    menu.Highlight({kExitItem});
    driver::Screenshot(driver::CurrentTestName() + "_popup_menu");
    menu.Dismiss();

    s.Program().OpenPopupMenu(s.Files()).Choose({kSettingsItem});
    const driver::Window settings = s.Program().WaitForWindow("TForm4", "設定");
    settings.Child("Button7").Click();
    ASSERT_TRUE(s.Program().WaitForWindowGone("TForm4"));

    s.Program().OpenPopupMenu(s.Files()).Choose({kOnTopItem});
    EXPECT_TRUE(driver::WaitUntil([&] { return main.IsTopmost(); }, "topmost"));

    s.Program().OpenPopupMenu(s.Files()).Choose({kExecuteItem});
    EXPECT_EQ(s.TakeMessage(), "選択してください");

    s.Program().OpenPopupMenu(s.Files()).Choose({kExitItem});
    EXPECT_TRUE(s.Program().WaitForExit().has_value());
}

// The caption-less window follows a left-button drag of its body; a right-button drag opens the menu instead.
TEST(DisplayModes, CaptionlessWindowIsDraggedWithTheLeftButtonOnly)
{
    Session s;
    s.WriteIni(Ini({"[Form]", "Pos.Left=150", "Pos.Top=150", "[Style]", "bar_hide=1"}));
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    ASSERT_FALSE(main.HasCaption());
    driver::BringToForeground(main);

    const driver::Rect start = main.Bounds();
    std::optional<driver::Point> spot = FreeSpot(main);
    ASSERT_TRUE(spot.has_value());
    ASSERT_TRUE(LeftDragWindow(s.Program().ThreadId(), *spot, {spot->x + 60, spot->y + 40}));
    ASSERT_TRUE(driver::WaitUntil([&] { return main.Bounds().left == start.left + 60; }, "the window moved"));
    EXPECT_EQ(main.Bounds().top, start.top + 40);
    EXPECT_EQ(main.Bounds().Width(), start.Width());

    const driver::Rect moved = main.Bounds();
    spot = FreeSpot(main);
    ASSERT_TRUE(spot.has_value());
    // Released over the window (the free spot lies in the bottom row), so the release opens the menu there.
    RightDrag(*spot, {spot->x + 20, spot->y - 60});
    const driver::PopupMenu menu = driver::PopupMenu::Current(s.Program().ProcessId());
    menu.Dismiss();
    EXPECT_EQ(main.Bounds(), moved);
}
