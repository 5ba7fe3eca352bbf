// Deleting the selected file with Del on the real program: the confirmation names the full path, No changes
// nothing, Yes moves the file into the recycle bin (from where it can be restored) without refreshing the list,
// and a file that has already gone is reported after the confirmation.
//
// Wine's recycle bin is the desktop trash, $HOME/.local/share/Trash (or $XDG_DATA_HOME/Trash), reached here through
// the Z: drive; Windows programs see HOME as WINEHOMEDIR. The test script creates $HOME/.local/share: without it
// Wine would delete the file for good.
#include "driver/Files.h"
#include "driver/Program.h"
#include "driver/Screenshot.h"
#include "driver/Text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using driver::MessageDialog;
using driver::Window;
using driver::WaitUntil;

// A Unix environment variable as a Windows path on the Z: drive (Wine maps Z: to the root); "" when unset.
std::string UnixVariableAsWindowsPath(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || value[0] != L'/') {
        return std::string();
    }
    std::wstring path = L"Z:";
    for (const wchar_t* c = value; *c; ++c) {
        path += *c == L'/' ? L'\\' : *c;
    }
    while (path.back() == L'\\') {
        path.pop_back();
    }
    return driver::ToUtf8(path);
}

// Wine's home folder as a Windows path, from WINEHOMEDIR ("\??\Z:\home\user"), which Wine sets in place of HOME.
std::string WineHomeFolder()
{
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"WINEHOMEDIR", value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    std::wstring path = value;
    if (path.rfind(L"\\??\\", 0) == 0) {
        path.erase(0, 4);
    }
    while (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    return driver::ToUtf8(path);
}

// The folder that holds the trash ("...\.local\share"), "" when it cannot be found.
std::string TrashParent()
{
    const std::string data = UnixVariableAsWindowsPath(L"XDG_DATA_HOME");
    if (!data.empty()) {
        return data;
    }
    const std::string home = WineHomeFolder();
    return home.empty() ? std::string() : driver::JoinPath(home, ".local\\share");
}

// Percent-encoded UTF-8 of code page 932 text, as the trash records original paths.
std::string UrlEncoded(const std::string& ansi)
{
    const std::wstring wide = driver::ToWide(ansi);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), utf8.data(), size, nullptr,
                        nullptr);
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80 && (isalnum(b) || b == '.' || b == '-' || b == '_' || b == '~')) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[b >> 4];
            encoded += hex[b & 15];
        }
    }
    return encoded;
}

// The program in a folder whose name is Japanese (with "ソ", whose second byte is 0x5C), showing one file of a
// name no other test uses, so that its trash entry is this test's own.
class RecycleBin : public ::testing::Test {
protected:
    void SetUp() override
    {
        folderName_ = "資料ソフト";
        folder_ = dir_.MakeDir(folderName_);
        const std::string leaf = dir_.Path().substr(dir_.Path().rfind('\\') + 1);
        fileName_ = "メモ-" + leaf + ".txt";
        driver::WriteTextLines(driver::JoinPath(folder_, "Tessaly.ini"),
                               {"[Option]", "UpdateCheck=0", "[extension]", "count=1", "ex1=.txt"});
        driver::WriteFileBytes(File(), "keep me");
        driver::WriteFileBytes(driver::JoinPath(folder_, "other.txt"), "other");

        trash_ = TrashParent().empty() ? std::string() : driver::JoinPath(TrashParent(), "Trash");
        program_ = std::make_unique<driver::Program>(folder_);
        main_ = program_->Start();
        list_ = main_.Child("ListBox1");
    }

    void TearDown() override
    {
        program_.reset();
        // Whatever this test put into the trash goes; the rest of the trash is not touched.
        if (!trash_.empty()) {
            DeleteFileW(driver::ToWide(TrashedFile()).c_str());
            DeleteFileW(driver::ToWide(TrashInfo()).c_str());
        }
    }

    std::string File() const { return driver::JoinPath(folder_, fileName_); }
    std::string TrashedFile() const { return driver::JoinPath(trash_, "files\\" + fileName_); }
    std::string TrashInfo() const { return driver::JoinPath(trash_, "info\\" + fileName_ + ".trashinfo"); }

    // Selects the test's file and presses Del; returns the confirmation.
    MessageDialog PressDelOnTheFile()
    {
        list_.ClickItem(IndexOf(fileName_));
        EXPECT_TRUE(WaitUntil([&] { return list_.SelectedText() == fileName_; }, "the file selected"));
        program_->Press("Del");
        return program_->WaitForMessageBox();
    }

    int IndexOf(const std::string& name) const
    {
        const std::vector<std::string> items = list_.Items();
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i] == name) {
                return static_cast<int>(i);
            }
        }
        ADD_FAILURE() << name << " is not in the file list";
        return 0;
    }

    void ExpectConfirmation(const MessageDialog& box) const
    {
        EXPECT_EQ(box.Caption(), "警告");
        EXPECT_EQ(box.Text(), File() + "をゴミ箱に移動しますか？");
        EXPECT_EQ(box.Buttons(), (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));
    }

    // The handler has returned without a further box: a message sent to the program is answered only while its
    // GUI thread waits for input, inside a box or back in the main loop; after two answers any box would show.
    ::testing::AssertionResult NoFurtherBox() const
    {
        driver::SendW(main_.Handle(), WM_NULL, 0, 0);
        driver::SendW(main_.Handle(), WM_NULL, 0, 0);
        const std::vector<MessageDialog> boxes = program_->OpenMessageBoxes();
        if (!boxes.empty()) {
            return ::testing::AssertionFailure() << "a further box: \"" << boxes.front().Caption() << "\" \""
                                                 << boxes.front().Text() << "\"";
        }
        return ::testing::AssertionSuccess();
    }

    driver::TempDir dir_;  // outlives the program, which is stopped first
    std::string folderName_;
    std::string folder_;
    std::string fileName_;
    std::string trash_;
    std::unique_ptr<driver::Program> program_;
    Window main_;
    Window list_;
};

TEST_F(RecycleBin, ConfirmationNamesTheFullPathAndNoKeepsEverything)
{
    const std::vector<std::string> before = list_.Items();
    MessageDialog box = PressDelOnTheFile();
    ExpectConfirmation(box);
    // The path directly followed by the question, in a folder with Japanese characters.
    EXPECT_EQ(box.Text(), dir_.Path() + "\\資料ソフト\\" + fileName_ + "をゴミ箱に移動しますか？");
    box.Press("いいえ(&N)");

    EXPECT_TRUE(NoFurtherBox());
    EXPECT_EQ(driver::ReadFileBytes(File()), "keep me");
    EXPECT_EQ(list_.Items(), before);
    EXPECT_EQ(list_.SelectedText(), fileName_);
    EXPECT_EQ(program_->MessageBoxesSeen(), 1);
}

TEST_F(RecycleBin, YesMovesTheFileToTheTrashFromWhereItCanBeRestored)
{
    ASSERT_FALSE(trash_.empty()) << "WINEHOMEDIR is not set";
    ASSERT_TRUE(driver::DirExists(TrashParent()))
        << TrashParent() << " is missing: Wine would delete the file for good";
    const std::vector<std::string> before = list_.Items();
    // The shell is loaded by the first action that needs it, not at start.
    EXPECT_EQ(program_->LoadedModules().count("shell32.dll"), 0u);

    MessageDialog box = PressDelOnTheFile();
    ExpectConfirmation(box);
    box.Press("はい(&Y)");
    // The shell may ask once more (Wine does, unless told not to): that question is the shell's, answered Yes.
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const MessageDialog& shellBox : program_->OpenMessageBoxes()) {
                for (const std::string& button : shellBox.Buttons()) {
                    if (button.rfind("はい", 0) == 0) {
                        shellBox.Press(button);
                        break;
                    }
                }
            }
            return !driver::PathExists(File());
        },
        "the file to leave its folder"));
    EXPECT_TRUE(NoFurtherBox());
    EXPECT_EQ(program_->LoadedModules().count("shell32.dll"), 1u);

    // In the trash, whole, with the record of where it came from; not destroyed.
    EXPECT_EQ(driver::ReadFileBytes(TrashedFile()), "keep me");
    const std::string info = driver::ReadFileBytes(TrashInfo());
    EXPECT_NE(info.find(UrlEncoded("資料ソフト") + "/" + UrlEncoded(fileName_)), std::string::npos) << info;

    // No refresh: the entry stays listed and selected.
    EXPECT_EQ(list_.Items(), before);
    EXPECT_EQ(list_.SelectedText(), fileName_);

    // The stale entry: the confirmation comes first, then the file is reported missing; the shell is not asked.
    MessageDialog again = PressDelOnTheFile();
    ExpectConfirmation(again);
    again.Press("はい(&Y)");
    MessageDialog missing = program_->WaitForMessageBox();
    EXPECT_EQ(missing.Caption(), "Tessaly");
    EXPECT_EQ(missing.Text(), "ファイルが存在しません。\n\rファイル名変更、削除、移動された可能性があります。");
    missing.Press("OK");
    EXPECT_TRUE(NoFurtherBox());
    EXPECT_EQ(list_.Items(), before);

    // F5 drops it.
    program_->Press("F5");
    EXPECT_TRUE(WaitUntil([&] { return list_.Items() == std::vector<std::string>{"other.txt"}; },
                          "the list without the deleted file"));

    // Restored from the trash, the file is back as it was.
    ASSERT_TRUE(MoveFileW(driver::ToWide(TrashedFile()).c_str(), driver::ToWide(File()).c_str()));
    ASSERT_TRUE(DeleteFileW(driver::ToWide(TrashInfo()).c_str()));
    EXPECT_EQ(driver::ReadFileBytes(File()), "keep me");
    program_->Press("F5");
    EXPECT_TRUE(WaitUntil([&] { return list_.Items() == before; }, "the restored file listed again"));
}

}  // namespace

// A name the code page cannot hold: the confirmation names the exact file, and that file goes to the trash, never
// the file its stand-in names.
TEST_F(RecycleBin, TheChosenFileGoesNotTheOneItsCodePageFormNames)
{
    ASSERT_FALSE(trash_.empty()) << "WINEHOMEDIR is not set";
    const std::wstring leaf = driver::ToWide(dir_.Path().substr(dir_.Path().rfind('\\') + 1));
    const std::wstring accented = L"caf\u00e9-" + leaf + L".txt";
    const std::wstring folder = driver::ToWide(folder_) + L"\\";
    const std::string plain = "cafe-" + driver::ToUtf8(leaf) + ".txt";
    HANDLE file = CreateFileW((folder + accented).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    driver::WriteFileBytes(driver::JoinPath(folder_, plain), "plain");
    struct TrashCleanup {
        std::wstring files, info;
        ~TrashCleanup() {
            DeleteFileW(files.c_str());
            DeleteFileW(info.c_str());
        }
    } cleanup{driver::ToWide(trash_) + L"\\files\\" + accented,
              driver::ToWide(trash_) + L"\\info\\" + accented + L".trashinfo"};

    program_->Press("F5");
    ASSERT_TRUE(WaitUntil([&] { return list_.ItemCount() == 4; }, "the two new files listed"));
    const std::vector<std::wstring> items = list_.ExactItems();
    const int index = static_cast<int>(std::find(items.begin(), items.end(), accented) - items.begin());
    ASSERT_LT(index, 4);
    list_.ClickItem(index);
    ASSERT_TRUE(WaitUntil([&] { return list_.Selection() == index; }, "the accented file selected"));
    program_->Press("Del");
    const MessageDialog confirmation = program_->WaitForMessageBox();
    // The confirmation names the exact file, not its stand-in "cafe-….txt".
    EXPECT_EQ(confirmation.ExactText(), folder + accented + driver::ToWide("をゴミ箱に移動しますか？"));
    confirmation.Press("はい(&Y)");
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const MessageDialog& shellBox : program_->OpenMessageBoxes()) {
                for (const std::string& button : shellBox.Buttons()) {
                    if (button.rfind("はい", 0) == 0) shellBox.Press(button);
                }
            }
            return GetFileAttributesW((folder + accented).c_str()) == INVALID_FILE_ATTRIBUTES;
        },
        "the accented file to leave its folder"));
    EXPECT_TRUE(NoFurtherBox());
    EXPECT_EQ(driver::ReadFileBytes(driver::JoinPath(folder_, plain)), "plain");
    EXPECT_EQ(driver::ReadFileBytes(File()), "keep me");
    EXPECT_NE(GetFileAttributesW(cleanup.files.c_str()), INVALID_FILE_ATTRIBUTES) << "in the trash";
}
