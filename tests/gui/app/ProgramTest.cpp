// The program as a user first meets it: copied alone into an empty folder, started, shown, closed.
#include "app/MainWindowSupport.h"

using namespace main_window;

// A first run asks for extensions and offers the settings dialog; after Cancel the window stands at its design
// place and size, and closing it ends the program and leaves the window state in a new settings file.
TEST(Program, FirstRunInEmptyFolderShowsDesignWindowAndEndsWhenClosed)
{
    Session s;
    ASSERT_FALSE(driver::PathExists(s.IniPath()));

    const driver::MessageDialog first = s.Program().StartExpectingMessageBox();
    EXPECT_EQ(first.Caption(), "Tessaly");
    EXPECT_EQ(first.Text(), "拡張子を設定してください。");
    first.Press("OK");

    const driver::Window settings = s.Program().WaitForWindow("TForm4", "設定");
    settings.Child("Button7").Click();  // キャンセル
    ASSERT_TRUE(s.Program().WaitForWindowGone("TForm4"));

    const driver::Window main = s.AttachMain();
    EXPECT_EQ(main.Text(), "Tessaly");
    EXPECT_EQ(main.Bounds(), (driver::Rect{284, 244, 284 + 378, 244 + 225}));
    driver::Screenshot(driver::CurrentTestName(), main);

    s.CloseAndWait();
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Left"), "284");
    EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Width"), "378");
}
