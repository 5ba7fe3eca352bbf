// The file search dialog on the real program: opened with Ctrl+F, stepping through the file list, the search
// state on its button, and "実行" through the main window.
#include "driver/Files.h"
#include "driver/Input.h"
#include "driver/Probe.h"
#include "driver/Program.h"
#include "driver/Screenshot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using driver::MessageDialog;
using driver::Window;
using driver::WaitUntil;

// A folder with Tessaly.exe, a settings file registering the given extensions, and the given (empty) files.
class SearchDialog : public ::testing::Test {
protected:
    void StartWith(const std::vector<std::string>& extensions, const std::vector<std::string>& files)
    {
        std::vector<std::string> ini = {"[Option]", "UpdateCheck=0", "[extension]",
                                        "count=" + std::to_string(extensions.size())};
        for (size_t i = 0; i < extensions.size(); ++i) {
            ini.push_back("ex" + std::to_string(i + 1) + "=" + extensions[i]);
        }
        dir_.WriteIni(ini);
        for (const std::string& name : files) {
            dir_.WriteFile(name);
        }
        program_ = std::make_unique<driver::Program>(dir_.Path());
        main_ = program_->Start();
        list_ = main_.Child("ListBox1");
    }

    // Ctrl+F in the main window; the dialog once it is on the screen.
    Window OpenSearch()
    {
        program_->Press("Ctrl+F");
        Window dialog = program_->WaitForWindow("TForm5", "ファイルを検索");
        dialog_ = dialog;
        return dialog;
    }

    Window Control(const std::string& name) const { return dialog_.Child(name); }

    // Presses "検索"/"次へ" and waits until the file list shows `name` selected and the dialog names it.
    ::testing::AssertionResult SearchHits(const std::string& name)
    {
        Control("Button1").Click();
        return WaitUntil(
            [&] {
                return list_.SelectedText() == name && Control("Label2").Text() == "ファイル名：\n\r" + name &&
                       Control("Button1").Text() == "次へ";
            },
            "a hit on " + name);
    }

    // Presses the search button, expects the box saying that nothing was found, and answers it.
    void SearchFindsNothing()
    {
        Control("Button1").Click();
        MessageDialog box = program_->WaitForMessageBox();
        EXPECT_EQ(box.Caption(), "Tessaly");
        EXPECT_EQ(box.Text(), "ファイルが見つかりませんでした。");
        box.Press("OK");
    }

    driver::TempDir dir_;  // outlives the program, which is stopped first
    std::unique_ptr<driver::Program> program_;
    Window main_;
    Window list_;
    Window dialog_;
};

TEST_F(SearchDialog, OpensOverTheMainWindowAsDesigned)
{
    StartWith({".txt"}, {"a1.txt"});
    Window dialog = OpenSearch();

    EXPECT_EQ(dialog.ClientRect().Width(), 324);
    EXPECT_EQ(dialog.ClientRect().Height(), 181);
    // Centred on the main window (give or take a pixel of rounding).
    const driver::Point mainCentre = main_.Bounds().Center();
    const driver::Point dialogCentre = dialog.Bounds().Center();
    EXPECT_NEAR(dialogCentre.x, mainCentre.x, 1);
    EXPECT_NEAR(dialogCentre.y, mainCentre.y, 1);
    EXPECT_FALSE(dialog.HasStyle(WS_THICKFRAME)) << "fixed size";
    EXPECT_EQ(dialog.Owner(), main_);

    EXPECT_EQ(Control("Label1").Text(), "検索文字列");
    EXPECT_EQ(Control("Edit1").Text(), "");
    EXPECT_EQ(Control("RadioButton1").Text(), "AND検索");
    EXPECT_EQ(Control("RadioButton2").Text(), "OR検索");
    EXPECT_EQ(Control("RadioButton3").Text(), "完全一致検索");
    EXPECT_TRUE(Control("RadioButton1").IsChecked());
    EXPECT_FALSE(Control("RadioButton2").IsChecked());
    EXPECT_FALSE(Control("RadioButton3").IsChecked());
    EXPECT_EQ(Control("Label2").Text(), "ファイル名：");
    EXPECT_EQ(Control("Button1").Text(), "検索");
    EXPECT_EQ(Control("Button3").Text(), "実行");
    EXPECT_EQ(Control("Button2").Text(), "閉じる");

    // Positions in the dialog's client area.
    const driver::Rect client = dialog.ClientBounds();
    auto placeOf = [&](const std::string& name) {
        const driver::Rect r = Control(name).Bounds();
        return driver::Rect{r.left - client.left, r.top - client.top, r.right - client.left, r.bottom - client.top};
    };
    EXPECT_EQ(placeOf("Edit1"), (driver::Rect{8, 24, 313, 44}));
    EXPECT_EQ(placeOf("RadioButton1"), (driver::Rect{8, 56, 97, 73}));
    EXPECT_EQ(placeOf("RadioButton2"), (driver::Rect{112, 56, 177, 73}));
    EXPECT_EQ(placeOf("RadioButton3"), (driver::Rect{200, 56, 297, 73}));
    EXPECT_EQ(placeOf("Label2"), (driver::Rect{8, 88, 313, 145}));
    EXPECT_EQ(placeOf("Button1"), (driver::Rect{128, 146, 185, 171}));
    EXPECT_EQ(placeOf("Button3"), (driver::Rect{192, 146, 249, 171}));
    EXPECT_EQ(placeOf("Button2"), (driver::Rect{256, 146, 313, 171}));

    // The text box is first in the tab order, so it has the focus.
    EXPECT_TRUE(WaitUntil([&] { return program_->FocusedWindow() == Control("Edit1"); }, "the focus in Edit1"));

    // "閉じる" closes it.
    Control("Button2").Click();
    EXPECT_TRUE(program_->WaitForWindowGone("TForm5"));
}

TEST_F(SearchDialog, EmptyFileListRefusesToOpen)
{
    StartWith({".txt"}, {});
    ASSERT_EQ(list_.ItemCount(), 0);
    program_->Press("Ctrl+F");
    MessageDialog box = program_->WaitForMessageBox();
    EXPECT_EQ(box.Caption(), "Tessaly");
    EXPECT_EQ(box.Text(), "検索対象ファイルがありません");
    box.Press("OK");
    EXPECT_FALSE(program_->FindTopWindow("TForm5"));
}

// Each mode steps through a1.txt, b1.txt, c1.txt with "1", then says nothing is left, then starts over.
class SearchDialogModes : public SearchDialog, public ::testing::WithParamInterface<const char*> {};

TEST_P(SearchDialogModes, StepsFromHitToHitWithoutWrap)
{
    StartWith({".txt"}, {"c1.txt", "a1.txt", "b1.txt", "x.txt"});
    OpenSearch();
    Control(GetParam()).Click();
    ASSERT_TRUE(WaitUntil([&] { return Control(GetParam()).IsChecked(); }, "the mode selected"));
    Control("Edit1").SetText("1");

    ASSERT_TRUE(SearchHits("a1.txt"));
    driver::Screenshot(driver::CurrentTestName() + "_hit");
    ASSERT_TRUE(SearchHits("b1.txt"));
    ASSERT_TRUE(SearchHits("c1.txt"));

    SearchFindsNothing();
    EXPECT_TRUE(WaitUntil([&] { return Control("Button1").Text() == "検索"; }, "the state back to 検索"));
    // The last hit stays shown and selected.
    EXPECT_EQ(list_.SelectedText(), "c1.txt");
    EXPECT_EQ(Control("Label2").Text(), "ファイル名：\n\rc1.txt");

    ASSERT_TRUE(SearchHits("a1.txt"));
}

// A hit whose name holds "&" is shown with it (screenshot kept).
TEST_F(SearchDialog, HitWithAnAmpersandIsShownAsItIs)
{
    StartWith({".txt"}, {"R&D.txt"});
    OpenSearch();
    Control("Edit1").SetText("D");
    ASSERT_TRUE(SearchHits("R&D.txt"));
    EXPECT_TRUE(Control("Label2").HasStyle(SS_NOPREFIX));
    driver::Screenshot(driver::CurrentTestName(), dialog_);
}

INSTANTIATE_TEST_SUITE_P(AllModes, SearchDialogModes,
                         ::testing::Values("RadioButton1", "RadioButton2", "RadioButton3"));

TEST_F(SearchDialog, EditingAfterAHitRestartsAtTheFirstItem)
{
    StartWith({".txt"}, {"a1.txt", "b1.txt", "c1.txt"});
    OpenSearch();
    Control("Edit1").SetText("1");
    ASSERT_TRUE(SearchHits("a1.txt"));
    ASSERT_TRUE(SearchHits("b1.txt"));

    Control("Edit1").SetText(".txt");
    EXPECT_TRUE(WaitUntil([&] { return Control("Button1").Text() == "検索"; }, "the state back to 検索"));
    // From the top again, not after b1.txt.
    ASSERT_TRUE(SearchHits("a1.txt"));

    // A change of mode keeps the state: the next press goes on after the hit.
    Control("RadioButton3").Click();
    ASSERT_TRUE(WaitUntil([&] { return Control("RadioButton3").IsChecked(); }, "the whole-phrase mode"));
    EXPECT_EQ(Control("Button1").Text(), "次へ");
    ASSERT_TRUE(SearchHits("b1.txt"));

    // Closed, the dialog leaves the hit selected and the focus in the file list.
    Control("Button2").Click();
    ASSERT_TRUE(program_->WaitForWindowGone("TForm5"));
    EXPECT_TRUE(WaitUntil([&] { return program_->FocusedWindow() == list_; }, "the focus in the file list"));
    EXPECT_EQ(list_.SelectedText(), "b1.txt");
}

TEST_F(SearchDialog, FirstSearchIgnoresAnExistingSelection)
{
    StartWith({".txt"}, {"a1.txt", "b1.txt", "c1.txt"});
    list_.ClickItem(2);
    ASSERT_TRUE(WaitUntil([&] { return list_.SelectedText() == "c1.txt"; }, "c1.txt selected"));
    OpenSearch();
    Control("Edit1").SetText("1");
    ASSERT_TRUE(SearchHits("a1.txt"));
}

TEST_F(SearchDialog, WordRulesAsTheDialogShowsThem)
{
    StartWith({".txt"}, {"a1.txt", "b1.txt"});
    OpenSearch();

    // AND with an empty text does nothing at all; the whole phrase then says that nothing was found. That box
    // is the only one, so the first press showed none.
    Control("Button1").Click();
    Control("RadioButton3").Click();
    SearchFindsNothing();
    EXPECT_EQ(program_->MessageBoxesSeen(), 1);
    EXPECT_EQ(list_.Selection(), -1);

    // Twenty words are accepted (a full-width space separates too); a twenty-first is refused.
    Control("RadioButton1").Click();
    std::string twenty = "b";
    for (int i = 1; i < 20; ++i) {
        twenty += (i % 2 ? "　" : "  ") + std::string("1");
    }
    Control("Edit1").SetText(twenty);
    ASSERT_TRUE(SearchHits("b1.txt"));

    Control("Edit1").SetText(twenty + " 1");
    Control("Button1").Click();
    MessageDialog box = program_->WaitForMessageBox();
    EXPECT_EQ(box.Caption(), "Tessaly");
    EXPECT_EQ(box.Text(), "検索ワードが多すぎます。");
    box.Press("OK");
    // Nothing else changed: the edit had already reset the state.
    EXPECT_EQ(Control("Button1").Text(), "検索");
    EXPECT_EQ(list_.SelectedText(), "b1.txt");

    // Letter case matters.
    Control("Edit1").SetText("A1");
    SearchFindsNothing();
}

TEST_F(SearchDialog, ExecuteRunsTheHitAndCloses)
{
    const std::string tool = driver::CopyProbe(dir_.Path(), "tool 1.exe");
    StartWith({".txt", ".exe"}, {"a1.txt", "z1.txt"});
    ASSERT_EQ(list_.Items(), (std::vector<std::string>{"a1.txt", "Tessaly.exe", "tool 1.exe", "z1.txt"}));

    OpenSearch();
    Control("RadioButton3").Click();
    Control("Edit1").SetText("l 1");
    ASSERT_TRUE(SearchHits("tool 1.exe"));

    Control("Button3").Click();
    const driver::ProbeRecord run = driver::WaitForProbeLog(tool);
    EXPECT_EQ(run.currentDirectory, dir_.Path());
    EXPECT_TRUE(program_->WaitForWindowGone("TForm5"));
}

TEST_F(SearchDialog, ExecuteWithNothingSelectedSaysSoAndCloses)
{
    StartWith({".txt"}, {"a1.txt"});
    ASSERT_EQ(list_.Selection(), -1);
    OpenSearch();
    Control("Button3").Click();
    MessageDialog box = program_->WaitForMessageBox();
    EXPECT_EQ(box.Caption(), "Tessaly");
    EXPECT_EQ(box.Text(), "選択してください");
    box.Press("OK");
    EXPECT_TRUE(program_->WaitForWindowGone("TForm5"));
    EXPECT_TRUE(program_->IsRunning());
}

}  // namespace
