// Find as you type in the real window: characters typed in the file list open the filter box with them and the list
// shows the names holding every word, with case, width, kana type and composed form folded; Esc or an empty box
// brings the whole list back with the same file selected; the arrows and Enter act on the narrowed list, but not
// the Enter of a conversion; F5 keeps the filter, another folder closes it; QuickFilter=0 gives the list box's own
// jump to a name by its first letter back.
#include "app/MainWindowSupport.h"
#include "app/ShellCommandOverride.h"
#include "driver/Probe.h"

using namespace main_window;

namespace {

// "が" written as "か" and the combining voiced mark, as names copied from a Mac arrive.
const char kDecomposedGuide[] = "か\u3099い\u3068\u3099.txt";

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// True when every name of shown stands in full in the same order.
bool InTheSameOrder(const std::vector<std::string>& shown, const std::vector<std::string>& full)
{
    auto at = full.begin();
    for (const std::string& name : shown) {
        at = std::find(at, full.end(), name);
        if (at == full.end()) return false;
        ++at;
    }
    return true;
}

class QuickFilter : public ::testing::Test {
protected:
    driver::Window Box() const { return s.Control("Edit1"); }

    // Types text into the program and waits until the file list shows count entries.
    ::testing::AssertionResult TypeAndWait(const std::string& text, int count)
    {
        driver::TypeText(s.Main(), text);
        return driver::WaitUntil([&] { return s.Files().ItemCount() == count && Box().IsVisible(); },
                                 "\"" + text + "\" typed, " + std::to_string(count) + " entries shown");
    }

    ::testing::AssertionResult WaitForWholeList(int count)
    {
        return driver::WaitUntil([&] { return s.Files().ItemCount() == count && !Box().IsVisible(); },
                                 "the filter closed, " + std::to_string(count) + " entries shown");
    }

    std::string Header() const { return s.Control("Label2").Text(); }

    Session s;
};

TEST_F(QuickFilter, KanaWidthCaseAndComposedFormsNarrowTheListAndEscBringsItBack)
{
    const std::vector<std::string> names = {"メモ 2026.txt", "めも.txt",   "ﾒﾓ.txt",     "会議メモ.txt",
                                            "ＭＥＭＯ.txt",  "memo.txt",   "report.txt", kDecomposedGuide};
    for (const std::string& name : names) s.WriteFile(name);
    s.WriteIni(Ini());
    s.Start();
    EXPECT_EQ(s.WaitForCounts(), "ファイルリスト 8");
    const std::vector<std::string> all = s.Files().Items();
    const driver::Rect listBounds = s.Files().Bounds();
    s.ChooseFile("report.txt");

    // The first character opens the box with it instead of jumping to a name; the four kana names stay, in the
    // list's order, and the first of them is selected in place of report.txt.
    ASSERT_TRUE(TypeAndWait("めも", 4));
    EXPECT_EQ(Box().Text(), "めも");
    EXPECT_EQ(Sorted(s.Files().Items()), Sorted({"メモ 2026.txt", "めも.txt", "ﾒﾓ.txt", "会議メモ.txt"}));
    EXPECT_TRUE(InTheSameOrder(s.Files().Items(), all));
    EXPECT_EQ(s.Files().Selection(), 0);
    EXPECT_EQ(Header(), "ファイルリスト 4/8");
    EXPECT_EQ(s.Program().FocusedWindow(), Box());
    // The box lies along the bottom edge of the file list's place, as wide as the list.
    const driver::Rect box = Box().Bounds();
    const driver::Rect list = s.Files().Bounds();
    EXPECT_EQ(box.left, list.left);
    EXPECT_EQ(box.right, list.right);
    EXPECT_EQ(box.top, list.bottom);
    EXPECT_EQ(box.bottom, listBounds.bottom);
    EXPECT_EQ(list.top, listBounds.top);
    driver::Screenshot(driver::CurrentTestName() + "_kana");

    ASSERT_TRUE(TypeAndWait(" 2026", 1));
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"メモ 2026.txt"}));
    EXPECT_EQ(s.Files().Selection(), 0);
    EXPECT_EQ(Header(), "ファイルリスト 1/8");

    driver::PressKeys(s.Main(), "Esc");
    ASSERT_TRUE(WaitForWholeList(8));
    EXPECT_EQ(s.Files().Items(), all);
    EXPECT_EQ(s.Files().SelectedText(), "メモ 2026.txt");
    EXPECT_EQ(Header(), "ファイルリスト 8");
    EXPECT_EQ(s.Files().Bounds(), listBounds);
    EXPECT_EQ(s.Program().FocusedWindow(), s.Files());

    // Latin letters of either width and case; emptying the box closes it as Esc does.
    ASSERT_TRUE(TypeAndWait("memo", 2));
    EXPECT_EQ(Sorted(s.Files().Items()), Sorted({"ＭＥＭＯ.txt", "memo.txt"}));
    const std::string selected = s.Files().SelectedText();
    // Delete edits the box, as in any edit box: no file is offered to the recycle bin.
    driver::PressKeys(s.Main(), "Left");
    driver::PressKeys(s.Main(), "Delete");
    ASSERT_TRUE(driver::WaitUntil([&] { return Box().Text() == "mem"; }, "Delete takes the letter after the caret"));
    EXPECT_TRUE(s.Program().OpenMessageBoxes().empty());
    for (int i = 0; i < 3; ++i) driver::PressKeys(s.Main(), "Backspace");
    ASSERT_TRUE(WaitForWholeList(8));
    EXPECT_EQ(s.Files().SelectedText(), selected);

    // The composed "がい" finds the name written decomposed, which the list shows as it is.
    ASSERT_TRUE(TypeAndWait("がい", 1));
    EXPECT_EQ(s.Files().ExactItems(), (std::vector<std::wstring>{driver::ToWide(kDecomposedGuide)}));
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
}

TEST_F(QuickFilter, ArrowsAndEnterActOnTheNarrowedListButNotTheEnterOfAConversion)
{
    for (const char* name : {"alpha.txt", "beta.txt", "delta.txt", "gamma.txt"}) s.WriteFile(name);
    const std::string probe = driver::CopyProbe(s.Temp().MakeDir("Tools"));
    const shell_test::ShellCommandOverride txt("txtfile", probe, "\"C:\\windows\\system32\\notepad.exe\" \"%1\"");
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    s.ChooseFile("alpha.txt");

    ASSERT_TRUE(TypeAndWait("ta", 2));
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"beta.txt", "delta.txt"}));
    EXPECT_EQ(s.Files().SelectedText(), "beta.txt");
    driver::PressKeys(s.Main(), "Down");
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Files().SelectedText() == "delta.txt"; }, "Down selects delta.txt"));
    EXPECT_EQ(s.Program().FocusedWindow(), Box()) << "the box keeps the keyboard";
    driver::PressKeys(s.Main(), "Enter");
    const driver::ProbeRecord run = driver::TakeProbeLog(probe);
    EXPECT_NE(run.commandLine.find("\\delta.txt\""), std::string::npos) << run.commandLine;

    // While a conversion is open the Enter that confirms it is the input method's: nothing runs, and the keys after
    // it still reach the box (a message box would have stopped them). Here the file is gone, so an Enter that
    // executes shows the file-missing message.
    ASSERT_TRUE(DeleteFileW(driver::ToWide(s.InBase("delta.txt")).c_str()));
    driver::SendW(Box().Handle(), WM_IME_STARTCOMPOSITION, 0, 0);
    driver::PressKeys(s.Main(), "Enter");
    driver::TypeText(s.Main(), " ");
    ASSERT_TRUE(driver::WaitUntil([&] { return Box().Text() == "ta "; }, "the key after Enter in the box"))
        << s.Program().DescribeWindows();
    EXPECT_EQ(s.Program().MessageBoxesSeen(), 0);
    EXPECT_FALSE(driver::ReadProbeLog(probe).has_value());
    driver::SendW(Box().Handle(), WM_IME_ENDCOMPOSITION, 0, 0);
    EXPECT_EQ(s.Files().SelectedText(), "delta.txt");
    driver::PressKeys(s.Main(), "Enter");
    EXPECT_EQ(s.TakeMessage(), "ファイルが存在しません。\n\rファイル名変更、削除、移動された可能性があります。");
}

TEST_F(QuickFilter, RefillOfTheSameFolderKeepsTheFilterAndAnotherFolderClosesIt)
{
    s.MakeDir("Sub");
    for (const char* name : {"a1.txt", "a2.txt", "b1.txt", "Sub\\a3.txt"}) s.WriteFile(name);
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    s.ChooseFile("b1.txt");

    ASSERT_TRUE(TypeAndWait("a", 2));
    s.WriteFile("a0.txt");
    driver::PressKeys(s.Main(), "F5");
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Files().ItemCount() == 3; }, "a0.txt shown after F5"));
    EXPECT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Text(), "a");
    EXPECT_EQ(s.Files().Items(), (std::vector<std::string>{"a0.txt", "a1.txt", "a2.txt"}));
    EXPECT_EQ(Header(), "ファイルリスト 3/4");

    s.ChooseFolder("Sub", 1);
    EXPECT_FALSE(Box().IsVisible());
    EXPECT_EQ(Header(), "ファイルリスト 1");
}

TEST_F(QuickFilter, OffInTheSettingsTheFirstLetterJumpsAsBefore)
{
    for (const char* name : {"alpha.txt", "beta.txt", "memo.txt"}) s.WriteFile(name);
    s.WriteIni({"[Option]", "UpdateCheck=0", "QuickFilter=0", "[extension]", "count=1", "ex1=.txt"});
    s.Start();
    s.WaitForCounts();
    s.ChooseFile("alpha.txt");
    driver::TypeText(s.Main(), "m");
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Files().SelectedText() == "memo.txt"; }, "the jump to memo.txt"));
    EXPECT_FALSE(Box().IsVisible());
    EXPECT_EQ(s.Files().ItemCount(), 3);
    EXPECT_EQ(Header(), "ファイルリスト 3");
}

}  // namespace
