// The rename dialog on the real program and real files: opened with F2, its design, the refusal of characters
// that file names cannot hold, the confirmation of a changed extension, failures that must lose nothing, and a
// file that vanishes while the dialog is open.
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

// The name a file has on disk (the file system's own spelling), "" when there is no such file.
std::string NameOnDisk(const std::string& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(driver::ToWide(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    FindClose(find);
    return driver::ToUtf8(data.cFileName);
}

// A folder holding Tessaly.exe, a settings file listing .txt and .doc files, and the test's files. The program's
// own folder is the folder shown, so the file list holds exactly the test's files.
class RenameDialog : public ::testing::Test {
protected:
    void StartWith(const std::vector<std::string>& files)
    {
        dir_.WriteIni({"[Option]", "UpdateCheck=0", "[extension]", "count=2", "ex1=.txt", "ex2=.doc"});
        for (const std::string& name : files) {
            dir_.WriteFile(name, "content of " + name);
        }
        program_ = std::make_unique<driver::Program>(dir_.Path());
        main_ = program_->Start();
        list_ = main_.Child("ListBox1");
    }

    // Selects name in the file list and presses F2; returns the dialog once it is on the screen.
    Window OpenRenameDialog(const std::string& name)
    {
        const std::vector<std::string> items = list_.Items();
        int index = -1;
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i] == name) {
                index = static_cast<int>(i);
            }
        }
        if (index < 0) {
            ADD_FAILURE() << name << " is not in the file list";
            return Window();
        }
        list_.ClickItem(index);
        EXPECT_TRUE(WaitUntil([&] { return list_.SelectedText() == name; }, name + " selected"));
        program_->Press("F2");
        dialog_ = program_->WaitForWindow("TForm2", "ファイル名変更");
        return dialog_;
    }

    // Types a new name and presses OK.
    void EnterName(const std::string& name)
    {
        dialog_.Child("Edit1").SetText(name);
        dialog_.Child("Button1").Click();
    }

    // Expects an error box for one offending character and answers it.
    void ExpectRefused(const std::string& quotedCharacter)
    {
        MessageDialog box = program_->WaitForMessageBox();
        EXPECT_EQ(box.Caption(), "エラー");
        EXPECT_EQ(box.Text(), quotedCharacter + "はファイル名に使えません");
        EXPECT_EQ(box.Buttons(), std::vector<std::string>{"中止(&A)"});
        box.Press("中止(&A)");
    }

    // Expects a plain box of the program with text and answers it.
    void ExpectMessage(const std::string& text)
    {
        MessageDialog box = program_->WaitForMessageBox();
        EXPECT_EQ(box.Caption(), "Tessaly");
        EXPECT_EQ(box.Text(), text);
        box.Press("OK");
    }

    // Expects the question about the changed extension and answers it.
    void ExpectExtensionQuestion(const std::string& answer)
    {
        MessageDialog box = program_->WaitForMessageBox();
        EXPECT_EQ(box.Caption(), "警告");
        EXPECT_EQ(box.Text(), "拡張子が変更されています。ファイル名を変更しますか？");
        EXPECT_EQ(box.Buttons(), (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));
        box.Press(answer);
    }

    // After a refusal: the handler has returned and showed no further box. A message sent to the program is
    // answered only while its GUI thread waits for input, which is inside the next box or back in the dialog;
    // after two answers in a row any further box would be on the screen.
    ::testing::AssertionResult DialogWaitsForCorrection(const std::string& text)
    {
        driver::SendW(main_.Handle(), WM_NULL, 0, 0);
        driver::SendW(main_.Handle(), WM_NULL, 0, 0);
        const std::vector<MessageDialog> boxes = program_->OpenMessageBoxes();
        if (!boxes.empty()) {
            return ::testing::AssertionFailure() << "a further box: \"" << boxes.front().Text() << "\"";
        }
        if (!dialog_.IsVisible()) {
            return ::testing::AssertionFailure() << "the dialog has closed";
        }
        const std::string shown = dialog_.Child("Edit1").Text();
        if (shown != text) {
            return ::testing::AssertionFailure() << "Edit1 shows \"" << shown << "\", not \"" << text << "\"";
        }
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult DialogCloses() const { return program_->WaitForWindowGone("TForm2"); }

    driver::TempDir dir_;  // outlives the program, which is stopped first
    std::unique_ptr<driver::Program> program_;
    Window main_;
    Window list_;
    Window dialog_;
};

TEST_F(RenameDialog, OpensWithF2AsDesignedAndCancelKeepsTheName)
{
    StartWith({"report.txt", "memo.txt"});
    Window dialog = OpenRenameDialog("report.txt");

    EXPECT_EQ(dialog.ClientRect().Width(), 281);
    EXPECT_EQ(dialog.ClientRect().Height(), 152);
    const driver::Point mainCentre = main_.Bounds().Center();
    const driver::Point dialogCentre = dialog.Bounds().Center();
    EXPECT_NEAR(dialogCentre.x, mainCentre.x, 1);
    EXPECT_NEAR(dialogCentre.y, mainCentre.y, 1);
    EXPECT_FALSE(dialog.HasStyle(WS_THICKFRAME)) << "fixed size";
    EXPECT_EQ(dialog.Owner(), main_);
    EXPECT_FALSE(main_.IsEnabled()) << "modal";

    EXPECT_EQ(dialog.Child("Label2").Text(), "現在のファイル名：");
    EXPECT_EQ(dialog.Child("Label3").Text(), "report.txt");
    EXPECT_EQ(dialog.Child("Label1").Text(), "新しいファイル名を入力してください");
    EXPECT_EQ(dialog.Child("Edit1").Text(), "report.txt");
    EXPECT_EQ(dialog.Child("Button1").Text(), "OK");
    EXPECT_EQ(dialog.Child("Button2").Text(), "キャンセル");
    // Enter presses neither button.
    EXPECT_FALSE(dialog.Child("Button1").HasStyle(BS_DEFPUSHBUTTON));

    const driver::Rect client = dialog.ClientBounds();
    auto placeOf = [&](const std::string& name) {
        const driver::Rect r = dialog.Child(name).Bounds();
        return driver::Rect{r.left - client.left, r.top - client.top, r.right - client.left, r.bottom - client.top};
    };
    EXPECT_EQ(placeOf("Label2").left, 8);
    EXPECT_EQ(placeOf("Label2").top, 8);
    EXPECT_EQ(placeOf("Label3"), (driver::Rect{8, 22, 273, 71}));
    EXPECT_EQ(placeOf("Label1").left, 8);
    EXPECT_EQ(placeOf("Label1").top, 74);
    EXPECT_EQ(placeOf("Edit1"), (driver::Rect{8, 88, 273, 108}));
    EXPECT_EQ(placeOf("Button1"), (driver::Rect{152, 112, 209, 137}));
    EXPECT_EQ(placeOf("Button2"), (driver::Rect{216, 112, 273, 137}));

    // The edit box has the focus with its whole text selected, ready to be typed over.
    const Window edit = dialog.Child("Edit1");
    EXPECT_TRUE(WaitUntil([&] { return program_->FocusedWindow() == edit; }, "the focus in Edit1"));
    const LRESULT selection = driver::SendW(edit.Handle(), EM_GETSEL, 0, 0);
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), 10);

    driver::Screenshot("rename_dialog", dialog);

    dialog.Child("Button2").Click();
    EXPECT_TRUE(DialogCloses());
    EXPECT_EQ(NameOnDisk(dir_ / "report.txt"), "report.txt");
    EXPECT_EQ(list_.Items(), (std::vector<std::string>{"memo.txt", "report.txt"}));
    EXPECT_EQ(list_.SelectedText(), "report.txt");
    EXPECT_EQ(program_->MessageBoxesSeen(), 0);
}

// "&" in a file name is part of the name, not an accelerator mark: the label draws it (screenshot kept).
TEST_F(RenameDialog, AmpersandInTheCurrentNameIsShownAsItIs)
{
    StartWith({"R&D.txt"});
    Window dialog = OpenRenameDialog("R&D.txt");
    EXPECT_EQ(dialog.Child("Label3").Text(), "R&D.txt");
    EXPECT_TRUE(dialog.Child("Label3").HasStyle(SS_NOPREFIX));
    EXPECT_FALSE(dialog.Child("Label1").HasStyle(SS_NOPREFIX)) << "the dialog's own labels are as designed";
    driver::Screenshot("rename_dialog_ampersand", dialog);
    dialog.Child("Button2").Click();
    EXPECT_TRUE(DialogCloses());
}

TEST_F(RenameDialog, RefusesEachInvalidCharacterWithItsOwnBoxAndStaysOpen)
{
    StartWith({"report.txt"});
    dir_.MakeDir("ソ");
    OpenRenameDialog("report.txt");

    EnterName("a/b.txt");
    {
        MessageDialog box = program_->WaitForMessageBox();
        driver::Screenshot("rename_error_box");
        EXPECT_EQ(box.Caption(), "エラー");
        EXPECT_EQ(box.Text(), "\"/\"はファイル名に使えません");
        EXPECT_EQ(box.Buttons(), std::vector<std::string>{"中止(&A)"});
        box.Press("中止(&A)");
    }
    EXPECT_TRUE(DialogWaitsForCorrection("a/b.txt"));

    // One box per character, in the order of the table: the less-than sign before the greater-than sign, whatever
    // their order in the name.
    EnterName("a>b<.txt");
    ExpectRefused("\"<\"");
    ExpectRefused("\">\"");
    EXPECT_TRUE(DialogWaitsForCorrection("a>b<.txt"));

    // A character repeated gives one box; all eight characters give eight.
    EnterName("x||y|.txt");
    ExpectRefused("\"|\"");
    EXPECT_TRUE(DialogWaitsForCorrection("x||y|.txt"));
    EnterName("\\/:*\"<>|");
    for (const char* quoted : {"\"\\\"", "\"/\"", "\":\"", "\"*\"", "\"\"\"", "\"<\"", "\">\"", "\"|\""}) {
        ExpectRefused(quoted);
    }
    EXPECT_TRUE(DialogWaitsForCorrection("\\/:*\"<>|"));

    // The second byte of "ソ" is the backslash's value, but the backslash after it is a real one: the name would
    // move the file into the folder "ソ".
    EnterName("ソ\\x.txt");
    ExpectRefused("\"\\\"");
    EXPECT_TRUE(DialogWaitsForCorrection("ソ\\x.txt"));

    EXPECT_EQ(program_->MessageBoxesSeen(), 1 + 2 + 1 + 8 + 1);
    EXPECT_EQ(NameOnDisk(dir_ / "report.txt"), "report.txt");
    EXPECT_FALSE(dir_.Exists("ソ\\x.txt"));

    dialog_.Child("Button2").Click();
    EXPECT_TRUE(DialogCloses());
}

TEST_F(RenameDialog, DoubleByteCharactersEndingInBackslashOrBarBytesPass)
{
    StartWith({"report.txt"});

    // "ソ" is 83 5C: its second byte is no backslash.
    OpenRenameDialog("report.txt");
    EnterName("ソフト.txt");
    ASSERT_TRUE(DialogCloses());
    EXPECT_EQ(NameOnDisk(dir_ / "ソフト.txt"), "ソフト.txt");
    EXPECT_EQ(dir_.Read("ソフト.txt"), "content of report.txt");
    EXPECT_EQ(list_.SelectedText(), "ソフト.txt");

    // "ポ" is 83 7C: the only "|" of this name is its second byte.
    OpenRenameDialog("ソフト.txt");
    EnterName("ポップ.txt");
    ASSERT_TRUE(DialogCloses());
    EXPECT_EQ(NameOnDisk(dir_ / "ポップ.txt"), "ポップ.txt");
    EXPECT_EQ(list_.Items(), std::vector<std::string>{"ポップ.txt"});
    EXPECT_EQ(list_.SelectedText(), "ポップ.txt");
    EXPECT_EQ(program_->MessageBoxesSeen(), 0);
}

TEST_F(RenameDialog, ChangedExtensionAsksAndNoKeepsTheFile)
{
    StartWith({"report.txt", "memo.txt"});
    OpenRenameDialog("report.txt");
    EnterName("report.doc");
    ExpectExtensionQuestion("いいえ(&N)");

    ASSERT_TRUE(DialogCloses());
    EXPECT_EQ(program_->MessageBoxesSeen(), 1) << "No renames nothing and says nothing more";
    EXPECT_EQ(NameOnDisk(dir_ / "report.txt"), "report.txt");
    EXPECT_FALSE(dir_.Exists("report.doc"));
    EXPECT_EQ(list_.Items(), (std::vector<std::string>{"memo.txt", "report.txt"}));
    EXPECT_EQ(list_.SelectedText(), "report.txt");
}

TEST_F(RenameDialog, YesRenamesAndSelectsTheNewNameEvenForACaseChange)
{
    StartWith({"report.TXT", "memo.txt"});

    // The extension comparison respects letter case: ".TXT" to ".txt" is a change.
    OpenRenameDialog("report.TXT");
    EnterName("report.txt");
    ExpectExtensionQuestion("はい(&Y)");
    ASSERT_TRUE(DialogCloses());
    // The file system takes both spellings for one file; the file must still get the new one.
    EXPECT_EQ(NameOnDisk(dir_ / "report.txt"), "report.txt");
    EXPECT_EQ(dir_.Read("report.txt"), "content of report.TXT");
    EXPECT_EQ(list_.Items(), (std::vector<std::string>{"memo.txt", "report.txt"}));
    EXPECT_EQ(list_.SelectedText(), "report.txt");

    // A change of extension: Yes renames.
    OpenRenameDialog("memo.txt");
    EnterName("memo.doc");
    ExpectExtensionQuestion("はい(&Y)");
    ASSERT_TRUE(DialogCloses());
    EXPECT_FALSE(dir_.Exists("memo.txt"));
    EXPECT_EQ(dir_.Read("memo.doc"), "content of memo.txt");
    EXPECT_EQ(list_.SelectedText(), "memo.doc");

    // The same extension renames without asking, the name taken exactly as typed.
    OpenRenameDialog("report.txt");
    EnterName("議事録 2024.txt");
    ASSERT_TRUE(DialogCloses());
    EXPECT_EQ(NameOnDisk(dir_ / "議事録 2024.txt"), "議事録 2024.txt");
    EXPECT_EQ(list_.Items(), (std::vector<std::string>{"memo.doc", "議事録 2024.txt"}));
    EXPECT_EQ(list_.SelectedText(), "議事録 2024.txt");
    EXPECT_EQ(program_->MessageBoxesSeen(), 2);
}

TEST_F(RenameDialog, RenamesTheFileSystemRefusesFailAndLoseNothing)
{
    StartWith({"report.txt", "other.txt"});

    // The question mark is not among the refused characters: the file system refuses it.
    OpenRenameDialog("report.txt");
    EnterName("what?.txt");
    ExpectMessage("リネームに失敗しました。");
    ASSERT_TRUE(DialogCloses());
    EXPECT_EQ(list_.SelectedText(), "report.txt");

    // A name that another file has: that file is not replaced.
    OpenRenameDialog("report.txt");
    EnterName("other.txt");
    ExpectMessage("リネームに失敗しました。");
    ASSERT_TRUE(DialogCloses());
    EXPECT_EQ(list_.SelectedText(), "report.txt");

    // The same in other letter case: another file all the same.
    OpenRenameDialog("report.txt");
    EnterName("OTHER.txt");
    ExpectMessage("リネームに失敗しました。");
    ASSERT_TRUE(DialogCloses());

    // An empty name: the extension is gone, so the question comes first; then the rename fails.
    OpenRenameDialog("report.txt");
    EnterName("");
    ExpectExtensionQuestion("はい(&Y)");
    ExpectMessage("リネームに失敗しました。");
    ASSERT_TRUE(DialogCloses());
    EXPECT_EQ(list_.SelectedText(), "report.txt");

    EXPECT_EQ(program_->MessageBoxesSeen(), 5);
    EXPECT_EQ(dir_.Read("report.txt"), "content of report.txt");
    EXPECT_EQ(dir_.Read("other.txt"), "content of other.txt");
    EXPECT_EQ(NameOnDisk(dir_ / "other.txt"), "other.txt");
    EXPECT_EQ(list_.Items(), (std::vector<std::string>{"other.txt", "report.txt"}));
}

TEST_F(RenameDialog, FileVanishedWhileOpenIsReportedThenDroppedFromTheList)
{
    StartWith({"report.txt", "memo.txt"});
    OpenRenameDialog("report.txt");
    ASSERT_TRUE(DeleteFileW(driver::ToWide(dir_ / "report.txt").c_str()));

    EnterName("new.txt");
    MessageDialog box = program_->WaitForMessageBox();
    EXPECT_EQ(box.Caption(), "Tessaly");
    EXPECT_EQ(box.Text(), "ファイルが存在しません。\n\rファイル名変更、削除、移動された可能性があります。");
    // The message comes first: the list is refreshed and the dialog closed only after it.
    EXPECT_EQ(list_.Items(), (std::vector<std::string>{"memo.txt", "report.txt"}));
    EXPECT_TRUE(dialog_.IsVisible());
    box.Press("OK");

    ASSERT_TRUE(DialogCloses());
    EXPECT_EQ(list_.Items(), std::vector<std::string>{"memo.txt"});
    EXPECT_EQ(list_.Selection(), -1);
    EXPECT_FALSE(dir_.Exists("new.txt"));
    EXPECT_EQ(program_->MessageBoxesSeen(), 1);
}

}  // namespace
