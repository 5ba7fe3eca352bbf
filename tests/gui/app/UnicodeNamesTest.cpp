// Files whose names the code page cannot hold ("café.txt", "한글.txt", "😀.txt"), beside the ASCII stand-in that
// the code page would make of one of them ("cafe.txt") and ordinary Japanese names: listed by their true names in
// the order of the system's sorted list box, and every action reaches exactly its own file. The same for names the
// system's path rules would change ("report.txt." beside "report.txt", "aux.txt", a folder "old." beside "old").
#include "app/FileActionSupport.h"
#include "app/ShellCommandOverride.h"
#include "driver/Text.h"

#include <windows.h>

using namespace driver;
using namespace file_actions;

namespace {

// The names, written once each (literals in the code page would not compile for most of them).
const std::wstring kAccented = L"café.txt";
const std::wstring kPlain = L"cafe.txt";
const std::wstring kHangul = L"한글.txt";
const std::wstring kEmoji = L"😀.txt";
const std::wstring kMemo = L"メモ.txt";
const std::wstring kKanji = L"日本語.txt";

std::wstring Bytes(const std::wstring& name) { return L"bytes of " + name; }

std::string Utf8(const std::wstring& wide)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), &s[0], n, nullptr, nullptr);
    return s;
}

void WriteExact(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Utf8(path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The bytes of the file at path, or "(missing)".
std::string ReadExact(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(missing)";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// Makes, beside the file at path, an empty file whose name differs from it in letter case alone. The system's own
// calls would open the existing file instead (Wine looks names up without regard to case, and ignores
// FILE_FLAG_POSIX_SEMANTICS), so the file is made by the Unix program touch, which Wine starts like any program.
bool MakeFileOfOtherCase(const std::string& path, const std::string& otherName)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) return false;
    // The Unix path of the test's temporary folder is ASCII.
    char* folder = unixName(ToWide(path.substr(0, path.rfind('\\'))).c_str());
    if (folder == nullptr) return false;
    std::wstring command = L"/usr/bin/touch \"" + ToWide(folder) + L"/" + ToWide(otherName) + L"\"";
    HeapFree(GetProcessHeap(), 0, folder);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\usr\\bin\\touch", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return false;
    }
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

// The order the system's own sorted list box gives the names.
std::vector<std::wstring> SystemSorted(const std::vector<std::wstring>& names)
{
    HWND list = CreateWindowExW(0, L"ListBox", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    for (const std::wstring& n : names) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
    std::vector<std::wstring> sorted;
    for (int i = 0; i < static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
        wchar_t text[MAX_PATH] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        sorted.push_back(text);
    }
    DestroyWindow(list);
    return sorted;
}

// The program on a folder holding the six names, each file with its own bytes, and a subfolder to move into.
class UnicodeNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.Dir().MakeDir("Sub");
        for (const std::wstring& name : Names()) WriteExact(Exact(name), Utf8(Bytes(name)));
        s.Dir().WriteIni(IniWith({}));
        s.Start();
        s.ChooseFolder(s.BaseName(), static_cast<int>(Names().size()));
    }

    static std::vector<std::wstring> Names() { return {kMemo, kAccented, kHangul, kPlain, kKanji, kEmoji}; }
    std::wstring Exact(const std::wstring& name, const std::wstring& sub = L"") const
    {
        return ToWide(s.Dir().Path()) + L"\\" + (sub.empty() ? L"" : sub + L"\\") + name;
    }

    // Selects the entry that is exactly name.
    void Choose(const std::wstring& name)
    {
        const std::vector<std::wstring> items = s.Files().ExactItems();
        const auto it = std::find(items.begin(), items.end(), name);
        ASSERT_NE(it, items.end()) << Utf8(name) << " is not listed";
        const int index = static_cast<int>(it - items.begin());
        s.Files().ClickItem(index);
        ASSERT_TRUE(WaitUntil([&] { return s.Files().Selection() == index; }, Utf8(name) + " selected"));
    }

    // Every file but those named keeps its place and its bytes.
    void ExpectOthersUntouched(const std::vector<std::wstring>& changed) const
    {
        for (const std::wstring& name : Names()) {
            if (std::find(changed.begin(), changed.end(), name) != changed.end()) continue;
            EXPECT_EQ(ReadExact(Exact(name)), Utf8(Bytes(name))) << Utf8(name);
        }
    }

    Session s;
};

TEST_F(UnicodeNames, ListedByTheirTrueNamesInTheSystemsSortedOrderAndRefreshKeepsTheExactEntry)
{
    EXPECT_EQ(s.Files().ExactItems(), SystemSorted(Names()));
    // "café.txt" stays selected through F5, never moving to "cafe.txt"; the count counts every entry.
    Choose(kAccented);
    const int index = s.Files().Selection();
    s.Program().Press("F5");
    ASSERT_TRUE(WaitUntil([&] { return s.Files().Selection() == index; }, "the selection after F5"));
    EXPECT_EQ(s.Files().ExactItemText(s.Files().Selection()), kAccented);
    EXPECT_EQ(s.Main().Child("Label2").Text(), "ファイルリスト 6");
}

// Names that differ in letter case alone, as a case-sensitive folder holds them (NTFS has such folders, and Wine on a
// Unix file system makes every folder one): F5 keeps the selection on the very name, whichever of the two it is.
TEST(CaseSensitiveNames, RefreshKeepsTheExactlyEqualNameSelected)
{
    Session s;
    WriteExact(ToWide(s.Dir().Path()) + L"\\README.txt", "upper");
    ASSERT_TRUE(MakeFileOfOtherCase(s.Dir().Path() + "\\README.txt", "readme.txt"));
    s.Dir().WriteIni(IniWith({}));
    s.Start();
    s.ChooseFolder(s.BaseName(), 2);
    for (const char* name : {"readme.txt", "README.txt"}) {
        SCOPED_TRACE(name);
        s.ChooseFile(name);
        const int index = s.Files().Selection();
        s.Program().Press("F5");
        // The refill ends with the selection put back; wait for the list to be whole and selected again.
        ASSERT_TRUE(WaitUntil([&] { return s.Files().ItemCount() == 2 && s.Files().Selection() >= 0; },
                              "the list refilled and a selection"));
        EXPECT_EQ(s.Files().Selection(), index);
        EXPECT_EQ(s.Files().SelectedText(), name);
    }
}

TEST_F(UnicodeNames, SearchFindsAnEntryByThePartsOfItsNameTheCodePageHolds)
{
    s.Program().Press("Ctrl+F");
    Window dialog = s.Program().WaitForWindow("TForm5", "ファイルを検索");
    dialog.Child("Edit1").SetText("caf");
    std::vector<std::wstring> hits;
    for (int step = 0; step < 2; ++step) {
        const int before = s.Files().Selection();
        dialog.Child("Button1").Click();
        ASSERT_TRUE(WaitUntil([&] { return s.Files().Selection() != before; }, "the next hit"));
        hits.push_back(s.Files().ExactItemText(s.Files().Selection()));
    }
    std::sort(hits.begin(), hits.end());
    EXPECT_EQ(hits, (std::vector<std::wstring>{kPlain, kAccented}));
    dialog.Child("Button2").Click();
    EXPECT_TRUE(s.Program().WaitForWindowGone("TForm5"));
}

TEST_F(UnicodeNames, ExecuteHandsTheShellTheExactPath)
{
    const std::string probe = CopyProbe(s.Dir().MakeDir("Tools"));
    const shell_test::ShellCommandOverride txt("txtfile", probe, "\"C:\\windows\\system32\\notepad.exe\" \"%1\"");
    for (const std::wstring& name : {kAccented, kEmoji, kPlain}) {
        Choose(name);
        s.Program().Press("Enter");
        const ProbeRecord run = TakeProbeLog(probe);
        EXPECT_NE(run.exactCommandLine.find(L"\"" + Exact(name) + L"\""), std::wstring::npos)
            << Utf8(run.exactCommandLine);
    }
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

TEST_F(UnicodeNames, MoveRenameAndDeleteEachReachTheirOwnFile)
{
    // Move "한글.txt" into Sub.
    const std::vector<std::string> folders = s.Folders().Items();
    const int sub = static_cast<int>(std::find(folders.begin(), folders.end(), "Sub") - folders.begin());
    Choose(kHangul);
    s.ChooseMenu({kMoveItem, sub});
    ASSERT_TRUE(WaitUntil([&] { return ReadExact(Exact(kHangul, L"Sub")) == Utf8(Bytes(kHangul)); }, "moved"));
    EXPECT_EQ(ReadExact(Exact(kHangul)), "(missing)");
    ExpectOthersUntouched({kHangul});

    // Rename "café.txt" to a name typed in the code page; the dialog showed the true current name.
    Choose(kAccented);
    s.Program().Press("F2");
    Window dialog = s.Program().WaitForWindow("TForm2", "ファイル名変更");
    EXPECT_EQ(dialog.Child("Label3").ExactText(), kAccented);
    EXPECT_EQ(dialog.Child("Edit1").ExactText(), kAccented);
    dialog.Child("Edit1").SetText("メモ2.txt");
    dialog.Child("Button1").Click();
    ASSERT_TRUE(s.Program().WaitForWindowGone("TForm2"));
    EXPECT_EQ(ReadExact(Exact(L"メモ2.txt")), Utf8(Bytes(kAccented)));
    EXPECT_EQ(ReadExact(Exact(kAccented)), "(missing)");
    EXPECT_EQ(s.Files().SelectedText(), "メモ2.txt");
    ExpectOthersUntouched({kHangul, kAccented});

    // Delete asks about "😀.txt" in the code page's form of its path (going to the trash: RecycleBin tests).
    Choose(kEmoji);
    s.Program().Press("Del");
    MessageDialog box = s.Program().WaitForMessageBox();
    EXPECT_EQ(box.Text(), s.Base() + ToUtf8(kEmoji) + "をゴミ箱に移動しますか？");
    box.Press("いいえ(&N)");
    BringToForeground(s.Main());
    ExpectOthersUntouched({kHangul, kAccented});
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 1);
}

// Folders whose names the code page cannot hold, beside the ASCII stand-in one of them would become ("cafe"), a name
// with the yen sign (which the code page would turn into a backslash) and one that would then climb out of its
// folder ("x\..¥out" as "x\..\out", that is "out"): each is listed under its own name, lists its own file, and
// execute, move, rename and delete reach that folder and no other.
class ExactFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const Folder& f : kFolders) {
            s.Dir().MakeDir(f.entry);
            WriteExact(ToWide(s.Base() + f.entry + "\\" + f.file), f.file);
        }
        // Where the stand-ins would lead: files that nothing may list or touch.
        s.Dir().MakeDir("out");
        s.Dir().MakeDir("a");
        WriteExact(ToWide(s.Base() + "out\\secret.txt"), "secret");
        WriteExact(ToWide(s.Base() + "a\\b.txt"), "not a¥b");
        WriteExact(ToWide(s.Base() + "moved.txt"), "moved");
        s.Dir().WriteIni(IniWith({}));
        s.Start();
    }

    struct Folder {
        std::string entry;  // its folder-list entry: its path below the program's folder
        std::string file;   // the one file it holds
    };
    const std::vector<Folder> kFolders = {{"café", "in café.txt"}, {"cafe", "in cafe.txt"}, {"한글", "in 한글.txt"},
                                          {"한글\\下", "in 下.txt"},    {"😀", "in 😀.txt"},   {"a¥b", "in a¥b.txt"},
                                          {"x\\..¥out", "in x.txt"}};

    // Every file the test made, with the bytes it must still have.
    std::vector<std::pair<std::string, std::string>> Untouched() const
    {
        std::vector<std::pair<std::string, std::string>> files = {{"out\\secret.txt", "secret"},
                                                                  {"a\\b.txt", "not a¥b"}};
        for (const Folder& f : kFolders) files.push_back({f.entry + "\\" + f.file, f.file});
        return files;
    }
    void ExpectUntouched() const
    {
        for (const auto& [path, bytes] : Untouched()) EXPECT_EQ(ReadExact(ToWide(s.Base() + path)), bytes) << path;
    }

    Session s;
};

TEST_F(ExactFolders, EachEntryListsItsOwnFolder)
{
    const std::vector<std::string> entries = s.Folders().Items();
    for (const Folder& f : kFolders) {
        SCOPED_TRACE(f.entry);
        EXPECT_EQ(std::count(entries.begin(), entries.end(), f.entry), 1);
        s.ChooseFolder(f.entry, 1);
        EXPECT_EQ(s.Files().Items(), std::vector<std::string>{f.file});
    }
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "a\\b"), 0) << "no stand-in entry";
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "x\\..\\out"), 0) << "no stand-in entry";
}

TEST_F(ExactFolders, ExecuteMoveRenameAndDeleteReachTheirFolder)
{
    const std::string probe = CopyProbe(s.Dir().MakeDir("Tools"));
    const shell_test::ShellCommandOverride txt("txtfile", probe, "\"C:\\windows\\system32\\notepad.exe\" \"%1\"");
    const std::vector<std::string> entries = s.Folders().Items();
    for (const Folder& f : {kFolders[0], kFolders[2], kFolders[4], kFolders[5], kFolders[6]}) {
        SCOPED_TRACE(f.entry);
        const std::string folder = s.Base() + f.entry + "\\";
        s.ChooseFolder(f.entry, 1);
        s.ChooseFile(f.file);
        s.Program().Press("Enter");
        const ProbeRecord run = TakeProbeLog(probe);
        EXPECT_NE(run.commandLine.find("\"" + folder + f.file + "\""), std::string::npos) << run.commandLine;

        s.Program().Press("Del");
        MessageDialog box = s.Program().WaitForMessageBox();
        EXPECT_EQ(box.Text(), folder + f.file + "をゴミ箱に移動しますか？");
        box.Press("いいえ(&N)");
        BringToForeground(s.Main());

        s.Program().Press("F2");
        Window dialog = s.Program().WaitForWindow("TForm2", "ファイル名変更");
        EXPECT_EQ(dialog.Child("Label3").Text(), f.file);
        dialog.Child("Edit1").SetText("renamed.txt");
        dialog.Child("Button1").Click();
        ASSERT_TRUE(s.Program().WaitForWindowGone("TForm2"));
        EXPECT_EQ(ReadExact(ToWide(folder + "renamed.txt")), f.file);
        ASSERT_TRUE(MoveFileW(ToWide(folder + "renamed.txt").c_str(), ToWide(folder + f.file).c_str()));

        // Move the base folder's file into this folder, and back for the next one.
        s.ChooseFolder(s.BaseName(), 1);
        s.ChooseFile("moved.txt");
        const int target = static_cast<int>(std::find(entries.begin(), entries.end(), f.entry) - entries.begin());
        s.ChooseMenu({kMoveItem, target});
        ASSERT_TRUE(WaitUntil([&] { return ReadExact(ToWide(folder + "moved.txt")) == "moved"; }, "moved in"));
        ASSERT_TRUE(MoveFileW(ToWide(folder + "moved.txt").c_str(), ToWide(s.Base() + "moved.txt").c_str()));
        s.Program().Press("F5");
        ExpectUntouched();
    }
    EXPECT_EQ(ReadExact(ToWide(s.Base() + "out\\moved.txt")), "(missing)");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 5);
}

// The verbatim form of a full path, which reaches a name ending in a point or blank, or a device name, exactly.
std::wstring Verbatim(const std::wstring& path) { return L"\\\\?\\" + path; }

// Files and folders whose names the system's path rules would change, each beside the name it would become: with
// every extension registered the folder lists "report.txt" and "report.txt.", "aux.txt" (a device under those
// rules), and the folders "old" and "old."; every action reaches exactly the entry chosen, or is refused with a
// message that names the path and the reason where the shell would take the path under those rules.
class TwinNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.Dir().MakeDir("Sub");
        for (const wchar_t* folder : {L"old", L"old.", L"old\\inner", L"old.\\deeper"})
            ASSERT_TRUE(CreateDirectoryW(Exact(folder).c_str(), nullptr)) << ToUtf8(folder);
        for (const auto& [name, bytes] : Files()) WriteExact(Exact(name), bytes);
        tool_ = CopyProbe(s.Dir().MakeDir("Tools"), "tool.exe");
        s.Dir().WriteIni(
            IniWith({"[Aplication]", "count=1", "Aplication0=" + tool_, "[Aplication2]", "Aplication0=Tool"}, ".*"));
        s.Start();
        ChooseFolder(s.BaseName(), {"aux.txt", "report.txt", "report.txt."});
    }

    // Every file the test made, under its exact name, with its bytes.
    static std::vector<std::pair<std::wstring, std::string>> Files()
    {
        return {{L"report.txt", "plain"},           {L"report.txt.", "dotted"},
                {L"aux.txt", "not a device"},       {L"old\\in old.txt", "in old"},
                {L"old.\\in old-dot.txt", "in old."}};
    }
    // The verbatim path of a name below the program's folder.
    std::wstring Exact(const std::wstring& name) const { return Verbatim(ToWide(s.Base()) + name); }
    // The bytes of that file, or "(missing)".
    std::string Bytes(const std::wstring& name) const { return ReadExact(Exact(name)); }
    void ExpectAllUntouched() const
    {
        for (const auto& [name, bytes] : Files()) EXPECT_EQ(Bytes(name), bytes) << ToUtf8(name);
    }

    // The file list's entries without the folders' own "." and "..", in byte order.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> entries = s.Files().Items();
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [](const std::string& e) { return e == "." || e == ".."; }),
                      entries.end());
        std::sort(entries.begin(), entries.end());
        return entries;
    }
    // Clicks a folder-list entry and waits until the file list holds (at least) these entries.
    void ChooseFolder(const std::string& entry, const std::vector<std::string>& files)
    {
        const std::vector<std::string> items = s.Folders().Items();
        const auto it = std::find(items.begin(), items.end(), entry);
        ASSERT_NE(it, items.end()) << "no folder-list entry \"" << entry << "\"";
        s.Folders().ClickItem(static_cast<int>(it - items.begin()));
        ASSERT_TRUE(WaitUntil(
            [&] {
                const std::vector<std::string> listed = Entries();
                return std::all_of(files.begin(), files.end(), [&](const std::string& f) {
                    return std::find(listed.begin(), listed.end(), f) != listed.end();
                });
            },
            "the files of \"" + entry + "\" listed"));
    }
    // Renames the selected file through the rename dialog, which shows its name.
    void Rename(const std::string& shown, const std::string& newName)
    {
        s.Program().Press("F2");
        Window dialog = s.Program().WaitForWindow("TForm2", "ファイル名変更");
        EXPECT_EQ(dialog.Child("Label3").Text(), shown);
        dialog.Child("Edit1").SetText(newName);
        dialog.Child("Button1").Click();
        ASSERT_TRUE(s.Program().WaitForWindowGone("TForm2"));
    }
    int FolderIndex(const std::string& entry) const
    {
        const std::vector<std::string> items = s.Folders().Items();
        return static_cast<int>(std::find(items.begin(), items.end(), entry) - items.begin());
    }

    Session s;
    std::string tool_;
};

TEST_F(TwinNames, TheShellIsNeverHandedANameItWouldTakeForAnother)
{
    const std::string dotted =
        s.Base() + "report.txt.\n名前「report.txt.」の末尾が点または空白のため、この操作では扱えません。";
    const std::string device =
        s.Base() + "aux.txt\n名前「aux.txt」はシステムが装置名とみなすため、この操作では扱えません。";
    for (const auto& [name, refusal] : {std::pair{"report.txt.", dotted}, std::pair{"aux.txt", device}}) {
        SCOPED_TRACE(name);
        s.ChooseFile(name);
        s.Program().Press("Del");  // refused before the recycle bin's question
        s.ExpectMessage(refusal);
        s.Program().Press("Enter");
        s.ExpectMessage(refusal);
        s.Program().Press("Alt+Enter");
        s.ExpectMessage(refusal);
        s.ChooseMenu({kOpenWithItem, 0});
        s.ExpectMessage(refusal);
        ExpectAllUntouched();
    }
    EXPECT_FALSE(ReadProbeLog(tool_).has_value()) << "nothing may be launched";
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 8);
}

TEST_F(TwinNames, RenameAndMoveReachExactlyTheNamedFile)
{
    // "report.txt." becomes "final.txt.": the twin keeps its name and bytes.
    s.ChooseFile("report.txt.");
    Rename("report.txt.", "final.txt.");
    EXPECT_EQ(Bytes(L"final.txt."), "dotted");
    EXPECT_EQ(Bytes(L"report.txt."), "(missing)");
    EXPECT_EQ(Bytes(L"report.txt"), "plain");
    EXPECT_EQ(s.Files().SelectedText(), "final.txt.");

    // Moved into Sub under its exact name.
    s.ChooseMenu({kMoveItem, FolderIndex("Sub")});
    ASSERT_TRUE(WaitUntil([&] { return Bytes(L"Sub\\final.txt.") == "dotted"; }, "final.txt. moved into Sub"));
    EXPECT_EQ(Bytes(L"final.txt."), "(missing)");
    EXPECT_EQ(Bytes(L"Sub\\final.txt"), "(missing)");
    EXPECT_EQ(Bytes(L"report.txt"), "plain");

    // "aux.txt" is a file like any other to the file functions: renamed, never opened as a device.
    s.ChooseFile("aux.txt");
    Rename("aux.txt", "aux-renamed.txt");
    EXPECT_EQ(Bytes(L"aux-renamed.txt"), "not a device");
    EXPECT_EQ(Bytes(L"aux.txt"), "(missing)");
    EXPECT_EQ(s.Files().SelectedText(), "aux-renamed.txt");
    EXPECT_EQ(Bytes(L"old\\in old.txt"), "in old");
    EXPECT_EQ(Bytes(L"old.\\in old-dot.txt"), "in old.");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

TEST_F(TwinNames, AFolderEndingInAPointListsAndKeepsItsOwnFiles)
{
    // The walk enters each folder under its own name.
    const std::vector<std::string> folders = s.Folders().Items();
    for (const char* entry : {"old", "old.", "old\\inner", "old.\\deeper"})
        EXPECT_EQ(std::count(folders.begin(), folders.end(), entry), 1) << entry;
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "old.\\inner"), 0);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "old\\deeper"), 0);

    ChooseFolder("old.", {"in old-dot.txt"});
    EXPECT_EQ(Entries(), (std::vector<std::string>{"deeper", "in old-dot.txt"}));
    ChooseFolder("old", {"in old.txt"});
    EXPECT_EQ(Entries(), (std::vector<std::string>{"in old.txt", "inner"}));

    // In "old." the file functions reach its own file; the shell is refused the folder's name.
    ChooseFolder("old.", {"in old-dot.txt"});
    s.ChooseFile("in old-dot.txt");
    s.Program().Press("Enter");
    s.ExpectMessage(s.Base() +
                    "old.\\in old-dot.txt\n名前「old.」の末尾が点または空白のため、この操作では扱えません。");
    Rename("in old-dot.txt", "renamed.txt");
    EXPECT_EQ(Bytes(L"old.\\renamed.txt"), "in old.");
    EXPECT_EQ(Bytes(L"old\\renamed.txt"), "(missing)");
    EXPECT_EQ(Bytes(L"old\\in old.txt"), "in old");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"deeper", "renamed.txt"}));

    // A file moved into "old." lands there, not in "old".
    ChooseFolder(s.BaseName(), {"report.txt"});
    s.ChooseFile("report.txt");
    s.ChooseMenu({kMoveItem, FolderIndex("old.")});
    ASSERT_TRUE(WaitUntil([&] { return Bytes(L"old.\\report.txt") == "plain"; }, "report.txt moved into old."));
    EXPECT_EQ(Bytes(L"old\\report.txt"), "(missing)");
    EXPECT_EQ(Bytes(L"report.txt."), "dotted");
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 1);
}

}  // namespace
