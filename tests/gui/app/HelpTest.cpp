// The help file on the real program, from the main window's "トピックの検索" and the settings dialog's "ヘルプ":
// "help.hlp" of the current folder goes to the shell with the program's folder as working directory; without it
// (whatever the program's folder holds) the program says that it is missing.
#include "app/ShellCommandOverride.h"
#include "driver/Files.h"
#include "driver/MessageDialog.h"
#include "driver/PopupMenu.h"
#include "driver/Probe.h"
#include "driver/Program.h"
#include "driver/Wait.h"
#include "driver/Window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <memory>

using namespace driver;

namespace {

constexpr int kSettingsItem = 9;  // "設定" in the main window's popup menu
constexpr int kHelpItem = 12;     // "トピックの検索"

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The program in its own folder, started in another folder (its current folder), with a probe as the help viewer.
class HelpSession {
public:
    HelpSession()
    {
        base_.WriteIni({"[Option]", "UpdateCheck=0", "[extension]", "count=1", "ex1=.txt"});
        viewer_ = CopyProbe(tools_.Path(), "helpprobe.exe");
        program_ = std::make_unique<Program>(base_.Path());
        override_ = std::make_unique<shell_test::ShellCommandOverride>("hlpfile", viewer_, shell_test::kWineHelpCommand);
    }
    ~HelpSession()
    {
        program_.reset();
        override_.reset();
    }

    const TempDir& Base() const { return base_; }
    const TempDir& Current() const { return current_; }
    const std::string& Viewer() const { return viewer_; }
    Program& App() { return *program_; }
    const Window& Main() const { return main_; }

    void Start() { main_ = program_->Start(current_.Path()); }
    void ChooseHelp() { PopupMenu::OpenOn(main_.Child("ListBox1")).Choose({kHelpItem}); }
    Window OpenSettings()
    {
        PopupMenu::OpenOn(main_.Child("ListBox1")).Choose({kSettingsItem});
        return program_->WaitForWindow("TForm4", "設定");
    }
    void CloseSettings(const Window& settings)
    {
        settings.Child("Button7").Click();  // キャンセル
        ASSERT_TRUE(program_->WaitForWindowGone("TForm4"));
    }

    // Waits for the viewer's record and removes it, so the next opening writes a new one.
    ProbeRecord TakeViewerRecord() { return TakeProbeLog(viewer_); }

private:
    TempDir base_;
    TempDir current_;
    TempDir tools_;
    std::string viewer_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<shell_test::ShellCommandOverride> override_;
    Window main_;
};

// The message of a missing help file, checked and answered.
void ExpectMissingHelpMessage(Program& app)
{
    const MessageDialog box = app.WaitForMessageBox();
    EXPECT_EQ(box.Text(), "ヘルプファイル\"HELP.HLP\"が存在しません。");
    EXPECT_EQ(box.Caption(), "Tessaly");
    EXPECT_EQ(box.Buttons(), std::vector<std::string>{"OK"});
    box.Press("OK");
}

}  // namespace

TEST(Help, FileOfTheCurrentFolderGoesToTheShellFromMenuAndSettingsDialog)
{
    HelpSession s;
    s.Current().WriteFile("help.hlp", "help");
    s.Start();

    s.ChooseHelp();
    const ProbeRecord fromMenu = s.TakeViewerRecord();
    EXPECT_NE(Lower(fromMenu.commandLine).find("help.hlp"), std::string::npos) << fromMenu.commandLine;
    EXPECT_EQ(fromMenu.currentDirectory, s.Base().Path()) << "the program's folder is the working directory";

    const Window settings = s.OpenSettings();
    settings.Child("Button13").Click();
    const ProbeRecord fromSettings = s.TakeViewerRecord();
    EXPECT_EQ(fromSettings.commandLine, fromMenu.commandLine);
    EXPECT_EQ(fromSettings.currentDirectory, s.Base().Path());
    s.CloseSettings(settings);
    EXPECT_EQ(s.App().MessageBoxesSeen(), 0);
}

TEST(Help, MissingInTheCurrentFolderIsReportedEvenWhenTheProgramFolderHasIt)
{
    HelpSession s;
    s.Base().WriteFile("help.hlp", "help");
    s.Start();

    s.ChooseHelp();
    ExpectMissingHelpMessage(s.App());

    const Window settings = s.OpenSettings();
    settings.Child("Button13").Click();
    ExpectMissingHelpMessage(s.App());
    EXPECT_TRUE(settings.IsVisible()) << "the settings dialog stays open";
    s.CloseSettings(settings);

    EXPECT_EQ(s.App().MessageBoxesSeen(), 2);
    EXPECT_FALSE(ReadProbeLog(s.Viewer()).has_value()) << "nothing may be opened";
}
