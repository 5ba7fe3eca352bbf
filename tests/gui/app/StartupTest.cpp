// Start-up and the main window's lifecycle: the first run, the window state restored from the settings file and
// written back on every way of closing, the settings dialog re-running start-up in place, and a settings file
// that cannot be written when the program closes.
#include "app/MainWindowSupport.h"

#include <map>
#include <set>

using namespace main_window;

namespace {

// The keys the window state consists of, read back from a settings file.
std::map<std::string, std::optional<std::string>> WindowStateKeys(const std::string& iniPath)
{
    std::map<std::string, std::optional<std::string>> keys;
    for (const char* key : {"Pos.Left", "Pos.Top", "Pos.Width", "Pos.Height"}) {
        keys[std::string("Form/") + key] = IniValue(iniPath, "Form", key);
    }
    for (const char* key : {"Style", "bar_hide", "OnTop"}) {
        keys[std::string("Style/") + key] = IniValue(iniPath, "Style", key);
    }
    return keys;
}

}  // namespace

// What a user who unpacked the download sees first (the release check runs this on the shipped programs): in a
// folder with its settings, a subfolder and files with Japanese names, the window lists the folder and each folder's
// files, and closing it writes the window state into that folder's Tessaly.ini.
TEST(Startup, ListsItsFolderAndFilesAndSavesTheWindowState)
{
    Session s("ツール");
    s.WriteIni(Ini({"[Form]", "Pos.Left=120", "Pos.Top=90"}));
    s.MakeDir("資料");
    s.WriteFile("メモ.txt");
    s.WriteFile("予定表.txt");
    s.WriteFile("report.dat");
    s.WriteFile("資料\\議事録.txt");
    const driver::Window& main = s.Start();
    EXPECT_EQ(s.WaitForCounts(), "ファイルリスト 2");
    EXPECT_EQ(s.Folders().Items(), (std::vector<std::string>{"ツール", "資料"}));
    EXPECT_EQ(s.Control("Label1").Text(), "フォルダリスト 2");
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"メモ.txt", "予定表.txt"}));
    s.ChooseFolder("資料", 1);
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"議事録.txt"}));
    EXPECT_EQ(main.Bounds(), (driver::Rect{120, 90, 498, 315}));
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);

    s.CloseAndWait();
    const std::map<std::string, std::optional<std::string>> written = {
        {"Form/Pos.Left", "120"},   {"Form/Pos.Top", "90"},      {"Form/Pos.Width", "378"}, {"Form/Pos.Height", "225"},
        {"Style/Style", "ListBox"}, {"Style/bar_hide", "0"}, {"Style/OnTop", "0"}};
    EXPECT_EQ(WindowStateKeys(s.IniPath()), written);
}

// The program's folder is its exact folder. In "café" beside a "cafe" with settings and files of its own, it takes
// café's settings and files, writes its state there, and leaves cafe's folder exactly as it was.
TEST(Startup, InAFolderBesideItsStandInItUsesItsOwnSettingsAndLeavesTheOtherAlone)
{
    Session s("café");
    s.WriteIni(Ini({"[Form]", "Pos.Left=120", "Pos.Top=90"}));
    s.WriteFile("メモ.txt");
    const std::string other = s.Temp().MakeDir("cafe");
    driver::WriteTextLines(driver::JoinPath(other, "Tessaly.ini"),
                           {"[extension]", "count=1", "ex1=.dat", "[Option]", "UpdateCheck=0", "[Form]", "Pos.Left=300"});
    driver::WriteFileBytes(driver::JoinPath(other, "cafe.dat"), "cafe");
    driver::WriteFileBytes(driver::JoinPath(other, "cafe.txt"), "cafe");
    const std::string otherIni = driver::ReadFileBytes(driver::JoinPath(other, "Tessaly.ini"));

    const driver::Window& main = s.Start();
    EXPECT_EQ(s.WaitForCounts(), "ファイルリスト 1");
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"メモ.txt"}));
    EXPECT_EQ(s.Folders().Items(), (std::vector<std::string>{"café"}));
    EXPECT_EQ(main.Bounds().left, 120);
    s.CloseAndWait();

    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Left"), "120");
    EXPECT_EQ(IniValue(s.IniPath(), "Style", "Style"), "ListBox");
    EXPECT_EQ(driver::ReadFileBytes(driver::JoinPath(other, "Tessaly.ini")), otherIni);
    EXPECT_EQ(driver::ReadFileBytes(driver::JoinPath(other, "cafe.dat")), "cafe");
    EXPECT_EQ(driver::ReadFileBytes(driver::JoinPath(other, "cafe.txt")), "cafe");
}

// In "한글" the program finds its settings file and starts without the first-run question; without one, its first
// run writes one there.
TEST(Startup, InAFolderTheCodePageCannotNameItFindsAndWritesItsSettings)
{
    {
        Session s("한글");
        s.WriteIni(Ini({}));
        s.WriteFile("메모.txt");
        s.Start();
        EXPECT_EQ(s.WaitForCounts(), "ファイルリスト 1");
        EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"메모.txt"}));
        EXPECT_EQ(s.Folders().Items(), (std::vector<std::string>{"한글"}));
        EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
        s.CloseAndWait();
        EXPECT_EQ(IniValue(s.IniPath(), "Style", "Style"), "ListBox");
    }
    {
        Session s("한글");
        const driver::MessageDialog first = s.Program().StartExpectingMessageBox();
        EXPECT_EQ(first.Text(), "拡張子を設定してください。");
        first.Press("OK");
        const driver::Window settings = s.Program().WaitForWindow("TForm4", "設定");
        settings.Child("CheckBox1").Click();  // no update check
        settings.Child("Edit3").SetText("txt");
        settings.Child("Button4").Click();
        ASSERT_TRUE(driver::WaitUntil([&] { return settings.Child("ListBox3").ItemCount() == 1; }, "the extension added"));
        settings.Child("Button2").Click();
        ASSERT_TRUE(s.Program().WaitForWindowGone("TForm4"));
        EXPECT_EQ(IniValue(s.IniPath(), "extension", "ex1"), ".txt");
        s.AttachMain();
        s.CloseAndWait();
    }
}

// Without a settings file the program asks for extensions and opens the settings dialog before its window shows;
// after Cancel the window is as designed: no counts in the headers, the close and minimise labels visible.
TEST(Startup, FirstRunCancelLeavesTheDesignWindow)
{
    Session s;
    const driver::MessageDialog first = s.Program().StartExpectingMessageBox();
    EXPECT_EQ(first.Text(), "拡張子を設定してください。");
    first.Press("OK");
    const driver::Window settings = s.Program().WaitForWindow("TForm4", "設定");
    EXPECT_FALSE(s.Program().FindTopWindow("TForm1")) << "the main window showed before the dialog closed";
    settings.Child("Button7").Click();

    const driver::Window main = s.AttachMain();
    EXPECT_EQ(main.Bounds(), (driver::Rect{284, 244, 662, 469}));
    EXPECT_EQ(s.Control("Label1").Text(), "フォルダリスト");
    EXPECT_EQ(s.Control("Label2").Text(), "ファイルリスト");
    EXPECT_TRUE(s.Control("Label3").IsVisible());
    EXPECT_EQ(s.Control("Label3").Text(), "×");
    EXPECT_TRUE(s.Control("Label4").IsVisible());
    EXPECT_EQ(s.Control("Label4").Text(), " - ");
    EXPECT_EQ(s.Control("Button3").Text(), ">");
    EXPECT_EQ(s.Folders().ItemCount(), 0);
    EXPECT_EQ(s.Files().ItemCount(), 0);
    EXPECT_TRUE(main.HasCaption());
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 1);

    // Closing writes the window state, which creates the settings file.
    s.CloseAndWait();
    EXPECT_EQ(IniValue(s.IniPath(), "Style", "Style"), "ListBox");
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Top"), "244");
}

// Form keys place the window; a file with only extension keys starts at the design bounds in list style.
TEST(Startup, FormKeysPlaceTheWindowAndDefaultsGiveTheDesign)
{
    {
        Session s;
        s.WriteIni(Ini({"[Form]", "Pos.Left=40", "Pos.Top=30", "Pos.Width=500", "Pos.Height=300"}));
        const driver::Window& main = s.Start();
        s.WaitForCounts();
        EXPECT_EQ(main.Bounds(), (driver::Rect{40, 30, 540, 330}));
        EXPECT_EQ(s.Control("Button3").Text(), ">");
        EXPECT_EQ(s.Control("Label1").Text(), "フォルダリスト 1");
    }
    {
        Session s;
        s.WriteIni(Ini());
        const driver::Window& main = s.Start();
        s.WaitForCounts();
        EXPECT_EQ(main.Bounds(), (driver::Rect{284, 244, 662, 469}));
        EXPECT_TRUE(s.Folders().IsVisible());
        EXPECT_FALSE(s.Combo().IsVisible());
        EXPECT_FALSE(s.Control("Label3").IsVisible());
        EXPECT_FALSE(s.Control("Label4").IsVisible());
        EXPECT_TRUE(main.HasCaption());
        EXPECT_FALSE(main.IsTopmost());
    }
}

// Values are compared with their case: "combobox" is not "ComboBox", while "ComboBox" gives combo style.
TEST(Startup, StyleValueIsCaseSensitive)
{
    {
        Session s;
        s.WriteIni(Ini({"[Style]", "Style=combobox"}));
        s.Start();
        s.WaitForCounts();
        EXPECT_EQ(s.Control("Button3").Text(), ">");
        EXPECT_TRUE(s.Folders().IsVisible());
        EXPECT_FALSE(s.Combo().IsVisible());
    }
    {
        Session s;
        s.WriteIni(Ini({"[style]", "style=ComboBox", "[Form]", "Pos.Width=300"}));
        const driver::Window& main = s.Start();
        EXPECT_TRUE(driver::WaitUntil([&] { return s.Combo().IsVisible(); }, "combo style"));
        EXPECT_EQ(s.Control("Button3").Text(), "<");
        EXPECT_FALSE(s.Folders().IsVisible());
        EXPECT_EQ(main.Bounds().Width(), 300);
    }
}

// The close box, the menu item "終了" and the "×" label all end the program and write the same keys.
TEST(Startup, EveryWayOfClosingWritesTheSameState)
{
    const std::vector<std::string> ini = Ini({"[Form]", "Pos.Left=120", "Pos.Top=90", "Pos.Width=400",
                                              "Pos.Height=260", "[Style]", "bar_hide=1"});
    std::vector<std::map<std::string, std::optional<std::string>>> written;
    std::vector<std::string> files;
    for (int way = 0; way < 3; ++way) {
        Session s;
        s.WriteIni(ini);
        const driver::Window& main = s.Start();
        s.WaitForCounts();
        ASSERT_FALSE(main.HasCaption());
        if (way == 0) {
            s.Program().Close();
        } else if (way == 1) {
            s.Program().OpenPopupMenu(s.Files()).Choose({kExitItem});
        } else {
            const driver::Window close = s.Control("Label3");
            ASSERT_TRUE(close.IsVisible());
            close.Click();
        }
        ASSERT_TRUE(s.Program().WaitForExit().has_value()) << "way " << way << " did not end the program";
        EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
        written.push_back(WindowStateKeys(s.IniPath()));
        files.push_back(driver::ReadFileBytes(s.IniPath()));
    }
    const auto& keys = written[0];
    EXPECT_EQ(keys.at("Form/Pos.Left"), "120");
    EXPECT_EQ(keys.at("Form/Pos.Top"), "90");
    EXPECT_EQ(keys.at("Form/Pos.Width"), "400");
    EXPECT_EQ(keys.at("Form/Pos.Height"), "260");
    EXPECT_EQ(keys.at("Style/Style"), "ListBox");
    EXPECT_EQ(keys.at("Style/bar_hide"), "1");
    EXPECT_EQ(keys.at("Style/OnTop"), "0");
    EXPECT_EQ(written[1], written[0]) << "終了 wrote other keys than the close box";
    EXPECT_EQ(written[2], written[0]) << "× wrote other keys than the close box";
    EXPECT_EQ(files[1], files[0]);
    EXPECT_EQ(files[2], files[0]);
}

// Closed while minimised (the " - " label of the caption-less mode, or the caption's button), the window saves the
// place it comes back to, and the next start shows it there.
TEST(Startup, ClosedWhileMinimisedSavesTheRestoredPlace)
{
    for (bool captionless : {true, false}) {
        SCOPED_TRACE(captionless ? "caption-less" : "framed");
        const std::vector<std::string> ini = Ini({"[Form]", "Pos.Left=120", "Pos.Top=90", "Pos.Width=400",
                                                  "Pos.Height=260", "[Style]", captionless ? "bar_hide=1" : "bar_hide=0"});
        std::map<std::string, std::optional<std::string>> keys;
        driver::Rect shown;
        {
            Session s;
            s.WriteIni(ini);
            const driver::Window& main = s.Start();
            s.WaitForCounts();
            shown = main.Bounds();
            if (captionless) s.Control("Label4").Click();
            else PostMessageA(main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            ASSERT_TRUE(driver::WaitUntil([&] { return IsIconic(main.Handle()) != FALSE; }, "the window minimised"));
            s.CloseAndWait();
            keys = WindowStateKeys(s.IniPath());
            EXPECT_EQ(keys.at("Form/Pos.Left"), "120");
            EXPECT_EQ(keys.at("Form/Pos.Top"), "90");
            EXPECT_EQ(keys.at("Form/Pos.Width"), "400");
            EXPECT_EQ(keys.at("Form/Pos.Height"), "260");
            EXPECT_EQ(keys.at("Style/bar_hide"), captionless ? "1" : "0");
        }
        Session again;
        again.WriteIni(Ini({"[Form]", "Pos.Left=" + *keys.at("Form/Pos.Left"), "Pos.Top=" + *keys.at("Form/Pos.Top"),
                            "Pos.Width=" + *keys.at("Form/Pos.Width"), "Pos.Height=" + *keys.at("Form/Pos.Height"),
                            "[Style]", "bar_hide=" + *keys.at("Style/bar_hide")}));
        const driver::Window& main = again.Start();
        again.WaitForCounts();
        EXPECT_EQ(main.Bounds(), shown);
    }
}

// Bounds where too little of the window lies on the screen to take hold of it are moved onto the work area, the
// size kept; the settings file stays as it is until the window is next saved. Reachable bounds stay exactly.
TEST(Startup, BoundsOutOfReachComeBackOntoTheScreen)
{
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        std::string left, top, barHide;
        bool moved;
    };
    for (const Case& c : {Case{"5000", "-3000", "0", true}, Case{"-2000", "100", "1", true},
                          Case{"100", "-25", "0", true}, Case{"100", "-25", "1", false},
                          Case{"-340", "100", "0", false}}) {
        SCOPED_TRACE("at " + c.left + ", " + c.top + ", bar_hide=" + c.barHide);
        Session s;
        s.WriteIni(Ini({"[Form]", "Pos.Left=" + c.left, "Pos.Top=" + c.top, "Pos.Width=400", "Pos.Height=260",
                        "[Style]", "bar_hide=" + c.barHide}));
        const std::string before = driver::ReadFileBytes(s.IniPath());
        const driver::Window& main = s.Start();
        s.WaitForCounts();
        const driver::Rect outer = main.Bounds();
        if (c.moved) {
            EXPECT_GE(outer.left, work.left);
            EXPECT_GE(outer.top, work.top);
            EXPECT_LE(outer.right, work.right);
            EXPECT_LE(outer.bottom, work.bottom);
            if (c.barHide == "0") {
                EXPECT_EQ(outer, (driver::Rect{outer.left, outer.top, outer.left + 400, outer.top + 260}));
            }
        } else if (c.barHide == "0") {
            EXPECT_EQ(outer, (driver::Rect{std::stoi(c.left), std::stoi(c.top), std::stoi(c.left) + 400,
                                           std::stoi(c.top) + 260}));
        } else {
            const Metrics m;
            EXPECT_EQ(outer.top, std::stoi(c.top) + m.caption + m.frame) << "the client area where it was";
        }
        EXPECT_EQ(driver::ReadFileBytes(s.IniPath()), before);
    }
}

// "設定" saves the window state first; the dialog's OK re-runs start-up, and the window keeps its place, its modes
// and its selections.
TEST(Startup, SettingsDialogOkKeepsTheWindowInPlace)
{
    Session s;
    s.MakeDir("Docs");
    s.WriteFile("Docs\\a.txt");
    s.WriteFile("Docs\\b.txt");
    s.WriteIni(Ini({"[Form]", "Pos.Left=150", "Pos.Top=120", "Pos.Width=420", "Pos.Height=280"}));
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    s.ChooseFolder("Docs", 2);
    s.ChooseFile("b.txt");
    ASSERT_TRUE(ToggleCaption(main));  // caption-less
    s.Program().OpenPopupMenu(s.Files()).Choose({kOnTopItem});
    ASSERT_TRUE(driver::WaitUntil([&] { return main.IsTopmost(); }, "always on top"));
    const driver::Rect before = main.Bounds();

    s.Program().OpenPopupMenu(s.Files()).Choose({kSettingsItem});
    const driver::Window settings = s.Program().WaitForWindow("TForm4", "設定");
    // The state was written before the dialog opened.
    EXPECT_EQ(IniValue(s.IniPath(), "Style", "bar_hide"), "1");
    EXPECT_EQ(IniValue(s.IniPath(), "Style", "OnTop"), "1");
    settings.Child("Button2").Click();  // OK
    ASSERT_TRUE(s.Program().WaitForWindowGone("TForm4")) << "the settings dialog's OK did not close it";

    ASSERT_TRUE(driver::WaitUntil([&] { return s.Files().Selection() >= 0; }, "the file list refilled"));
    EXPECT_EQ(main.Bounds(), before);
    EXPECT_FALSE(main.HasCaption());
    EXPECT_TRUE(main.IsTopmost());
    EXPECT_EQ(s.Control("Button3").Text(), ">");
    EXPECT_EQ(s.Folders().SelectedText(), "Docs");
    EXPECT_EQ(s.Files().SelectedText(), "b.txt");
    EXPECT_EQ(s.Control("Label2").Text(), "ファイルリスト 2");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

// A settings file that can no longer be written when the program closes: the failure is reported once, with the
// file's path, and the program still ends.
TEST(Startup, UnwritableStateIsReportedOnceAndTheProgramStillCloses)
{
    Session s;
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    // The settings file becomes a folder of the same name: no profile write can succeed.
    ASSERT_TRUE(DeleteFileW(driver::ToWide(s.IniPath()).c_str()));
    driver::MakeDirs(s.IniPath());

    s.Program().Close();
    const driver::MessageDialog box = s.Program().WaitForMessageBox();
    EXPECT_EQ(box.Text(), s.IniPath() + " に書き込めません");
    box.Press("OK");
    ASSERT_TRUE(s.Program().WaitForExit().has_value()) << "the program did not end after the failed write";
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 1);
}

// The shell, the common dialogs and the Internet functions serve single actions: a start without the update check
// loads none of them (the tests of each action prove that it still loads what it needs). COM (ole32) is not checked:
// Wine's input-method support loads it on its own once any window of the process has the focus.
TEST(Startup, LoadsNoneOfTheActionsDllsWithoutTheUpdateCheck)
{
    Session s;
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    const std::set<std::string> loaded = s.Program().LoadedModules();
    std::string names;
    for (const std::string& name : loaded) names += name + " ";
    EXPECT_EQ(loaded.count("user32.dll"), 1u) << names;
    for (const char* dll : {"shell32.dll", "comdlg32.dll", "wininet.dll"}) {
        EXPECT_EQ(loaded.count(dll), 0u) << dll << " is loaded at start: " << names;
    }
}

// A program built without an update host (the release) has no server to ask: with the check switched on it starts
// without a question and never loads the Internet functions.
TEST(Startup, WithoutAnUpdateHostTheCheckAsksNothing)
{
    Session s;
    s.WriteIni({"[Option]", "UpdateCheck=1", "[extension]", "count=1", "ex1=.txt"});
    s.Start();
    s.WaitForCounts();
    EXPECT_EQ(s.Program().LoadedModules().count("wininet.dll"), 0u);
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}
