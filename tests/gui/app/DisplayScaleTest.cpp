// Every window of the program at the display's scale: its 96-ppi design times DPI / 96, fonts included, in both
// folder-list styles, caption-less, in each dialog, the saved bounds that come back as they were read, and the
// program's texts whole in the system's message boxes. The test script runs this group at 96 ppi with the others and
// again in sessions at 120 and 144 ppi (LogPixels); each screenshot's name says its DPI.
#include "app/MainWindowSupport.h"

#include <commctrl.h>

#include <cstdlib>
#include <functional>

using namespace main_window;

namespace {

// The DPI of this session: Wine gives every program of the session the same.
int SessionDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A design value (96 ppi) at the session's DPI, rounded as the program rounds.
int S(int design) { return MulDiv(design, SessionDpi(), 96); }

std::string ShotName(const std::string& what)
{
    return driver::CurrentTestName() + "_" + std::to_string(SessionDpi()) + "ppi_" + what;
}

// Bounds of a control in its parent's client coordinates.
driver::Rect InParent(const driver::Window& control)
{
    const driver::Rect r = control.Bounds();
    const driver::Rect parent = control.Parent().ClientBounds();
    return {r.left - parent.left, r.top - parent.top, r.right - parent.left, r.bottom - parent.top};
}

// Left, top, width and height of the 96-ppi layout.
struct Design {
    const char* name;
    int left, top, width, height;
};

// Each control lies at its 96-ppi bounds times the scale, within a pixel of rounding; a width of 0 is not checked
// (a label that takes the width of its caption).
void ExpectScaled(const driver::Window& form, const std::vector<Design>& controls)
{
    for (const Design& d : controls) {
        const driver::Rect r = InParent(form.Child(d.name));
        EXPECT_LE(std::abs(r.left - S(d.left)), 1) << d.name << " left " << r;
        EXPECT_LE(std::abs(r.top - S(d.top)), 1) << d.name << " top " << r;
        if (d.width > 0) {
            EXPECT_LE(std::abs(r.Width() - S(d.width)), 1) << d.name << " width " << r;
        }
        EXPECT_LE(std::abs(r.Height() - S(d.height)), 1) << d.name << " height " << r;
    }
}

// Each control lies exactly at its bounds in pixels (a width of 0 is not checked).
void ExpectPlaced(const driver::Window& form, const std::vector<Design>& controls)
{
    for (const Design& d : controls) {
        const driver::Rect r = InParent(form.Child(d.name));
        EXPECT_EQ(r.left, d.left) << d.name << " " << r;
        EXPECT_EQ(r.top, d.top) << d.name << " " << r;
        if (d.width > 0) {
            EXPECT_EQ(r.Width(), d.width) << d.name << " " << r;
        }
        EXPECT_EQ(r.Height(), d.height) << d.name << " " << r;
    }
}

void ExpectClientScaled(const driver::Window& form, int width, int height)
{
    EXPECT_LE(std::abs(form.ClientRect().Width() - S(width)), 1) << form.ClientRect();
    EXPECT_LE(std::abs(form.ClientRect().Height() - S(height)), 1) << form.ClientRect();
}

// The program's font ("ＭＳ Ｐゴシック", 12 pixels at 96 ppi) at the session's DPI, as this process draws it.
class DesignFont {
public:
    DesignFont()
        : dc_(CreateCompatibleDC(nullptr)),
          font_(CreateFontW(-S(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            L"ＭＳ Ｐゴシック")),
          old_(SelectObject(dc_, font_))
    {
    }
    ~DesignFont()
    {
        SelectObject(dc_, old_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    int Height() const
    {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        return tm.tmHeight;
    }
    int Width(const std::string& text) const
    {
        const std::wstring wide = driver::ToWide(text);
        SIZE size{};
        GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

struct DialogName {
    const char* className;
    const char* caption;
    const char* shot;
};

struct Size {
    int width, height;
};

// Opens a dialog, keeps its screenshot, checks its client size and controls against the design, and closes it by
// its button.
void ExpectDialogScaled(Session& s, const std::function<void()>& open, const DialogName& dialog, Size client,
                        const std::vector<Design>& controls, const std::string& closeButton)
{
    open();
    const driver::Window window = s.Program().WaitForWindow(dialog.className, dialog.caption);
    driver::Screenshot(ShotName(dialog.shot), window);
    ExpectClientScaled(window, client.width, client.height);
    ExpectScaled(window, controls);
    window.Child(closeButton).Click();
    ASSERT_TRUE(s.Program().WaitForWindowGone(dialog.className));
}

int ItemHeight(const driver::Window& list)
{
    return static_cast<int>(driver::SendW(list.Handle(), LB_GETITEMHEIGHT, 0, 0));
}

// The small icon's size at the session's DPI, as the system tells it for a DPI where it can.
int SmallIconSize()
{
    using ForDpi = int(WINAPI*)(int, UINT);
    const auto forDpi = reinterpret_cast<ForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    return forDpi ? forDpi(SM_CXSMICON, static_cast<UINT>(SessionDpi())) : S(GetSystemMetrics(SM_CXSMICON));
}

// A list with icons: the taller of the font and the small icon, with two design pixels of room.
int IconRowHeight(const DesignFont& font) { return std::max(font.Height(), SmallIconSize()) + S(2); }

}  // namespace

// The main window at its design bounds: list style, then combo style; the lists' rows (with their icons, shown
// unless turned off) and the headers follow the font of the scale.
TEST(DisplayScale, MainWindowInBothStylesIsTheDesignScaled)
{
    Session s;
    s.MakeDir("Docs");
    s.WriteFile("a.txt");
    s.WriteIni(Ini());
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    driver::Screenshot(ShotName("list_style"), main);

    // The outer bounds are the design's; the client area is what the system's caption and frame at this DPI leave
    // of them, and the lists share it between the scaled header strip and button row.
    EXPECT_LE(std::abs(main.Bounds().Width() - S(378)), 1) << main.Bounds();
    EXPECT_LE(std::abs(main.Bounds().Height() - S(225)), 1) << main.Bounds();
    int w = main.ClientRect().Width();
    const int h = main.ClientRect().Height();
    // The header strip is as high as the closed combo box, whose border is the system's.
    EXPECT_LE(std::abs(s.Combo().Bounds().Height() - S(20)), 1);
    const int strip = S(20);
    const int lists = h - strip - S(25);
    ExpectPlaced(main, {{"Label1", S(5), S(8), 0, S(12)},
                        {"Label2", w / 2, S(8), 0, S(12)},
                        {"ListBox2", 0, S(20), w / 2, lists},
                        {"ListBox1", w / 2, S(20), w / 2, lists},
                        {"Button3", 0, strip + lists, S(20), S(25)},
                        {"Button2", w / 2, strip + lists, w / 4, S(25)},
                        {"Button1", w / 2 + w / 4, strip + lists, w / 4, S(25)}});
    const DesignFont font;
    EXPECT_EQ(ItemHeight(s.Files()), IconRowHeight(font));
    EXPECT_EQ(ItemHeight(s.Folders()), IconRowHeight(font));
    for (const char* label : {"Label1", "Label2"}) {
        EXPECT_EQ(s.Control(label).Bounds().Width(), font.Width(s.Control(label).Text())) << label;
    }

    s.Control("Button3").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Combo().IsVisible(); }, "combo style"));
    driver::Screenshot(ShotName("combo_style"), main);
    EXPECT_EQ(main.ClientRect().Width(), w / 2);
    w = main.ClientRect().Width();
    const int buttons = (w - S(20)) / 2;
    // Moved, the closed box may take its font's height, a pixel more than the strip the lists were laid out for.
    EXPECT_LE(std::abs(s.Combo().Bounds().Height() - S(20)), 1);
    ExpectPlaced(main, {{"ListBox1", 0, S(20), w, lists},
                        {"Button3", 0, strip + lists, S(20), S(25)},
                        {"Button2", S(20), strip + lists, buttons, S(25)},
                        {"Button1", S(20) + buttons, strip + lists, buttons, S(25)}});
    EXPECT_EQ(InParent(s.Combo()).Width(), w);
    EXPECT_EQ(ItemHeight(s.Files()), IconRowHeight(font));
    s.CloseAndWait();
}

// Without icons the lists are the plain lists they were, rows as high as the font; with them each row fits its
// icon and name in both styles, and a program's own icon comes in at the size of the scale.
TEST(DisplayScale, ListRowsFitTheirIconsOrTheFontWithout)
{
    const DesignFont font;
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::string notepad = driver::ToUtf8(windows) + "\\system32\\notepad.exe";
    const std::vector<std::string> names = {"a.txt", "b.txt", "empty.exe", "note.exe", "Tessaly.exe"};
    for (const bool icons : {false, true}) {
        Session s;
        s.MakeDir("Docs");
        s.WriteFile("a.txt");
        s.WriteFile("b.txt");
        s.WriteFile("empty.exe", "");
        driver::CopyFileTo(notepad, s.InBase("note.exe"));
        s.WriteIni({"[Option]", "UpdateCheck=0", std::string("Icons=") + (icons ? "1" : "0"), "[extension]",
                    "count=2", "ex1=.txt", "ex2=.exe"});
        const driver::Window& main = s.Start();
        s.WaitForCounts();
        const char* const mode = icons ? "icons" : "no_icons";
        if (icons) {
            // The program's own icon in place of the one of its kind, which the unreadable program keeps.
            ASSERT_TRUE(driver::WaitUntil(
                [&] {
                    const std::vector<COLORREF> own = RowPixels(s.Files(), 3), kind = RowPixels(s.Files(), 2);
                    return ShowsAnImage(own) && ShowsAnImage(kind) && own != kind;
                },
                "the program's own icon"));
        }
        driver::Screenshot(ShotName(std::string("list_style_") + mode), main);
        const int expected = icons ? IconRowHeight(font) : font.Height();
        for (const driver::Window& list : {s.Files(), s.Folders()}) {
            EXPECT_EQ(ItemHeight(list), expected) << mode;
            EXPECT_EQ(list.HasStyle(LBS_OWNERDRAWFIXED), icons) << mode;
            EXPECT_EQ(list.HasStyle(LBS_HASSTRINGS), icons) << mode;
        }
        s.Control("Button3").Click();
        ASSERT_TRUE(driver::WaitUntil([&] { return s.Combo().IsVisible(); }, "combo style"));
        driver::Screenshot(ShotName(std::string("combo_style_") + mode), main);
        EXPECT_EQ(ItemHeight(s.Files()), expected) << mode;
        EXPECT_EQ(s.Files().Items(), names) << mode;
        s.CloseAndWait();
    }
}

// Without its caption the window keeps its client area on the screen, with the frame metrics of its DPI, and the
// close and minimise labels sit at their scaled distance from the right edge.
TEST(DisplayScale, CaptionlessModeIsTheDesignScaled)
{
    Session s;
    s.WriteIni(Ini());
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    const driver::Rect client = main.ClientBounds();
    ASSERT_TRUE(ToggleCaption(main));
    driver::Screenshot(ShotName("captionless"), main);
    EXPECT_EQ(main.Bounds(), client);
    const int w = main.ClientRect().Width();
    ExpectPlaced(main, {{"Label3", w - S(18), S(4), 0, S(12)}, {"Label4", w - S(34), S(4), S(12), S(12)}});
    ASSERT_TRUE(ToggleCaption(main));
    EXPECT_EQ(main.ClientBounds(), client);
    s.CloseAndWait();
}

// The filter box of find as you type lies along the bottom edge of the file list's place, as wide as the list and
// as high as its design scaled, in list style, caption-less and in combo style.
TEST(DisplayScale, FilterBoxIsTheDesignScaledInEveryMode)
{
    Session s;
    s.WriteFile("a.txt");
    s.WriteFile("b.txt");
    s.WriteIni(Ini());
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    s.ChooseFile("a.txt");
    driver::TypeText(main, "a");
    const driver::Window box = s.Control("Edit1");
    ASSERT_TRUE(driver::WaitUntil([&] { return box.IsVisible() && s.Files().ItemCount() == 1; }, "the filter box"));
    // The window lays itself out a moment after a mode changes: the places are waited for.
    const auto expectAtTheBottom = [&](const char* mode, bool wholeWidth) {
        const auto atTheBottom = [&] {
            const driver::Rect b = InParent(box);
            const driver::Rect list = InParent(s.Files());
            const int width = main.ClientRect().Width();
            return box.IsVisible() && list.Width() == (wholeWidth ? width : width / 2) && list.top == S(20) &&
                   b.left == list.left && b.Width() == list.Width() &&
                   b.top == list.bottom && b.Height() == S(20) && b.bottom == InParent(s.Control("Button1")).top;
        };
        EXPECT_TRUE(driver::WaitUntil(atTheBottom, std::string("the filter box at the bottom edge in ") + mode))
            << "box " << InParent(box) << ", list " << InParent(s.Files()) << ", Button1 "
            << InParent(s.Control("Button1"));
        driver::Screenshot(ShotName(std::string("filter_") + mode), main);
    };
    expectAtTheBottom("list_style", false);

    // Caption-less first: combo style leaves no free spot to double-click.
    ASSERT_TRUE(ToggleCaption(main));
    expectAtTheBottom("captionless", false);

    s.Control("Button3").Click();
    ASSERT_TRUE(driver::WaitUntil([&] { return s.Combo().IsVisible(); }, "combo style"));
    expectAtTheBottom("combo_style", true);
    s.CloseAndWait();
}

// Closing and reopening without moving the window writes back the numbers read (a file of 96-ppi units), framed and
// caption-less, and the window on the screen has the design size of those numbers.
TEST(DisplayScale, SavedBoundsComeBackAsTheyWereRead)
{
    for (const char* barHide : {"0", "1"}) {
        SCOPED_TRACE(std::string("bar_hide=") + barHide);
        Session s;
        s.WriteIni(Ini({"[Style]", std::string("bar_hide=") + barHide, "[Form]", "Pos.Left=200", "Pos.Top=150",
                        "Pos.Width=411", "Pos.Height=263"}));
        const driver::Window& main = s.Start();
        s.WaitForCounts();
        const Metrics m;
        const driver::Rect framed = main.HasCaption() ? main.Bounds()
                                                      : driver::Rect{main.Bounds().left - m.frame,
                                                                     main.Bounds().top - m.caption - m.frame,
                                                                     main.Bounds().right + m.frame,
                                                                     main.Bounds().bottom + m.frame};
        EXPECT_EQ(framed.left, S(200));
        EXPECT_EQ(framed.top, S(150));
        EXPECT_LE(std::abs(framed.Width() - S(411)), 1) << framed;
        EXPECT_EQ(framed.Height(), S(263));
        s.CloseAndWait();
        EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Left"), "200");
        EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Top"), "150");
        // At 96 ppi an odd client width loses its pixel in list style, as it always has; at other scales a pixel
        // is less than a unit of the file.
        EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Width"), SessionDpi() == 96 ? "410" : "411");
        EXPECT_EQ(IniValue(s.IniPath(), "Form", "Pos.Height"), "263");
    }
}

// Each dialog at its design bounds.
TEST(DisplayScale, DialogsAreTheDesignScaled)
{
    Session s;
    s.WriteFile("memo.txt");
    s.WriteIni(Ini());
    const driver::Window& main = s.Start();
    s.WaitForCounts();
    s.ChooseFile("memo.txt");

    ExpectDialogScaled(s, [&] { s.Program().Press("F2"); }, {"TForm2", "ファイル名変更", "rename"}, {281, 152},
                       {{"Label2", 8, 8, 0, 12},
                        {"Label3", 8, 22, 265, 49},
                        {"Edit1", 8, 88, 265, 20},
                        {"Button1", 152, 112, 57, 25},
                        {"Button2", 216, 112, 57, 25}},
                       "Button2");
    ExpectDialogScaled(s, [&] { s.Program().Press("Ctrl+F"); }, {"TForm5", "ファイルを検索", "search"},
                       {324, 181},
                       {{"Label1", 8, 8, 0, 12},
                        {"Edit1", 8, 24, 305, 20},
                        {"RadioButton1", 8, 56, 89, 17},
                        {"RadioButton3", 200, 56, 97, 17},
                        {"Label2", 8, 88, 305, 57},
                        {"Button1", 128, 146, 57, 25},
                        {"Button2", 256, 146, 57, 25}},
                       "Button2");
    ExpectDialogScaled(s, [&] { driver::PopupMenu::OpenOn(s.Files()).Choose({11}); },  // "バージョン情報"
                       {"TAboutBox", "バージョン情報", "about"}, {297, 121},
                       {{"Panel1", 8, 8, 281, 105},
                        {"ProductName", 18, 16, 0, 12},
                        {"Label1", 16, 80, 0, 12},
                        {"ProgramIcon", 216, 17, 32, 32},
                        {"OKButton", 198, 64, 67, 25}},
                       "OKButton");

    s.Program().OpenPopupMenu(main).Choose({kSettingsItem});
    const driver::Window settings = s.Program().WaitForWindow("TForm4");
    driver::Screenshot(ShotName("settings"), settings);
    ExpectClientScaled(settings, 714, 373);
    ExpectScaled(settings, {{"GroupBox5", 272, 8, 241, 65},
                            {"Label13", 16, 32, 0, 12},
                            {"GroupBox1", 8, 88, 257, 185},
                            {"Edit1", 8, 36, 241, 20},
                            {"ListBox1", 8, 116, 153, 42},
                            {"Button3", 192, 160, 57, 20},
                            {"GroupBox2", 528, 88, 177, 185},
                            {"ListBox3", 8, 76, 161, 82},
                            {"Button2", 432, 288, 81, 20},
                            {"Button7", 624, 288, 81, 20},
                            {"GroupBox6", 8, 316, 697, 49},
                            {"HotKey1", 80, 18, 177, 20}});
    // A spin edit and its arrows fill its bounds together; how wide the arrows are, and how far they reach over the
    // box's border, is the system's.
    const driver::Window spin = settings.Child("SpinEdit3");
    const driver::Rect box = InParent(spin);
    EXPECT_LE(std::abs(box.left - S(168)), 1) << box;
    EXPECT_LE(std::abs(box.Height() - S(21)), 1) << box;
    driver::Window arrows;
    for (const driver::Window& w : settings.Descendants()) {
        if (w.ClassName() == "msctls_updown32" &&
            reinterpret_cast<HWND>(driver::SendW(w.Handle(), UDM_GETBUDDY, 0, 0)) == spin.Handle()) {
            arrows = w;
        }
    }
    ASSERT_TRUE(arrows) << "the spin edit's arrows";
    EXPECT_LE(std::abs(arrows.Bounds().right - spin.Bounds().left - S(57)), 2) << arrows.Bounds();
    settings.Child("Button7").Click();
    ASSERT_TRUE(s.Program().WaitForWindowGone("TForm4"));
    s.CloseAndWait();
}

// The system's message boxes scale themselves; the program's texts in them are whole at every scale.
TEST(DisplayScale, MessageBoxesShowTheWholeText)
{
    Session s;
    s.WriteFile("memo.txt");
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    s.ChooseFile("memo.txt");
    s.Program().Press("F2");
    const driver::Window rename = s.Program().WaitForWindow("TForm2", "ファイル名変更");
    rename.Child("Edit1").SetText("memo.doc");
    rename.Child("Button1").Click();
    const driver::MessageDialog box = s.Program().WaitForMessageBox();
    driver::Screenshot(ShotName("question"), box.AsWindow());

    // The text in the message font, broken into lines at the width of the box's text field, fits the field.
    const HWND field = GetDlgItem(box.AsWindow().Handle(), 0xFFFF);
    ASSERT_NE(field, nullptr);
    RECT shown{};
    GetClientRect(field, &shown);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring text = box.ExactText();
    RECT needed{0, 0, shown.right, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    EXPECT_LE(needed.right, shown.right);
    EXPECT_LE(needed.bottom, shown.bottom);

    box.Press("いいえ(&N)");
    ASSERT_TRUE(s.Program().WaitForWindowGone("TForm2"));
    s.CloseAndWait();
}
