// The file list on real folders: what the registered extensions match (".*" included), refreshing with the
// selection kept or lost, the prompt when no extension is registered, a missing fixed folder, and "FileName".
#include "app/MainWindowSupport.h"
#include "../../support/RegisteredKind.h"

#include <objidl.h>
#include <shlobj.h>

#include <algorithm>

using namespace main_window;

namespace {

std::vector<std::string> Extensions(const std::vector<std::string>& list, const std::vector<std::string>& more = {})
{
    std::vector<std::string> lines = {"[Option]", "UpdateCheck=0", "[extension]",
                                      "count=" + std::to_string(list.size())};
    for (size_t i = 0; i < list.size(); ++i) {
        lines.push_back("ex" + std::to_string(i + 1) + "=" + list[i]);
    }
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// The settings with the lists' icons on ("Icons=1" in the one [Option] section).
std::vector<std::string> WithIcons(std::vector<std::string> lines)
{
    lines.insert(lines.begin() + 1, "Icons=1");
    return lines;
}

// A shortcut at path to target showing the icon iconIndex of iconFile (none named when iconFile is empty), made as
// the shell makes one.
void MakeShortcut(const std::string& path, const std::string& target, const std::string& iconFile, int iconIndex)
{
    static const GUID kShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    static const GUID kShellLinkW = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    static const GUID kPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    HRESULT hr = CoCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, kShellLinkW, reinterpret_cast<void**>(&link));
    if (SUCCEEDED(hr)) hr = link->SetPath(driver::ToWide(target).c_str());
    if (SUCCEEDED(hr) && !iconFile.empty()) hr = link->SetIconLocation(driver::ToWide(iconFile).c_str(), iconIndex);
    if (SUCCEEDED(hr)) hr = link->QueryInterface(kPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr)) hr = file->Save(driver::ToWide(path).c_str(), TRUE);
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    ASSERT_TRUE(SUCCEEDED(hr)) << "cannot make the shortcut " << path;
}

// The system's colours set for as long as it lives, as a high-contrast theme sets them; the earlier ones come back.
class SystemColours {
public:
    SystemColours(std::vector<int> elements, std::vector<COLORREF> colours) : elements_(std::move(elements))
    {
        for (int element : elements_) before_.push_back(GetSysColor(element));
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data());
    }
    ~SystemColours() { SetSysColors(static_cast<int>(elements_.size()), elements_.data(), before_.data()); }
    SystemColours(const SystemColours&) = delete;
    SystemColours& operator=(const SystemColours&) = delete;

private:
    std::vector<int> elements_;
    std::vector<COLORREF> before_;
};

}  // namespace

// ".*" lists every entry, "." and ".." and folders included; with ".txt" as well each .txt file shows twice. The
// same in a subfolder.
TEST(FileList, AllFilesAndTxtListTxtFilesTwice)
{
    Session s;
    s.WriteFile("a.txt");
    s.WriteFile("b.dat");
    s.MakeDir("Sub");
    s.WriteFile("Sub\\c.txt");
    s.WriteIni(Extensions({".*", ".txt"}));
    s.Start();
    EXPECT_EQ(s.WaitForCounts(), "ファイルリスト 8");
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{".", "..", "a.txt", "a.txt", "b.dat", "Sub", "Tessaly.exe",
                                                           "Tessaly.ini"}));

    s.ChooseFolder("Sub", 4);
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{".", "..", "c.txt", "c.txt"}));
    EXPECT_EQ(s.Control("Label2").Text(), "ファイルリスト 4");
}

// ".txt" matches a subfolder named Notes.txt, hidden and system files, and no other names.
TEST(FileList, TxtMatchesFoldersAndHiddenFiles)
{
    Session s;
    s.MakeDir("Notes.txt");
    s.WriteFile("shown.txt");
    s.WriteFile("hidden.txt");
    s.WriteFile("system.TXT");
    s.WriteFile("other.txt.bak");
    ASSERT_TRUE(SetFileAttributesW(driver::ToWide(s.InBase("hidden.txt")).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(driver::ToWide(s.InBase("system.TXT")).c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    s.WriteIni(Extensions({".txt"}));
    s.Start();
    s.WaitForCounts();
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"hidden.txt", "Notes.txt", "shown.txt", "system.TXT"}));
}

// F5 refills the list, with the focus in the file list or in the folder list: the selected file stays selected
// while it exists, and the selection is lost once the file was renamed away outside the program.
TEST(FileList, RefreshKeepsOrLosesTheSelection)
{
    Session s;
    s.WriteFile("a.txt");
    s.WriteFile("b.txt");
    s.WriteIni(Extensions({".txt"}));
    s.Start();
    s.WaitForCounts();
    s.ChooseFile("b.txt");

    // Focus in the file list: a new file shows, b.txt stays selected.
    s.WriteFile("0.txt");
    ASSERT_EQ(s.Program().FocusedWindow(), s.Files());
    driver::PressKeys(s.Main(), "F5");
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Files().ItemCount() == 3; }, "0.txt listed"));
    EXPECT_EQ(s.Files().SelectedText(), "b.txt");
    EXPECT_EQ(s.Control("Label2").Text(), "ファイルリスト 3");

    // Focus in the folder list (Shift+Tab from the file list), selection untouched.
    driver::PressKeys(s.Main(), "Shift+Tab");
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Program().FocusedWindow() == s.Folders(); }, "focus in the folders"));
    s.WriteFile("1.txt");
    driver::PressKeys(s.Main(), "F5");
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Files().ItemCount() == 4; }, "1.txt listed"));
    EXPECT_EQ(s.Files().SelectedText(), "b.txt");

    // Renamed away: after F5 nothing is selected.
    ASSERT_TRUE(MoveFileW(driver::ToWide(s.InBase("b.txt")).c_str(), driver::ToWide(s.InBase("b.old")).c_str()));
    driver::PressKeys(s.Main(), "F5");
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Files().ItemCount() == 3; }, "b.txt gone"));
    EXPECT_EQ(s.Files().Selection(), -1);
    EXPECT_EQ(s.Control("Label2").Text(), "ファイルリスト 3");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

// With no extension registered the file list asks for extensions and opens the settings dialog; after Cancel the
// window shows an empty file list.
TEST(FileList, NoExtensionPromptsForSettings)
{
    Session s;
    s.WriteFile("a.txt");
    s.WriteIni({"[Option]", "UpdateCheck=0", "[extension]", "count=0", "ex1=.txt"});
    const driver::MessageDialog box = s.Program().StartExpectingMessageBox();
    EXPECT_EQ(box.Caption(), "Tessaly");
    EXPECT_EQ(box.Text(), "検索する拡張子が未設定なので設定してください。");
    box.Press("OK");
    const driver::Window settings = s.Program().WaitForWindow("TForm4", "設定");
    settings.Child("Button7").Click();
    s.AttachMain();
    EXPECT_EQ(s.WaitForCounts(), "ファイルリスト 0");
    EXPECT_EQ(s.Files().ItemCount(), 0);
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 1);
}

// A fixed folder that does not exist gives an empty list without a message.
TEST(FileList, MissingFixedFolderGivesEmptyList)
{
    Session s;
    s.WriteFile("a.txt");
    const std::string gone = s.Temp().Path() + "\\Gone";
    s.WriteIni(Extensions({".txt"}, {"[FixedFolder Setting]", "count=1", "F_Folder1=" + gone, "[Name]",
                                     gone + "=Gone", "[Name2]", "Gone=" + gone}));
    s.Start();
    EXPECT_EQ(s.WaitForCounts(), "ファイルリスト 1");
    s.ChooseFolder("Gone/", 0);
    EXPECT_EQ(s.Control("Label2").Text(), "ファイルリスト 0");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

// "FileName" shows the selected entry's name, or asks for a selection.
TEST(FileList, FileNameButtonShowsTheSelectedName)
{
    Session s;
    s.WriteFile("予定表.txt");
    s.WriteIni(Extensions({".txt"}));
    s.Start();
    s.WaitForCounts();
    s.Control("Button2").Click();
    EXPECT_EQ(s.TakeMessage(), "選択してください");
    s.ChooseFile("予定表.txt");
    s.Control("Button2").Click();
    EXPECT_EQ(s.TakeMessage(), "予定表.txt");
}

// Each name has the icon of its kind before it, and the names read back exactly as the files are named. Extensions
// the system knows nothing of have no icon of their own to read: both show the one generic icon. A kind whose class
// names its icon in the associations shows that one (here the system's folder icon).
TEST(FileList, IconsShowBesideTheNames)
{
    const test_support::RegisteredKind kind(L".zzf", L"%SystemRoot%\\system32\\shell32.dll,-4");
    Session s;
    s.MakeDir("資料");
    s.WriteFile("a.txt");
    s.WriteFile("b.zzq");
    s.WriteFile("c.qzz");
    s.WriteFile("d.zzf");
    s.WriteIni(WithIcons(Extensions({".txt", ".zzq", ".qzz", ".zzf"})));
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"a.txt", "b.zzq", "c.qzz", "d.zzf"}));
    const int folder = Session::IndexOf(s.Folders(), "資料");
    ASSERT_GE(folder, 0);
    ASSERT_TRUE(driver::WaitUntil(
        [&] {
            return ShowsAnImage(RowPixels(s.Files(), 1)) && ShowsAnImage(RowPixels(s.Files(), 2)) &&
                   ShowsAnImage(RowPixels(s.Folders(), folder));
        },
        "icons drawn before the names"));
    driver::Screenshot(driver::CurrentTestName(), main);
    EXPECT_EQ(RowPixels(s.Files(), 1), RowPixels(s.Files(), 2));
    EXPECT_NE(RowPixels(s.Files(), 1), RowPixels(s.Folders(), folder));
    EXPECT_EQ(RowPixels(s.Files(), 3), RowPixels(s.Folders(), folder));
    // Selected, the name is still found and read as it was.
    s.ChooseFile("c.qzz");
    EXPECT_EQ(s.Files().SelectedText(), "c.qzz");
}

// A shortcut shows its own icon, read from it after the list is shown, with the icons on by default: the icon it
// names, or the icon of the program it leads to; a shortcut that cannot be read keeps the generic icon of its kind,
// a program that cannot be read the system's program icon. The program itself shows the icon it carries.
TEST(FileList, ShortcutShowsAnIconOfItsOwn)
{
    Session s;
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::string system = driver::ToUtf8(windows) + "\\system32\\";
    MakeShortcut(s.InBase("tool.lnk"), system + "notepad.exe", system + "shell32.dll", -4);
    MakeShortcut(s.InBase("to-note.lnk"), system + "notepad.exe", "", 0);
    driver::CopyFileTo(system + "notepad.exe", s.InBase("note.exe"));
    s.WriteFile("broken.lnk", "not a shortcut");
    s.WriteFile("empty.exe", "");
    s.WriteFile("plain.zzq");
    s.WriteIni(Extensions({".lnk", ".zzq", ".exe"}));
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    const auto row = [&](const char* name) { return RowPixels(s.Files(), Session::IndexOf(s.Files(), name)); };
    ASSERT_TRUE(driver::WaitUntil(
        [&] {
            return ShowsAnImage(row("broken.lnk")) && ShowsAnImage(row("tool.lnk")) &&
                   row("broken.lnk") != row("tool.lnk") && row("to-note.lnk") == row("note.exe") &&
                   row("note.exe") != row("broken.lnk");
        },
        "the shortcuts' own icons beside their names"));
    driver::Screenshot(driver::CurrentTestName(), main);
    // The shortcut that cannot be read shows the generic icon, as a kind the system knows nothing of does.
    EXPECT_EQ(row("broken.lnk"), row("plain.zzq"));
    EXPECT_TRUE(ShowsAnImage(row("empty.exe")));
    EXPECT_NE(row("empty.exe"), row("plain.zzq"));
    EXPECT_NE(row("empty.exe"), row("note.exe"));
    EXPECT_TRUE(ShowsAnImage(row("Tessaly.exe")));
    EXPECT_NE(row("Tessaly.exe"), row("empty.exe"));
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"broken.lnk", "empty.exe", "note.exe", "plain.zzq",
                                                           "Tessaly.exe", "to-note.lnk", "tool.lnk"}));
}

// Under a high-contrast theme the rows take the system's colours: the row's background and its name in the window's
// colours, the selected row in the highlight's, so that every name stays readable.
TEST(FileList, RowsTakeTheColoursOfAHighContrastTheme)
{
    const COLORREF window = RGB(0, 0, 0), text = RGB(255, 255, 255), highlight = RGB(26, 235, 255),
                   highlightText = RGB(0, 0, 0);
    const SystemColours theme({COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT},
                              {window, text, highlight, highlightText});
    Session s;
    s.WriteFile("a.txt");
    s.WriteFile("b.txt");
    s.WriteIni(Extensions({".txt"}));
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    s.ChooseFile("b.txt");
    const auto shows = [](const std::vector<COLORREF>& pixels, COLORREF colour) {
        return std::count(pixels.begin(), pixels.end(), colour);
    };
    ASSERT_TRUE(driver::WaitUntil(
        [&] {
            const std::vector<COLORREF> plain = RowPixels(s.Files(), 0, true), chosen = RowPixels(s.Files(), 1, true);
            return plain.back() == window && chosen.back() == highlight && shows(plain, text) > 0 &&
                   shows(chosen, highlightText) > 0;
        },
        "rows in the theme's colours"));
    driver::Screenshot(driver::CurrentTestName(), main);
    EXPECT_EQ(s.Files().SelectedText(), "b.txt");
}
