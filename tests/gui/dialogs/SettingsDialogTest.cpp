// The settings dialog of the running program, driven from outside: its design, the fixed-folder, application and
// extension groups, the spin boxes, the hotkey group, OK (what it writes, how the main window comes back) and Cancel.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/Files.h"
#include "driver/Input.h"
#include "driver/MessageDialog.h"
#include "driver/PopupMenu.h"
#include "driver/Probe.h"
#include "driver/Program.h"
#include "driver/Screenshot.h"
#include "driver/Text.h"
#include "driver/Text.h"
#include "driver/Wait.h"
#include "driver/Window.h"

namespace {

using driver::Window;
using Strings = std::vector<std::string>;

// Position of "設定" in the main window's popup menu.
constexpr int kSettingsItem = 9;

// The lines of a file in code page 932 (CR LF separated), in UTF-8, blank lines left out.
Strings LinesOf(const std::string& bytes) {
    Strings lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) end = bytes.size();
        if (end > pos) lines.push_back(driver::FromCodePage932(bytes.substr(pos, end - pos)));
        pos = end + 2;
    }
    return lines;
}

class SettingsDialogTest : public ::testing::Test {
protected:
    // Starts the program on a settings file of these lines (the update check off unless the lines say otherwise).
    Window StartWith(const Strings& lines) {
        dir.WriteIni(lines);
        return program.Start();
    }

    // Opens "設定" from the main window's popup menu and returns the dialog.
    Window OpenSettings(const Window& main) {
        program.OpenPopupMenu(main).Choose({kSettingsItem});
        return program.WaitForWindow("TForm4");
    }

    // Clicks a button that must answer with a plain message box; returns its text and closes it.
    std::string MessageAfterClicking(const Window& button) {
        button.Click();
        driver::MessageDialog box = program.WaitForMessageBox();
        EXPECT_EQ(box.Caption(), "Tessaly");
        const std::string text = box.Text();
        box.Press("OK");
        return text;
    }

    // Waits until a list shows exactly these items.
    ::testing::AssertionResult ListShows(const Window& list, const Strings& items) {
        // The program may be between the two steps of an exchange while the list is read; the driver's reading
        // begins again when an item goes under it, and a reading between the steps is simply not yet the list.
        auto result = driver::WaitUntil([&] { return list.Items() == items; }, list.Name() + " showing the items");
        if (!result) {
            result << "; it shows:";
            for (const std::string& item : list.Items()) result << " [" << item << "]";
        }
        return result;
    }

    // Adds a fixed folder in the dialog, the first one: the two lists then show it alone.
    ::testing::AssertionResult AddFirstFixedFolder(const Window& dialog, const std::string& path,
                                                   const std::string& name) {
        dialog.Child("Edit1").SetText(path);
        dialog.Child("Edit2").SetText(name);
        dialog.Child("Button1").Click();
        auto result = ListShows(dialog.Child("ListBox1"), {path});
        return result ? ListShows(dialog.Child("ListBox2"), {name}) : result;
    }

    // Clicks the entry of the main window's folder list that reads exactly entry.
    static ::testing::AssertionResult ClickFolderEntry(const Window& main, const std::string& entry) {
        Window folders = main.Child("ListBox2");
        const Strings entries = folders.Items();
        const auto found = std::find(entries.begin(), entries.end(), entry);
        if (found == entries.end()) return ::testing::AssertionFailure() << "no folder-list entry " << entry;
        folders.ClickItem(static_cast<int>(found - entries.begin()));
        return ::testing::AssertionSuccess();
    }

    std::string IniPath() const { return dir / "Tessaly.ini"; }
    Strings IniLines() const { return LinesOf(dir.Read("Tessaly.ini")); }
    bool IniHolds(const std::string& line) const {
        const Strings lines = IniLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // Waits until the settings file holds exactly these lines. OK without an extension writes only after its
    // message box has been closed, so the file may still be unwritten (or missing) when the box has gone.
    ::testing::AssertionResult IniShows(const Strings& lines) {
        auto read = [&]() -> Strings {
            try {
                return IniLines();
            } catch (const driver::DriverError&) {
                return {"(no file)"};
            }
        };
        auto result = driver::WaitUntil([&] { return read() == lines; }, "the settings file holding the lines");
        if (!result) {
            result << "; it holds:";
            for (const std::string& line : read()) result << " [" << line << "]";
        }
        return result;
    }

    // The dialog has closed and the main window is usable again.
    ::testing::AssertionResult DialogClosed() {
        auto gone = program.WaitForWindowGone("TForm4");
        if (!gone) return gone;
        return driver::WaitUntil([&] { return program.MainWindow().IsEnabled(); }, "the main window enabled");
    }

    driver::TempDir dir;
    driver::Program program{dir.Path()};
};

// ------------------------------------------------------------------------------------------------------ design

TEST_F(SettingsDialogTest, DesignCaptionsSizeAndTabOrder) {
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0"});
    Window dialog = OpenSettings(main);

    EXPECT_EQ(dialog.Text(), "設定");
    EXPECT_EQ(dialog.ClientRect().Width(), 714);
    EXPECT_EQ(dialog.ClientRect().Height(), 373);
    EXPECT_TRUE(dialog.HasCaption());
    EXPECT_FALSE(dialog.HasStyle(WS_SYSMENU)) << "the dialog must have no system menu and no close box";
    EXPECT_FALSE(dialog.HasStyle(WS_THICKFRAME));

    const std::vector<std::pair<const char*, const char*>> captions = {
        {"CheckBox1", "アップデートチェックを有効にする"}, {"GroupBox5", "ディレクトリの深さ"},
        {"Label13", "検索するディレクトリの深さ"}, {"GroupBox3", "水平スクロールバーの長さ"},
        {"Label6", "フォルダリスト"}, {"Label8", "倍"}, {"Label7", "ファイルリスト"}, {"Label9", "倍"},
        {"GroupBox1", "固定フォルダ設定"}, {"Label1", "フルパス"}, {"Button6", "参照"}, {"Label4", "表示名"},
        {"Button1", "追加"}, {"Label2", "固定フォルダリスト"}, {"Button3", "削除"},
        {"GroupBox4", "アプリケーション"}, {"Label10", "フルパス"}, {"Button10", "参照"}, {"Label11", "表示名"},
        {"Button8", "追加"}, {"Label12", "アプリケーションリスト"}, {"Button11", "↑"}, {"Button12", "↓"},
        {"Button9", "削除"}, {"GroupBox2", "拡張子"}, {"Label3", "登録する拡張子"}, {"Button4", "追加"},
        {"Label5", "登録済みの拡張子"}, {"Button5", "削除"}, {"Button2", "OK"}, {"Button13", "ヘルプ"},
        {"Button7", "キャンセル"}, {"GroupBox6", "ホットキーと通知領域"}, {"Label14", "ホットキー"},
        {"CheckBox2", "通知領域に常駐する"}};
    for (const auto& [name, caption] : captions) EXPECT_EQ(dialog.Child(name).Text(), caption) << name;

    // Group boxes and the bottom row at their design places in the client area.
    const driver::Rect client = dialog.ClientBounds();
    auto placeOf = [&](const char* name) {
        driver::Rect r = dialog.Child(name).Bounds();
        return driver::Rect{r.left - client.left, r.top - client.top, r.right - client.left, r.bottom - client.top};
    };
    EXPECT_EQ(placeOf("GroupBox5"), (driver::Rect{272, 8, 272 + 241, 8 + 65}));
    EXPECT_EQ(placeOf("GroupBox3"), (driver::Rect{528, 8, 528 + 177, 8 + 65}));
    EXPECT_EQ(placeOf("GroupBox1"), (driver::Rect{8, 88, 8 + 257, 88 + 185}));
    EXPECT_EQ(placeOf("GroupBox4"), (driver::Rect{272, 88, 272 + 249, 88 + 185}));
    EXPECT_EQ(placeOf("GroupBox2"), (driver::Rect{528, 88, 528 + 177, 88 + 185}));
    EXPECT_EQ(placeOf("Button2"), (driver::Rect{432, 288, 432 + 81, 288 + 20}));
    EXPECT_EQ(placeOf("Button13"), (driver::Rect{528, 288, 528 + 81, 288 + 20}));
    EXPECT_EQ(placeOf("Button7"), (driver::Rect{624, 288, 624 + 81, 288 + 20}));
    // The hotkey group below them, across the dialog's width, with the system's hotkey control.
    EXPECT_EQ(placeOf("GroupBox6"), (driver::Rect{8, 316, 8 + 697, 316 + 49}));
    EXPECT_EQ(dialog.Child("HotKey1").ClassName(), "msctls_hotkey32");

    // Tab order: the tab stops of each container in the system's order of its children.
    auto tabStops = [&](const Window& container) {
        Strings names;
        for (const Window& w : container.Descendants()) {
            if (w.Parent() == container && w.HasStyle(WS_TABSTOP) && !w.Name().empty()) names.push_back(w.Name());
        }
        return names;
    };
    EXPECT_EQ(tabStops(dialog), (Strings{"CheckBox1", "GroupBox5", "GroupBox3", "GroupBox1", "GroupBox4",
                                         "GroupBox2", "Button2", "Button13", "Button7", "GroupBox6"}));
    EXPECT_EQ(tabStops(dialog.Child("GroupBox3")), (Strings{"SpinEdit1", "SpinEdit2"}));
    EXPECT_EQ(tabStops(dialog.Child("GroupBox1")),
              (Strings{"Button6", "Edit1", "Edit2", "Button1", "ListBox1", "ListBox2", "Button3"}));
    EXPECT_EQ(tabStops(dialog.Child("GroupBox4")), (Strings{"Button10", "Edit4", "Edit5", "Button8", "ListBox4",
                                                            "ListBox5", "Button11", "Button12", "Button9"}));
    EXPECT_EQ(tabStops(dialog.Child("GroupBox2")), (Strings{"Edit3", "Button4", "ListBox3", "Button5"}));
    EXPECT_EQ(tabStops(dialog.Child("GroupBox6")), (Strings{"HotKey1", "CheckBox2"}));

    // Help without a help file says so.
    EXPECT_EQ(MessageAfterClicking(dialog.Child("Button13")), "ヘルプファイル\"HELP.HLP\"が存在しません。");
}

// ------------------------------------------------------------------------------------------------ fixed folders

TEST_F(SettingsDialogTest, FixedFoldersRefuseInOrderAndKeepThePairsInStep) {
    const std::string docs = dir.MakeDir("資料");
    const std::string tools = dir.MakeDir("道具箱");
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0"});
    Window dialog = OpenSettings(main);
    Window path = dialog.Child("Edit1"), name = dialog.Child("Edit2"), add = dialog.Child("Button1");
    Window paths = dialog.Child("ListBox1"), names = dialog.Child("ListBox2"), remove = dialog.Child("Button3");

    // Each test in its turn: both boxes empty names the path first; a missing folder with an empty name names
    // the name first.
    EXPECT_EQ(MessageAfterClicking(add), "固定フォルダパスが設定されていません。");
    path.SetText(dir / "無い");
    EXPECT_EQ(MessageAfterClicking(add), "表示名が設定されていません。");
    name.SetText("無い");
    EXPECT_EQ(MessageAfterClicking(add), "指定されたフォルダは存在しません");
    EXPECT_EQ(MessageAfterClicking(remove), "選択してください");

    path.SetText(docs);
    name.SetText("書類");
    add.Click();
    ASSERT_TRUE(ListShows(paths, {docs}));
    ASSERT_TRUE(ListShows(names, {"書類"}));
    EXPECT_EQ(path.Text(), "");
    EXPECT_EQ(name.Text(), "");

    // The same path in other letter case, with a name already used: the path is named first.
    std::string upper = docs;
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    path.SetText(upper);
    name.SetText("書類");
    EXPECT_EQ(MessageAfterClicking(add), "すでに登録されています。");
    // A name in use is refused for another path, before the folder's existence is tested.
    path.SetText(tools);
    EXPECT_EQ(MessageAfterClicking(add), "同じ表示名を複数使用することは出来ません。");
    path.SetText(dir / "無い");
    EXPECT_EQ(MessageAfterClicking(add), "同じ表示名を複数使用することは出来ません。");

    path.SetText(tools);
    name.SetText("道具");
    add.Click();
    ASSERT_TRUE(ListShows(paths, (Strings{docs, tools})));
    ASSERT_TRUE(ListShows(names, (Strings{"書類", "道具"})));

    // Selecting in either list selects the partner and shows the pair in the boxes.
    names.ClickItem(1);
    EXPECT_TRUE(driver::WaitUntil([&] { return paths.Selection() == 1; }, "ListBox1 following to entry 1"));
    EXPECT_EQ(path.Text(), tools);
    EXPECT_EQ(name.Text(), "道具");
    paths.ClickItem(0);
    EXPECT_TRUE(driver::WaitUntil([&] { return names.Selection() == 0; }, "ListBox2 following to entry 0"));
    EXPECT_EQ(path.Text(), docs);
    EXPECT_EQ(name.Text(), "書類");

    remove.Click();
    ASSERT_TRUE(ListShows(paths, {tools}));
    ASSERT_TRUE(ListShows(names, {"道具"}));

    // OK writes the pair both ways and the main window lists the folder under its name.
    dialog.Child("Button2").Click();
    ASSERT_TRUE(DialogClosed());
    const Strings lines = IniLines();
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("count=1"));
    EXPECT_TRUE(has("F_Folder1=" + tools));
    EXPECT_TRUE(has(tools + "=道具"));
    EXPECT_TRUE(has("道具=" + tools));
    Window folders = main.Child("ListBox2");
    EXPECT_TRUE(driver::WaitUntil(
        [&] {
            Strings items = folders.Items();
            return std::find(items.begin(), items.end(), "道具/") != items.end();
        },
        "the folder list holding 道具/"));
}

// ------------------------------------------------------------------------------------------------- applications

TEST_F(SettingsDialogTest, ApplicationsRefuseTheSamePathAndMoveBothListsTogether) {
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0"});
    Window dialog = OpenSettings(main);
    Window path = dialog.Child("Edit4"), name = dialog.Child("Edit5"), add = dialog.Child("Button8");
    Window paths = dialog.Child("ListBox4"), names = dialog.Child("ListBox5");
    Window up = dialog.Child("Button11"), down = dialog.Child("Button12"), remove = dialog.Child("Button9");
    // A click whose refusal proves that the clicks posted before it have been handled.
    auto settle = [&] { EXPECT_EQ(MessageAfterClicking(dialog.Child("Button4")), "何も入力されていません"); };

    EXPECT_EQ(MessageAfterClicking(remove), "選択してください");

    const int boxesBefore = program.MessageBoxesSeen();
    path.SetText("C:\\Tools\\Editor.exe");
    add.Click();  // no display name: nothing, silently
    settle();
    EXPECT_EQ(paths.ItemCount(), 0);
    EXPECT_EQ(program.MessageBoxesSeen(), boxesBefore + 1) << "only the settling refusal may have been shown";

    name.SetText("エディタ");
    add.Click();
    ASSERT_TRUE(ListShows(paths, {"C:\\Tools\\Editor.exe"}));
    path.SetText("c:\\tools\\EDITOR.EXE");
    name.SetText("別名");
    EXPECT_EQ(MessageAfterClicking(add), "すでに登録されています。");
    path.SetText("C:\\Tools\\Viewer.exe");
    name.SetText("エディタ");  // the same display name is allowed
    add.Click();
    ASSERT_TRUE(ListShows(paths, (Strings{"C:\\Tools\\Editor.exe", "C:\\Tools\\Viewer.exe"})));
    path.SetText("C:\\Tools\\Third.exe");
    name.SetText("三番");
    add.Click();
    ASSERT_TRUE(ListShows(paths, (Strings{"C:\\Tools\\Editor.exe", "C:\\Tools\\Viewer.exe", "C:\\Tools\\Third.exe"})));
    ASSERT_TRUE(ListShows(names, (Strings{"エディタ", "エディタ", "三番"})));

    // "↑" on the first and "↓" on the last do nothing.
    // ClickItem reads where an item is when it is called, ahead of the clicks still queued for the program; the
    // click on one list scrolls the other to the followed entry, so each click's following is waited for before
    // the next list is clicked, or the next click lands on whatever entry that scrolling brings under it.
    paths.ClickItem(0);
    ASSERT_TRUE(driver::WaitUntil([&] { return names.Selection() == 0; }, "ListBox5 following to entry 0"));
    up.Click();
    settle();
    EXPECT_EQ(paths.Items(), (Strings{"C:\\Tools\\Editor.exe", "C:\\Tools\\Viewer.exe", "C:\\Tools\\Third.exe"}));
    EXPECT_EQ(names.Items(), (Strings{"エディタ", "エディタ", "三番"}));
    EXPECT_EQ(paths.Selection(), 0);
    names.ClickItem(2);
    ASSERT_TRUE(driver::WaitUntil([&] { return paths.Selection() == 2; }, "ListBox4 following to entry 2"));
    down.Click();
    settle();
    EXPECT_EQ(paths.Items(), (Strings{"C:\\Tools\\Editor.exe", "C:\\Tools\\Viewer.exe", "C:\\Tools\\Third.exe"}));
    EXPECT_EQ(names.Items(), (Strings{"エディタ", "エディタ", "三番"}));
    EXPECT_EQ(paths.Selection(), 2);
    EXPECT_EQ(names.Selection(), 2);

    // An exchange moves both lists; the selection stays at its position.
    paths.ClickItem(1);
    down.Click();
    ASSERT_TRUE(ListShows(paths, (Strings{"C:\\Tools\\Editor.exe", "C:\\Tools\\Third.exe", "C:\\Tools\\Viewer.exe"})));
    ASSERT_TRUE(ListShows(names, (Strings{"エディタ", "三番", "エディタ"})));
    EXPECT_EQ(paths.Selection(), 1);
    EXPECT_EQ(names.Selection(), 1);
    up.Click();
    ASSERT_TRUE(ListShows(paths, (Strings{"C:\\Tools\\Third.exe", "C:\\Tools\\Editor.exe", "C:\\Tools\\Viewer.exe"})));
    ASSERT_TRUE(ListShows(names, (Strings{"三番", "エディタ", "エディタ"})));

    // A double click shows the full path; a click fills the boxes.
    paths.DoubleClickItem(0);
    driver::MessageDialog box = program.WaitForMessageBox();
    EXPECT_EQ(box.Text(), "C:\\Tools\\Third.exe");
    box.Press("OK");
    EXPECT_EQ(path.Text(), "C:\\Tools\\Third.exe");
    EXPECT_EQ(name.Text(), "三番");

    // Deleting takes the pair.
    names.ClickItem(2);
    remove.Click();
    ASSERT_TRUE(ListShows(paths, (Strings{"C:\\Tools\\Third.exe", "C:\\Tools\\Editor.exe"})));
    ASSERT_TRUE(ListShows(names, (Strings{"三番", "エディタ"})));

    dialog.Child("Button2").Click();
    ASSERT_TRUE(DialogClosed());
    const Strings lines = IniLines();
    auto section = [&](const std::string& name) {
        Strings out;
        bool in = false;
        for (const std::string& line : lines) {
            if (!line.empty() && line[0] == '[') in = line == "[" + name + "]";
            else if (in) out.push_back(line);
        }
        return out;
    };
    EXPECT_EQ(section("Aplication"),
              (Strings{"count=2", "Aplication0=C:\\Tools\\Third.exe", "Aplication1=C:\\Tools\\Editor.exe"}));
    EXPECT_EQ(section("Aplication2"), (Strings{"Aplication0=三番", "Aplication1=エディタ"}));
}

// --------------------------------------------------------------------------------------------------- extensions

// A fixed folder and an application whose paths the code page cannot hold are taken as typed, kept exactly in the
// settings file and, after a restart, listed and started exactly.
TEST_F(SettingsDialogTest, PathsTheCodePageCannotHoldAreKeptExactlyThroughARestart) {
    const std::string folder = dir.MakeDir("자료 café");
    dir.WriteFile("자료 café\\보고서.txt", "report");
    const std::string application = driver::CopyProbe(dir.MakeDir("한글"), "도구.exe");
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0"});
    Window dialog = OpenSettings(main);
    ASSERT_TRUE(AddFirstFixedFolder(dialog, folder, "자료"));
    dialog.Child("Edit4").SetText(application);
    dialog.Child("Edit5").SetText("도구 ①");
    dialog.Child("Button8").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox4"), {application}));
    dialog.Child("Button2").Click();
    ASSERT_TRUE(DialogClosed());
    for (const std::string& line : IniLines()) EXPECT_EQ(line.find('?'), std::string::npos) << line;

    program.Close();
    ASSERT_TRUE(program.WaitForExit().has_value());
    driver::Program again{dir.Path()};
    main = again.Start();
    ASSERT_TRUE(ClickFolderEntry(main, "자료/"));
    Window files = main.Child("ListBox1");
    ASSERT_TRUE(driver::WaitUntil([&] { return files.Items() == Strings{"보고서.txt"}; }, "the fixed folder's file"));
    files.ClickItem(0);
    ASSERT_TRUE(driver::WaitUntil([&] { return files.Selection() == 0; }, "the file selected"));
    // The menu shows the exact caption (captions are not readable from another process: the screenshot shows it).
    driver::PopupMenu::OpenOn(files).Highlight({1, 0});
    driver::Screenshot("settings_exact_application_caption");
    driver::PopupMenu::Current(again.ProcessId()).Dismiss();
    driver::PopupMenu::OpenOn(files).Choose({1, 0});
    const driver::ProbeRecord run = driver::TakeProbeLog(application);
    EXPECT_NE(run.commandLine.find("\"" + driver::JoinPath(folder, "보고서.txt") + "\""), std::string::npos)
        << run.commandLine;
    again.OpenPopupMenu(main).Choose({kSettingsItem});
    Window settings = again.WaitForWindow("TForm4");
    EXPECT_EQ(settings.Child("ListBox1").Items(), Strings{folder});
    EXPECT_EQ(settings.Child("ListBox5").Items(), Strings{"도구 ①"});
    settings.Child("Button7").Click();
    EXPECT_TRUE(again.WaitForWindowGone("TForm4"));
}

// A display name and a path with "=" are keys of Name2 and Name that the profile format cannot hold as they are:
// the fixed folder keeps its entry through OK and a restart, and the entry leads to the folder, not to the base.
TEST_F(SettingsDialogTest, ADisplayNameAndAPathWithAnEqualsSignKeepTheirFolderThroughARestart) {
    const std::string folder = dir.MakeDir("a=b");
    dir.WriteFile("a=b\\old.txt", "old");
    dir.WriteFile("base.txt", "base");
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0"});
    Window dialog = OpenSettings(main);
    ASSERT_TRUE(AddFirstFixedFolder(dialog, folder, "2024=old"));
    dialog.Child("Button2").Click();
    ASSERT_TRUE(DialogClosed());
    const Strings lines = IniLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "|utf-8|2024%3Dold=" + folder), lines.end());

    program.Close();
    ASSERT_TRUE(program.WaitForExit().has_value());
    driver::Program again{dir.Path()};
    main = again.Start();
    ASSERT_TRUE(ClickFolderEntry(main, "2024=old/")) << "the fixed folder's entry is gone";
    Window files = main.Child("ListBox1");
    EXPECT_TRUE(driver::WaitUntil([&] { return files.Items() == Strings{"old.txt"}; }, "the fixed folder's file"))
        << "the entry does not lead to its folder";
    again.OpenPopupMenu(main).Choose({kSettingsItem});
    Window settings = again.WaitForWindow("TForm4");
    EXPECT_EQ(settings.Child("ListBox1").Items(), Strings{folder});
    EXPECT_EQ(settings.Child("ListBox2").Items(), Strings{"2024=old"});
    settings.Child("Button7").Click();
    EXPECT_TRUE(again.WaitForWindowGone("TForm4"));
}

TEST_F(SettingsDialogTest, ExtensionsRefuseDuplicatesIgnoringCaseAndAskAboutAllFiles) {
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0"});
    Window dialog = OpenSettings(main);
    Window box = dialog.Child("Edit3"), add = dialog.Child("Button4"), list = dialog.Child("ListBox3");
    Window remove = dialog.Child("Button5");
    ASSERT_TRUE(ListShows(list, {".txt"}));

    EXPECT_EQ(MessageAfterClicking(add), "何も入力されていません");
    box.SetText("TXT");
    EXPECT_EQ(MessageAfterClicking(add), "すでに登録されています。");

    // Delete with nothing selected does nothing; with a selection it deletes.
    remove.Click();
    list.ClickItem(0);
    remove.Click();
    ASSERT_TRUE(ListShows(list, {}));

    // "*" into an empty list asks all the same; No leaves ".*" alone.
    box.SetText("*");
    add.Click();
    driver::MessageDialog question = program.WaitForMessageBox();
    EXPECT_EQ(question.Caption(), "警告");
    EXPECT_EQ(question.Text(), "「*」以外の拡張子を削除しなければファイルが二重に表示されてしまいます。\n\r"
                               "「*」以外の全ての登録拡張子を削除しますか？");
    EXPECT_EQ(question.Buttons(), (Strings{"はい(&Y)", "いいえ(&N)"}));
    question.Press("いいえ(&N)");
    ASSERT_TRUE(ListShows(list, {".*"}));
    EXPECT_EQ(box.Text(), "");

    // Another extension beside ".*" asks nothing.
    const int boxesBefore = program.MessageBoxesSeen();
    box.SetText("txt");
    add.Click();
    ASSERT_TRUE(ListShows(list, (Strings{".*", ".txt"})));
    EXPECT_EQ(program.MessageBoxesSeen(), boxesBefore);

    // "*" with two others and Yes leaves ".*" alone.
    list.ClickItem(0);
    remove.Click();
    ASSERT_TRUE(ListShows(list, {".txt"}));
    box.SetText(".pdf");
    add.Click();
    ASSERT_TRUE(ListShows(list, (Strings{".txt", ".pdf"})));
    box.SetText("*");
    add.Click();
    program.WaitForMessageBox().Press("はい(&Y)");
    ASSERT_TRUE(ListShows(list, {".*"}));

    // ".*" typed asks with its own text; No keeps the others beside it.
    list.ClickItem(0);
    remove.Click();
    box.SetText("csv");
    add.Click();
    ASSERT_TRUE(ListShows(list, {".csv"}));
    box.SetText(".*");
    add.Click();
    question = program.WaitForMessageBox();
    EXPECT_EQ(question.Text(), "「*」以外の拡張子を削除しなければファイルが二つ表示されてしまいます。\n\r"
                               "「*」以外の全ての登録拡張子を削除しますか？");
    question.Press("いいえ(&N)");
    ASSERT_TRUE(ListShows(list, (Strings{".csv", ".*"})));
}

// --------------------------------------------------------------------------------------------------- spin boxes

TEST_F(SettingsDialogTest, SpinBoxesClampWhatTheFileAndTheUserGiveThemAndOkWritesTheClampedValues) {
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0", "[DirDeep]",
                             "depth=25", "[ScrollBar]", "FolderList=0", "FileList=abc"});
    Window dialog = OpenSettings(main);
    Window depth = dialog.Child("SpinEdit3"), folderScroll = dialog.Child("SpinEdit1");
    Window fileScroll = dialog.Child("SpinEdit2");
    EXPECT_EQ(depth.Text(), "10");
    EXPECT_EQ(folderScroll.Text(), "1");
    EXPECT_EQ(fileScroll.Text(), "2") << "a value that is no number reads as the default";
    EXPECT_FALSE(dialog.Child("CheckBox1").IsChecked());

    // Typed text is put back in range when the box loses the focus.
    fileScroll.Click();
    fileScroll.SetText("99");
    dialog.Child("Edit3").Click();
    EXPECT_TRUE(driver::WaitUntil([&] { return fileScroll.Text() == "10"; }, "SpinEdit2 showing 10"));

    dialog.Child("Button2").Click();
    ASSERT_TRUE(DialogClosed());
    const Strings lines = IniLines();
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("depth=10"));
    EXPECT_TRUE(has("FolderList=1"));
    EXPECT_TRUE(has("FileList=10"));
    EXPECT_TRUE(has("UpdateCheck=0"));
}

// ------------------------------------------------------------------------------------------------ OK and Cancel

TEST_F(SettingsDialogTest, OkOnTheFirstRunWritesTheDesignValuesAndStartsTheProgram) {
    dir.WriteFile("a.txt", "a");
    driver::MessageDialog ask = program.StartExpectingMessageBox();
    EXPECT_EQ(ask.Text(), "拡張子を設定してください。");
    ask.Press("OK");
    Window dialog = program.WaitForWindow("TForm4");
    EXPECT_TRUE(dialog.Child("CheckBox1").IsChecked());
    EXPECT_EQ(dialog.Child("SpinEdit1").Text(), "1");
    EXPECT_EQ(dialog.Child("SpinEdit2").Text(), "1");
    EXPECT_EQ(dialog.Child("SpinEdit3").Text(), "0");
    for (const char* list : {"ListBox1", "ListBox2", "ListBox3", "ListBox4", "ListBox5"})
        EXPECT_EQ(dialog.Child(list).ItemCount(), 0) << list;

    dialog.Child("Edit3").SetText("txt");
    dialog.Child("Button4").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox3"), {".txt"}));
    dialog.Child("Button2").Click();
    ASSERT_TRUE(program.WaitForWindowGone("TForm4"));

    EXPECT_EQ(IniLines(), (Strings{"[FixedFolder Setting]", "count=0", "[Aplication]", "count=0", "[extension]",
                                   "count=1", "ex1=.txt", "[ScrollBar]", "FolderList=1", "FileList=1", "[Option]",
                                   "UpdateCheck=1", "HotKey=", "TaskTray=0", "[DirDeep]", "depth=0"}));
    Window main = program.MainWindow();
    EXPECT_TRUE(driver::WaitUntil([&] { return main.Child("ListBox1").Items() == Strings{"a.txt"}; },
                                  "the file list showing a.txt"));
    EXPECT_EQ(main.Child("Label2").Text(), "ファイルリスト 1");
    EXPECT_TRUE(main.HasCaption());
}

TEST_F(SettingsDialogTest, OkWithoutAnExtensionWritesCountZeroAndStaysOpen) {
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0", "[DirDeep]",
                             "depth=3"});
    Window dialog = OpenSettings(main);
    // The window state written when the dialog opened stays; only the extension count changes.
    Strings expected = IniLines();
    for (std::size_t i = 0; i + 1 < expected.size(); ++i)
        if (expected[i] == "[extension]") expected[i + 1] = "count=0";

    Window list = dialog.Child("ListBox3");
    list.ClickItem(0);
    dialog.Child("Button5").Click();
    ASSERT_TRUE(ListShows(list, {}));
    dialog.Child("Edit4").SetText("C:\\Tools\\Editor.exe");
    dialog.Child("Edit5").SetText("エディタ");
    dialog.Child("Button8").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox4"), {"C:\\Tools\\Editor.exe"}));

    EXPECT_EQ(MessageAfterClicking(dialog.Child("Button2")), "拡張子が設定されていません。設定してください。");
    EXPECT_TRUE(IniShows(expected));
    EXPECT_TRUE(dialog.IsVisible());
    EXPECT_EQ(dialog.Child("ListBox4").Items(), (Strings{"C:\\Tools\\Editor.exe"}));
}

TEST_F(SettingsDialogTest, OkWithoutAnExtensionOnTheFirstRunCreatesTheFile) {
    program.StartExpectingMessageBox().Press("OK");
    Window dialog = program.WaitForWindow("TForm4");
    EXPECT_EQ(MessageAfterClicking(dialog.Child("Button2")), "拡張子が設定されていません。設定してください。");
    EXPECT_TRUE(IniShows({"[extension]", "count=0"}));
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(SettingsDialogTest, CancelAfterEditsLeavesTheFileUnchanged) {
    const std::string docs = dir.MakeDir("資料");
    Window main = StartWith({"[extension]", "count=2", "ex1=.txt", "ex2=.pdf", "[Option]", "UpdateCheck=0",
                             "[Aplication]", "count=1", "Aplication0=C:\\a.exe", "[Aplication2]",
                             "Aplication0=エー"});
    Window dialog = OpenSettings(main);
    const std::string before = dir.Read("Tessaly.ini");

    dialog.Child("Edit1").SetText(docs);
    dialog.Child("Edit2").SetText("資料");
    dialog.Child("Button1").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox1"), {docs}));
    dialog.Child("ListBox3").ClickItem(0);
    dialog.Child("Button5").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox3"), {".pdf"}));
    dialog.Child("ListBox4").ClickItem(0);
    dialog.Child("Button9").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox4"), {}));
    dialog.Child("SpinEdit3").SetText("7");
    dialog.Child("CheckBox1").Click();
    EXPECT_TRUE(driver::WaitUntil([&] { return dialog.Child("CheckBox1").IsChecked(); }, "the check box ticked"));

    dialog.Child("Button7").Click();
    ASSERT_TRUE(DialogClosed());
    EXPECT_EQ(dir.Read("Tessaly.ini"), before);
}

// The hotkey group: the system's hotkey control shows the combination of the file (which may name Win, which the
// control cannot show), the check box the notification-area setting; Cancel discards what was pressed and ticked,
// OK without a change keeps the combination whole, and OK writes a combination pressed in the control.
TEST_F(SettingsDialogTest, TheHotKeyGroupLoadsSavesAndCancelDiscards) {
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0",
                             "HotKey=win+ctrl+alt+k", "TaskTray=1"});
    Window dialog = OpenSettings(main);
    auto shown = [](const Window& dialogNow) {
        return static_cast<unsigned>(driver::SendW(dialogNow.Child("HotKey1").Handle(), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    };
    EXPECT_EQ(shown(dialog), static_cast<unsigned>(((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | 'K'));
    EXPECT_TRUE(dialog.Child("CheckBox2").IsChecked());
    const std::string before = dir.Read("Tessaly.ini");

    // Pressed in the control, as a user sets a combination.
    auto press = [&](const Window& dialogNow, const std::string& chord, unsigned expected) {
        const Window control = dialogNow.Child("HotKey1");
        control.Click();
        EXPECT_TRUE(driver::WaitUntil([&] { return program.FocusedWindow() == control; }, "the hotkey control focused"));
        driver::PressKeys(control, chord);
        return driver::WaitUntil([&] { return shown(dialogNow) == expected; }, "the control showing " + chord);
    };
    const unsigned ctrlShiftF7 = ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8) | VK_F7;
    ASSERT_TRUE(press(dialog, "Ctrl+Shift+F7", ctrlShiftF7));
    dialog.Child("CheckBox2").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return !dialog.Child("CheckBox2").IsChecked(); }, "the check box cleared"));
    dialog.Child("Button7").Click();  // キャンセル
    ASSERT_TRUE(DialogClosed());
    EXPECT_EQ(dir.Read("Tessaly.ini"), before);

    dialog = OpenSettings(main);
    dialog.Child("Button2").Click();  // OK, nothing changed
    ASSERT_TRUE(DialogClosed());
    EXPECT_TRUE(IniHolds("HotKey=Ctrl+Alt+Win+K"));
    EXPECT_TRUE(IniHolds("TaskTray=1"));

    dialog = OpenSettings(main);
    ASSERT_TRUE(press(dialog, "Ctrl+Shift+F7", ctrlShiftF7));
    dialog.Child("CheckBox2").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return !dialog.Child("CheckBox2").IsChecked(); }, "the check box cleared"));
    dialog.Child("Button2").Click();  // OK
    ASSERT_TRUE(DialogClosed());
    EXPECT_TRUE(IniHolds("HotKey=Ctrl+Shift+F7"));
    EXPECT_TRUE(IniHolds("TaskTray=0"));
    EXPECT_EQ(program.MessageBoxesSeen(), 0);
}

TEST_F(SettingsDialogTest, AfterOkTheMainWindowKeepsItsPlaceModesAndSelections) {
    dir.MakeDir("sub");
    dir.WriteFile("sub\\b.txt", "b");
    dir.WriteFile("sub\\c.txt", "c");
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0", "[DirDeep]",
                             "depth=1", "[Form]", "Pos.Left=150", "Pos.Top=120", "Pos.Width=420", "Pos.Height=260",
                             "[Style]", "bar_hide=1", "OnTop=1"});
    Window folders = main.Child("ListBox2"), files = main.Child("ListBox1");
    const int sub = [&] {
        Strings items = folders.Items();
        return static_cast<int>(std::find(items.begin(), items.end(), "sub") - items.begin());
    }();
    ASSERT_LT(sub, folders.ItemCount());
    folders.ClickItem(sub);
    ASSERT_TRUE(ListShows(files, (Strings{"b.txt", "c.txt"})));
    files.ClickItem(1);
    ASSERT_TRUE(driver::WaitUntil([&] { return files.Selection() == 1; }, "c.txt selected"));
    const driver::Rect bounds = main.Bounds();
    ASSERT_FALSE(main.HasCaption());
    EXPECT_TRUE(main.IsTopmost()) << "OnTop=1 did not make the window stay on top at start";
    const bool topmost = main.IsTopmost();

    Window dialog = OpenSettings(main);
    dialog.Child("Edit3").SetText("md");
    dialog.Child("Button4").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox3"), (Strings{".txt", ".md"})));
    dialog.Child("Button2").Click();
    ASSERT_TRUE(DialogClosed());

    EXPECT_EQ(main.Bounds(), bounds);
    EXPECT_FALSE(main.HasCaption());
    EXPECT_EQ(main.IsTopmost(), topmost);
    EXPECT_EQ(folders.SelectedText(), "sub");
    EXPECT_EQ(files.SelectedText(), "c.txt");
    EXPECT_EQ(main.Child("Label2").Text(), "ファイルリスト 2");
}

TEST_F(SettingsDialogTest, AFailedWriteKeepsTheDialogOpenWithEverythingTyped) {
    const std::string docs = dir.MakeDir("資料");
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0"});
    Window dialog = OpenSettings(main);
    dialog.Child("Edit1").SetText(docs);
    dialog.Child("Edit2").SetText("資料");
    dialog.Child("Button1").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox1"), {docs}));

    // Someone holds the file open without letting others write.
    const std::string before = dir.Read("Tessaly.ini");
    HANDLE holder = CreateFileW(driver::ToWide(IniPath()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const std::string message = MessageAfterClicking(dialog.Child("Button2"));
    CloseHandle(holder);
    EXPECT_EQ(message, IniPath() + " に書き込めません");
    EXPECT_TRUE(dialog.IsVisible());
    EXPECT_EQ(dialog.Child("ListBox1").Items(), (Strings{docs}));
    EXPECT_EQ(dialog.Child("ListBox2").Items(), (Strings{"資料"}));
    EXPECT_EQ(dir.Read("Tessaly.ini"), before);

    // Once the file is free, OK goes through.
    dialog.Child("Button2").Click();
    ASSERT_TRUE(DialogClosed());
    const Strings lines = IniLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "F_Folder1=" + docs), lines.end());
}

TEST_F(SettingsDialogTest, ThePromptOfTheFileListEndsInTheSameWindowAsANormalStart) {
    dir.WriteFile("a.txt", "a");
    const Strings common = {"[Option]", "UpdateCheck=0", "[Form]", "Pos.Left=200", "Pos.Top=150", "Pos.Width=400",
                            "Pos.Height=250", "[Style]", "bar_hide=1"};
    dir.WriteIni(common);
    driver::MessageDialog ask = program.StartExpectingMessageBox();
    EXPECT_EQ(ask.Text(), "検索する拡張子が未設定なので設定してください。");
    ask.Press("OK");
    Window dialog = program.WaitForWindow("TForm4");
    dialog.Child("Edit3").SetText("txt");
    dialog.Child("Button4").Click();
    ASSERT_TRUE(ListShows(dialog.Child("ListBox3"), {".txt"}));
    dialog.Child("Button2").Click();
    ASSERT_TRUE(program.WaitForWindowGone("TForm4"));
    Window main = program.MainWindow();
    const driver::Rect prompted = main.Bounds();
    EXPECT_FALSE(main.HasCaption());
    EXPECT_EQ(main.Child("ListBox1").Items(), (Strings{"a.txt"}));
    EXPECT_EQ(main.Child("Label2").Text(), "ファイルリスト 1");
    program.Kill();

    // The same settings with the extension from the start.
    Strings full = common;
    for (const char* line : {"[extension]", "count=1", "ex1=.txt"}) full.push_back(line);
    driver::TempDir other;
    other.WriteFile("a.txt", "a");
    other.WriteIni(full);
    driver::Program normal(other.Path());
    Window reference = normal.Start();
    EXPECT_EQ(prompted, reference.Bounds()) << "the caption-less mode was entered more than once";
    EXPECT_FALSE(reference.HasCaption());
}

// ---------------------------------------------------------------------------------------------- pickers, picture

TEST_F(SettingsDialogTest, TheBrowseButtonsOpenTheirPickersAndCancellingChangesNothing) {
    Window main = StartWith({"[extension]", "count=1", "ex1=.txt", "[Option]", "UpdateCheck=0"});
    Window dialog = OpenSettings(main);
    dialog.Child("Edit1").SetText("前の値");

    auto pickerWith = [&](const char* childClass) {
        return driver::WaitFor(
            [&]() -> Window {
                for (const Window& w : program.TopWindows()) {
                    if (w.ClassName() == "#32770" && w.IsVisible() && w.FindChildByClass(childClass)) return w;
                }
                return Window();
            },
            std::string("a dialog holding a ") + childClass);
    };
    dialog.Child("Button6").Click();
    Window browse = pickerWith("SysTreeView32");
    EXPECT_EQ(browse.Owner(), dialog);
    PostMessageW(browse.Handle(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return !browse.Exists() || !browse.IsVisible(); }, "the picker closed"));
    EXPECT_EQ(dialog.Child("Edit1").Text(), "前の値");

    dialog.Child("Button10").Click();
    Window open = pickerWith("ComboBox");
    PostMessageW(open.Handle(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return !open.Exists() || !open.IsVisible(); }, "the file dialog closed"));
    EXPECT_EQ(dialog.Child("Edit4").Text(), "");
    EXPECT_TRUE(dialog.IsEnabled());
}

TEST_F(SettingsDialogTest, ScreenshotWithEveryGroupFilled) {
    const std::string docs = dir.MakeDir("資料");
    const std::string tools = dir.MakeDir("ツール");
    Window main = StartWith({"[extension]", "count=3", "ex1=.txt", "ex2=.pdf", "ex3=.xls", "[Option]",
                             "UpdateCheck=0", "[DirDeep]", "depth=3", "[ScrollBar]", "FolderList=2", "FileList=3",
                             "[FixedFolder Setting]", "count=2", "F_Folder1=" + docs, "F_Folder2=" + tools, "[Name]",
                             docs + "=資料", tools + "=ツール", "[Aplication]", "count=2",
                             "Aplication0=C:\\Program Files\\エディタ\\edit.exe", "Aplication1=C:\\Tools\\view.exe",
                             "[Aplication2]", "Aplication0=エディタ", "Aplication1=ビューア"});
    Window dialog = OpenSettings(main);
    EXPECT_EQ(dialog.Child("ListBox1").Items(), (Strings{docs, tools}));
    EXPECT_EQ(dialog.Child("ListBox2").Items(), (Strings{"資料", "ツール"}));
    EXPECT_EQ(dialog.Child("ListBox5").Items(), (Strings{"エディタ", "ビューア"}));
    EXPECT_EQ(dialog.Child("ListBox3").Items(), (Strings{".txt", ".pdf", ".xls"}));
    EXPECT_EQ(dialog.Child("SpinEdit3").Text(), "3");
    EXPECT_EQ(dialog.Child("SpinEdit2").Text(), "3");
    EXPECT_FALSE(dialog.Child("CheckBox1").IsChecked());
    dialog.Child("CheckBox1").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return dialog.Child("CheckBox1").IsChecked(); }, "the check box ticked"));
    dialog.Child("Edit1").SetText("D:\\Photos");
    dialog.Child("Edit2").SetText("写真");
    dialog.Child("Edit3").SetText("doc");
    driver::Screenshot("settings_dialog_every_group_filled", dialog);
}

}  // namespace
