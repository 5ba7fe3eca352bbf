// The folder list on real folder trees: the base folder under its own name, the folders below it down to the
// configured depth, the fixed folders under their display names, and each entry resolved back to its folder
// (a double click in the folder list shows the full path).
#include "app/MainWindowSupport.h"
#include "driver/Text.h"

#include <chrono>

#include "../../support/FolderLink.h"

using namespace main_window;

namespace {

// The full path that a double click on the folder-list entry shows.
std::string PathShownFor(Session& s, const std::string& entry)
{
    const int index = Session::IndexOf(s.Folders(), entry);
    if (index < 0) {
        ADD_FAILURE() << "no folder-list entry \"" << entry << "\"";
        return "";
    }
    s.Folders().DoubleClickItem(index);
    return s.TakeMessage();
}

// Settings with one fixed folder: its path as stored in F_Folder1 and Name, its display name, and its Name2 value.
std::vector<std::string> FixedFolderIni(const std::string& path, const std::string& name, const std::string& name2,
                                        const std::vector<std::string>& more = {})
{
    std::vector<std::string> lines = {"[FixedFolder Setting]", "count=1", "F_Folder1=" + path, "[Name]",
                                      path + "=" + name, "[Name2]", name + "=" + name2};
    lines.insert(lines.end(), more.begin(), more.end());
    return Ini(lines);
}

}  // namespace

// Base folder Launcher holding Docs, Docs\Old, Docs\Old\2019 and Games, depth 2, one fixed folder elsewhere:
// Docs, Docs\Old, Games, Launcher, Projects/ in sorted order, five entries, each resolving to its folder.
TEST(FolderList, WorkedExampleOnARealTree)
{
    Session s("Launcher");
    s.MakeDir("Docs\\Old\\2019");
    s.MakeDir("Games");
    const std::string projects = s.Temp().MakeDir("Work\\Projects");
    s.WriteIni(FixedFolderIni(projects, "Projects", projects, {"[DirDeep]", "depth=2"}));
    s.Start();
    s.WaitForCounts();

    EXPECT_EQ(s.Folders().Items(), (std::vector<std::string>{"Docs", "Docs\\Old", "Games", "Launcher", "Projects/"}));
    EXPECT_EQ(s.Control("Label1").Text(), "フォルダリスト 5");
    EXPECT_EQ(PathShownFor(s, "Launcher"), s.BaseSlash());
    EXPECT_EQ(PathShownFor(s, "Docs"), s.BaseSlash() + "Docs\\");
    EXPECT_EQ(PathShownFor(s, "Docs\\Old"), s.BaseSlash() + "Docs\\Old\\");
    EXPECT_EQ(PathShownFor(s, "Games"), s.BaseSlash() + "Games\\");
    EXPECT_EQ(PathShownFor(s, "Projects/"), projects + "\\");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 5);
}

// Depth 0 lists the base folder alone (with the fixed folders); depth 1 adds the first level; without the key the
// depth is 2.
TEST(FolderList, DepthLimitsTheWalk)
{
    const auto listed = [](const std::string& depthLine) {
        Session s("Launcher");
        s.MakeDir("Docs\\Old\\2019");
        s.MakeDir("Games");
        const std::string projects = s.Temp().MakeDir("Projects");
        std::vector<std::string> more;
        if (!depthLine.empty()) {
            more = {"[DirDeep]", depthLine};
        }
        s.WriteIni(FixedFolderIni(projects, "Projects", projects, more));
        s.Start();
        s.WaitForCounts();
        return s.Folders().Items();
    };
    EXPECT_EQ(listed("depth=0"), (std::vector<std::string>{"Launcher", "Projects/"}));
    EXPECT_EQ(listed("depth=1"), (std::vector<std::string>{"Docs", "Games", "Launcher", "Projects/"}));
    EXPECT_EQ(listed(""), (std::vector<std::string>{"Docs", "Docs\\Old", "Games", "Launcher", "Projects/"}));
    EXPECT_EQ(listed("depth=-3"), (std::vector<std::string>{"Launcher", "Projects/"}));
}

// A subfolder named like the base folder gives a second "Launcher" entry, which resolves to the base folder too.
TEST(FolderList, SubfolderNamedLikeTheBaseFolder)
{
    Session s("Launcher");
    s.MakeDir("Launcher");
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    ASSERT_EQ(s.Folders().Items(), (std::vector<std::string>{"Launcher", "Launcher"}));
    s.Folders().DoubleClickItem(0);
    EXPECT_EQ(s.TakeMessage(), s.BaseSlash());
    s.Folders().DoubleClickItem(1);
    EXPECT_EQ(s.TakeMessage(), s.BaseSlash());
}

// A base folder whose name holds points keeps them; a folder named 表 (last byte 0x5C) resolves with one backslash.
TEST(FolderList, NamesWithPointsAndDoubleByteBackslashBytes)
{
    Session s("My.Tools.v2");
    s.MakeDir("表");
    s.MakeDir("ソフト");
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    EXPECT_EQ(Session::IndexOf(s.Folders(), "My.Tools.v2") >= 0, true) << ::testing::PrintToString(s.Folders().Items());
    EXPECT_EQ(PathShownFor(s, "My.Tools.v2"), s.BaseSlash());
    EXPECT_EQ(PathShownFor(s, "表"), s.BaseSlash() + "表\\");
    EXPECT_EQ(PathShownFor(s, "ソフト"), s.BaseSlash() + "ソフト\\");
}

// Name2 paths get exactly one trailing backslash whether stored with one or without; a fixed folder without a
// display name is listed as "/"; a display name without a Name2 entry resolves to the base folder.
TEST(FolderList, FixedFolderNamesAndPaths)
{
    Session s("Base");
    const std::string with = s.Temp().MakeDir("With");
    const std::string without = s.Temp().MakeDir("Without");
    s.WriteIni(Ini({"[FixedFolder Setting]", "count=4", "F_Folder1=" + with, "F_Folder2=" + without,
                    "F_Folder3=" + s.Temp().Path() + "\\Nameless", "F_Folder4=X:\\Lost", "[Name]",
                    with + "=Slash", without + "=NoSlash", "X:\\Lost=Lost", "[Name2]", "Slash=" + with + "\\",
                    "NoSlash=" + without}));
    s.Start();
    s.WaitForCounts();
    EXPECT_GE(Session::IndexOf(s.Folders(), "/"), 0) << ::testing::PrintToString(s.Folders().Items());
    EXPECT_EQ(PathShownFor(s, "Slash/"), with + "\\");
    EXPECT_EQ(PathShownFor(s, "NoSlash/"), without + "\\");
    EXPECT_EQ(PathShownFor(s, "Lost/"), s.BaseSlash());
    EXPECT_EQ(s.Control("Label1").Text(), "フォルダリスト 5");
}

// A relative fixed folder lies below the program's folder even when the program is started from another folder:
// the folder list, the file list and the recycle bin's confirmation all get its full path, and the settings dialog
// finds it and keeps it as typed.
TEST(FolderList, RelativeFixedFolderIsTakenFromTheProgramsFolder)
{
    Session s("Base");
    s.MakeDir("Shared\\Docs");
    s.WriteFile("Shared\\Docs\\note.txt");
    const std::string outside = s.Temp().MakeDir("Outside");
    const std::string elsewhere = s.Temp().MakeDir("elsewhere");
    s.WriteIni(Ini({"[FixedFolder Setting]", "count=2", "F_Folder1=Shared\\Docs", "F_Folder2=..\\Outside",
                    "[Name]", "Shared\\Docs=Docs", "..\\Outside=Out", "[Name2]", "Docs=Shared\\Docs",
                    "Out=..\\Outside"}));
    s.Program().Start(elsewhere);
    s.AttachMain();
    s.WaitForCounts();
    EXPECT_EQ(PathShownFor(s, "Docs/"), s.BaseSlash() + "Shared\\Docs\\");
    EXPECT_EQ(PathShownFor(s, "Out/"), outside + "\\");

    s.ChooseFolder("Docs/", 1);
    s.ChooseFile("note.txt");
    s.Program().Press("Del");
    const driver::MessageDialog confirm = s.Program().WaitForMessageBox();
    EXPECT_EQ(confirm.Text(), s.BaseSlash() + "Shared\\Docs\\note.txt" + "をゴミ箱に移動しますか？");
    confirm.Press("いいえ(&N)");

    s.Program().OpenPopupMenu(s.Files()).Choose({kSettingsItem});
    const driver::Window dialog = s.Program().WaitForWindow("TForm4");
    dialog.Child("Edit1").SetText("Shared");
    dialog.Child("Edit2").SetText("S");
    dialog.Child("Button1").Click();
    EXPECT_TRUE(driver::WaitUntil([&] { return dialog.Child("ListBox1").ItemCount() == 3; }, "the folder added"));
    EXPECT_GE(Session::IndexOf(dialog.Child("ListBox1"), "Shared"), 0) << "kept as typed";
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 3) << "the two paths and the confirmation, nothing from the dialog";
    dialog.Child("Button7").Click();
    EXPECT_TRUE(s.Program().WaitForWindowGone("TForm4"));
}

// A symbolic link to the base folder and one to its parent, with a hand-edited depth of 60: the window comes at
// once (walking the loops would take for ever), every real folder is listed once and each link once, unwalked.
TEST(FolderList, LinksBackToTheBaseAndItsParentAreListedOnceAndNotWalked)
{
    Session s("Base");
    s.MakeDir("A\\A1");
    s.MakeDir("B");
    for (const auto& [link, target] : {std::pair<std::string, std::string>{s.InBase("A\\back"), s.Base()},
                                       {s.InBase("up"), s.Temp().Path()}}) {
        if (!test_support::MakeFolderLink(driver::ToWide(link), driver::ToWide(target))) {
            GTEST_SKIP() << "this system cannot make a folder link here";
        }
    }
    s.WriteIni(Ini({"[DirDeep]", "depth=60"}));
    const auto started = std::chrono::steady_clock::now();
    s.Start();
    s.WaitForCounts();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    ::testing::Test::RecordProperty("start_ms", static_cast<int>(took.count()));
    std::vector<std::string> items = s.Folders().Items();
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::string>{"A", "A\\A1", "A\\back", "B", "Base", "up"}));
}

// Counts out of all measure start at once (the lists read only the keys that exist) and negative counts read
// nothing; neither asks anything.
TEST(FolderList, HugeAndNegativeCountsStartQuickly)
{
    {
        Session s;
        s.WriteFile("a.txt");
        s.WriteIni({"[Option]", "UpdateCheck=0", "[FixedFolder Setting]", "count=2147483647", "F_Folder1=C:\\",
                    "[Name]", "C:\\=Root", "[extension]", "count=2147483647", "ex1=.txt"});
        s.Start(driver::kDefaultTimeout);
        s.WaitForCounts();
        const std::vector<std::string> folders = s.Folders().Items();
        EXPECT_GE(Session::IndexOf(s.Folders(), "Root/"), 0) << ::testing::PrintToString(folders);
        EXPECT_LE(folders.size(), 3u) << ::testing::PrintToString(folders);
        EXPECT_GE(Session::IndexOf(s.Files(), "a.txt"), 0);
        EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
    }
    {
        Session s;
        s.WriteFile("a.txt");
        s.WriteIni({"[Option]", "UpdateCheck=0", "[FixedFolder Setting]", "count=-5", "F_Folder1=C:\\",
                    "[extension]", "count=-5", "ex1=.txt"});
        s.Start(driver::kDefaultTimeout);
        EXPECT_EQ(s.WaitForCounts(), "ファイルリスト 0");
        EXPECT_EQ(s.Folders().ItemCount(), 1);
        EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
    }
}

// A folder whose path is longer than 260 characters is left out without a message, and so is everything below it;
// the characters are those of the exact path, however many bytes the code page would need for them.
TEST(FolderList, OverlongPathsAreSkippedSilently)
{
    Session s;
    const std::wstring part(100, L'd');
    // The deep folders are made and removed through the long-path form, which the driver's helpers do not use.
    struct DeepFolders {
        std::vector<std::wstring> made;
        ~DeepFolders()
        {
            for (auto it = made.rbegin(); it != made.rend(); ++it) {
                RemoveDirectoryW(it->c_str());
            }
        }
    } deep;
    std::wstring path = L"\\\\?\\" + std::wstring(s.Base().begin(), s.Base().end());
    for (int level = 0; level < 3; ++level) {  // base + 3 × 101 characters: beyond 260
        path += L"\\" + part;
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << "level " << level;
        deep.made.push_back(path);
    }
    // Levels of 60 kanji (120 bytes each in the code page): three fit in 260 characters, the fourth does not.
    std::string kanji;
    for (int i = 0; i < 60; ++i) kanji += "資";
    const std::string japanese = kanji + "\\" + kanji + "\\" + kanji;
    ASSERT_LT(driver::ToWide(s.BaseSlash() + japanese).size() + 1, 260u);
    ASSERT_GT(driver::ToWide(s.BaseSlash() + japanese + "\\" + kanji).size() + 1, 260u);
    s.MakeDir(japanese);
    path = L"\\\\?\\" + driver::ToWide(s.InBase(japanese)) + L"\\" + driver::ToWide(kanji);
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    deep.made.push_back(path);
    s.MakeDir("Short");
    s.WriteIni(Ini({"[DirDeep]", "depth=5"}));
    s.Start();
    s.WaitForCounts();
    const std::vector<std::string> items = s.Folders().Items();
    EXPECT_GE(Session::IndexOf(s.Folders(), "Short"), 0) << ::testing::PrintToString(items);
    EXPECT_GE(Session::IndexOf(s.Folders(), japanese), 0) << "the third level of kanji";
    for (const std::string& item : items) {
        EXPECT_LT(driver::ToWide(s.BaseSlash() + item).size() + 1, 260u) << item;
    }
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
    s.CloseAndWait();
}
