// The version information dialog on the real program: its design, the version number over the blank of its label,
// closing only by its button (or Enter), and a new instance for every opening, released when it closes.
#include "driver/Files.h"
#include "driver/Input.h"
#include "driver/PopupMenu.h"
#include "driver/Program.h"
#include "driver/Screenshot.h"
#include "driver/Text.h"
#include "driver/Wait.h"
#include "driver/Window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

using namespace driver;

namespace {

constexpr int kAboutItem = 11;  // "バージョン情報" in the main window's popup menu

// Opens the About box from the popup menu and returns it.
Window OpenAboutBox(const Program& app, const Window& main)
{
    PopupMenu::OpenOn(main.Child("ListBox1")).Choose({kAboutItem});
    return app.WaitForWindow("TAboutBox", "バージョン情報");
}

}  // namespace

TEST(AboutBox, DesignAndVersionNumber)
{
    TempDir dir;
    dir.WriteIni({"[Option]", "UpdateCheck=0", "[extension]", "count=1", "ex1=.txt"});
    Program app(dir.Path());
    const Window main = app.Start();
    const Window box = OpenAboutBox(app, main);

    EXPECT_EQ(box.ClientRect().Width(), 297);
    EXPECT_EQ(box.ClientRect().Height(), 121);
    EXPECT_TRUE(box.HasCaption());
    EXPECT_FALSE(box.HasStyle(WS_SYSMENU)) << "no caption buttons";
    EXPECT_FALSE(box.HasStyle(WS_THICKFRAME)) << "a dialog frame";
    EXPECT_EQ(box.Owner(), main);
    EXPECT_LE(std::abs(box.Bounds().Center().x - main.Bounds().Center().x), 1) << "centred on the main window";
    EXPECT_LE(std::abs(box.Bounds().Center().y - main.Bounds().Center().y), 1) << "centred on the main window";

    const Window panel = box.Child("Panel1");
    EXPECT_EQ(panel.Bounds().Width(), 281);
    EXPECT_EQ(panel.Bounds().Height(), 105);
    EXPECT_EQ(box.Child("ProductName").Text(), "アプリケーション名：Tessaly");
    EXPECT_EQ(box.Child("Version").Text(), "バージョン：        号");
    EXPECT_EQ(box.Child("Label2").Text(), "1.851");
    EXPECT_EQ(box.Child("Label1").Text(), "公開日：2007.03.06");
    for (const char* name : {"ProductName", "Version", "Label2", "Label1", "ProgramIcon", "OKButton"}) {
        EXPECT_EQ(box.Child(name).Parent(), panel) << name << " lies on Panel1";
    }
    // The number starts on the blank run after "バージョン：" (how far it reaches depends on the font's digits).
    const Rect version = box.Child("Version").Bounds();
    const Rect number = box.Child("Label2").Bounds();
    EXPECT_EQ(number.top, version.top);
    EXPECT_GT(number.left, version.left + version.Width() / 2) << "number " << number << ", label " << version;
    EXPECT_LT(number.left, version.right) << "number " << number << ", label " << version;

    const Window icon = box.Child("ProgramIcon");
    EXPECT_EQ(icon.Bounds().Width(), 32);
    EXPECT_EQ(icon.Bounds().Height(), 32);
    EXPECT_NE(SendW(icon.Handle(), STM_GETICON, 0, 0), 0) << "the program's icon is shown";

    const Window ok = box.Child("OKButton");
    EXPECT_EQ(ok.Text(), "閉じる");
    EXPECT_EQ(ok.Style() & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedWindow() == ok; }, "the close button has the focus"));
    Screenshot("about_box", box);

    // Escape does nothing; Enter presses the close button. Had Escape closed the box, Enter would reach the main
    // window and ask for a file to be selected.
    PressKeys(box, "Esc");
    PressKeys(box, "Enter");
    EXPECT_TRUE(WaitUntil([&] { return !box.Exists(); }, "the box closed and released"));
    EXPECT_TRUE(main.IsEnabled());
    EXPECT_NO_THROW(PopupMenu::OpenOn(main.Child("ListBox1")).Dismiss());
    EXPECT_EQ(app.MessageBoxesSeen(), 0);
}

// The program's icon at every size a display scale asks for (the larger ones are PNG images in the icon): each
// loads at its own size and draws the folder, not an empty square.
TEST(AboutBox, TheProgramsIconDrawsAtEverySize)
{
    TempDir dir;
    const Program app(dir.Path());
    const HMODULE image = LoadLibraryExW(ToWide(app.ExePath()).c_str(), nullptr,
                                         LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        SCOPED_TRACE(size);
        const auto icon = static_cast<HICON>(LoadImageW(image, L"MAINICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);

        // Drawn on magenta, the icon covers a good part of its square.
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, size, size);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, canvas);
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        const RECT all{0, 0, size, size};
        FillRect(dc, &all, magenta);
        DeleteObject(magenta);
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        int covered = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) covered += GetPixel(dc, x, y) != RGB(255, 0, 255);
        }
        EXPECT_GT(covered, size * size / 3);
        SelectObject(dc, old);
        DeleteObject(canvas);
        DeleteDC(dc);
        DestroyIcon(icon);
    }
    FreeLibrary(image);
}

TEST(AboutBox, EachOpeningIsANewInstanceReleasedWhenClosed)
{
    TempDir dir;
    dir.WriteIni({"[Option]", "UpdateCheck=0", "[extension]", "count=1", "ex1=.txt"});
    Program app(dir.Path());
    const Window main = app.Start();

    const Window first = OpenAboutBox(app, main);
    EXPECT_FALSE(main.IsEnabled()) << "shown modally";
    first.Child("OKButton").Click();
    EXPECT_TRUE(WaitUntil([&] { return !first.Exists(); }, "the first box destroyed, not only hidden"));
    EXPECT_TRUE(WaitUntil([&] { return main.IsEnabled(); }, "the main window usable again"));

    const Window second = OpenAboutBox(app, main);
    EXPECT_NE(second, first);
    EXPECT_EQ(second.Child("Label2").Text(), "1.851");
    second.Child("OKButton").Click();
    EXPECT_TRUE(WaitUntil([&] { return !second.Exists(); }, "the second box destroyed"));
    for (const Window& window : app.TopWindows()) EXPECT_NE(window.ClassName(), "TAboutBox") << "no box is left";
    EXPECT_TRUE(app.IsRunning());
}
