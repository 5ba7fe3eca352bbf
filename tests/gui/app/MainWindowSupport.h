// What the main-window tests share: a base folder (a temporary folder, or a named folder inside one) holding a
// copy of Tessaly.exe and its settings file, the running program, its controls by design name, the settings file
// read back through the profile API, and the free spots of the window where a user's click reaches the form.
#pragma once

#include "driver/Files.h"
#include "driver/Input.h"
#include "driver/MessageDialog.h"
#include "driver/PopupMenu.h"
#include "driver/Program.h"
#include "driver/Screenshot.h"
#include "driver/Text.h"
#include "driver/Wait.h"
#include "driver/Window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace main_window {

// Positions of the popup menu's items (the driver chooses by position; there are no separators).
constexpr int kExecuteItem = 0;    // "実行"
constexpr int kMoveItem = 2;       // "別のフォルダに移動"
constexpr int kRefreshItem = 4;    // "更新"
constexpr int kSettingsItem = 9;   // "設定"
constexpr int kOnTopItem = 10;     // "常に手前に表示"
constexpr int kExitItem = 13;      // "終了", the last

// Settings without the update check, listing .txt files, followed by more lines.
inline std::vector<std::string> Ini(const std::vector<std::string>& more = {})
{
    std::vector<std::string> lines = {"[Option]", "UpdateCheck=0", "[extension]", "count=1", "ex1=.txt"};
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// The caption height and sizing-frame thickness as this process (same system, same settings) sees them.
struct Metrics {
    int caption = GetSystemMetrics(SM_CYCAPTION);
    int frame = GetSystemMetrics(SM_CYFRAME);
};

// One program folder with the running program. By default the folder is the temporary folder itself; with a
// name it is a folder of that name inside it (so that a test controls the base folder's own name).
class Session {
public:
    explicit Session(const std::string& baseName = "")
        : base_(baseName.empty() ? dir_.Path() : dir_.MakeDir(baseName)),
          program_(std::make_unique<driver::Program>(base_))
    {
    }
    ~Session() { program_.reset(); }  // the program goes before its folder

    // The temporary folder (parent of everything the test makes) and the program's folder inside it.
    const driver::TempDir& Temp() const { return dir_; }
    const std::string& Base() const { return base_; }
    std::string BaseSlash() const { return base_ + "\\"; }
    std::string InBase(const std::string& relative) const { return driver::JoinPath(base_, relative); }
    std::string IniPath() const { return InBase("Tessaly.ini"); }

    void WriteIni(const std::vector<std::string>& lines) const { driver::WriteTextLines(IniPath(), lines); }
    void MakeDir(const std::string& relative) const { driver::MakeDirs(InBase(relative)); }
    void WriteFile(const std::string& relative, const std::string& bytes = "x") const
    {
        driver::WriteFileBytes(InBase(relative), bytes);
    }

    driver::Program& Program() { return *program_; }
    const driver::Window& Main() const { return main_; }
    driver::Window Control(const std::string& name) const { return main_.Child(name); }
    driver::Window Files() const { return Control("ListBox1"); }
    driver::Window Folders() const { return Control("ListBox2"); }
    driver::Window Combo() const { return Control("ComboBox1"); }

    const driver::Window& Start(driver::Timeout timeout = driver::kStartTimeout)
    {
        main_ = program_->Start("", timeout);
        return main_;
    }
    // After the program's own start-up dialogs: the main window, waited for.
    const driver::Window& AttachMain()
    {
        main_ = program_->MainWindow();
        return main_;
    }

    // Waits until the file list's header shows its count (the end of start-up), then returns the header text.
    std::string WaitForCounts() const
    {
        const driver::Window label2 = Control("Label2");
        EXPECT_TRUE(driver::WaitUntil([&] { return label2.Text().rfind("ファイルリスト ", 0) == 0; },
                                      "the file list's header with its count"));
        return label2.Text();
    }

    // Index of a list entry by its text; -1 when absent.
    static int IndexOf(const driver::Window& list, const std::string& text)
    {
        const std::vector<std::string> items = list.Items();
        const auto it = std::find(items.begin(), items.end(), text);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    }

    // Clicks the folder-list entry and waits until it is selected and the file list holds expectedFiles entries.
    void ChooseFolder(const std::string& entry, int expectedFiles) const
    {
        const int index = IndexOf(Folders(), entry);
        ASSERT_GE(index, 0) << "no folder-list entry \"" << entry << "\"";
        Folders().ClickItem(index);
        const auto listed = [&] { return Folders().Selection() == index && Files().ItemCount() == expectedFiles; };
        ASSERT_TRUE(driver::WaitUntil(listed, "folder \"" + entry + "\" selected"));
        // The selection moves before the program refills the file list, which may have held as many files: a
        // message sent to the program is answered only once the click's handling has returned.
        driver::SendW(Main().Handle(), WM_NULL, 0, 0);
        ASSERT_TRUE(driver::WaitUntil(
            listed, "folder \"" + entry + "\" selected with " + std::to_string(expectedFiles) + " entries listed"));
    }

    // Clicks the file-list entry and waits until it is selected.
    void ChooseFile(const std::string& name) const
    {
        const int index = IndexOf(Files(), name);
        ASSERT_GE(index, 0) << "no file-list entry \"" << name << "\"";
        Files().ClickItem(index);
        ASSERT_TRUE(driver::WaitUntil([&] { return Files().Selection() == index; }, "file \"" + name + "\" selected"));
    }

    // Waits for a plain message box of the program, returns its text and answers OK.
    std::string TakeMessage()
    {
        const driver::MessageDialog box = program_->WaitForMessageBox();
        EXPECT_EQ(box.Caption(), "Tessaly");
        const std::string text = box.Text();
        box.Press("OK");
        return text;
    }

    // Closes the main window as its close box does and waits for the program's end.
    void CloseAndWait()
    {
        program_->Close();
        ASSERT_TRUE(program_->WaitForExit().has_value()) << "the program still runs after its window was closed";
    }

private:
    driver::TempDir dir_;
    std::string base_;
    std::unique_ptr<driver::Program> program_;
    driver::Window main_;
};

// The screen's pixels of a list row, its edge (where a focus rectangle may be) left out: the square at its start,
// where its icon is drawn, or the whole row.
inline std::vector<COLORREF> RowPixels(const driver::Window& list, int index, bool wholeRow = false)
{
    const driver::Rect row = list.ItemRect(index);
    POINT origin{row.left, row.top};
    ClientToScreen(list.Handle(), &origin);
    const int width = wholeRow ? row.Width() : row.Height();
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int y = 1; y < row.Height() - 1; ++y) {
        for (int x = 1; x < width - 1; ++x) pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Whether the pixels show something: more than one colour.
inline bool ShowsAnImage(const std::vector<COLORREF>& pixels)
{
    return std::any_of(pixels.begin(), pixels.end(), [&](COLORREF c) { return c != pixels.front(); });
}

// A value of the settings file read through the profile API, in UTF-8; nothing when the key is missing. The value
// is what the file holds, a stored form of an exact text as it stands.
inline std::optional<std::string> IniValue(const std::string& path, const std::string& section, const std::string& key)
{
    wchar_t buffer[32768] = {};
    const wchar_t* missing = L"\x01missing\x01";
    GetPrivateProfileStringW(driver::ToWide(section).c_str(), driver::ToWide(key).c_str(), missing, buffer, 32768,
                             driver::ToWide(path).c_str());
    if (std::wstring(buffer) == missing) {
        return std::nullopt;
    }
    return driver::ToUtf8(buffer);
}

// A screen point of window's client area that no visible control covers: a click there reaches the form itself.
// Rows are searched from the bottom (the gap in the button row), then upwards.
inline std::optional<driver::Point> FreeSpot(const driver::Window& form)
{
    const driver::Rect client = form.ClientBounds();
    std::vector<driver::Rect> covered;
    for (const driver::Window& child : form.Descendants()) {
        if (child.Parent() == form && child.IsVisible()) {
            covered.push_back(child.Bounds());
        }
    }
    for (int y = client.bottom - 3; y >= client.top + 2; y -= 2) {
        for (int x = client.left + 2; x < client.right - 2; x += 2) {
            const bool hit = std::any_of(covered.begin(), covered.end(), [&](const driver::Rect& r) {
                return x >= r.left - 1 && x <= r.right && y >= r.top - 1 && y <= r.bottom;
            });
            if (!hit) {
                return driver::Point{x, y};
            }
        }
    }
    return std::nullopt;
}

// The same point in the form's client coordinates.
inline driver::Point ToClient(const driver::Window& form, driver::Point screen)
{
    const driver::Rect client = form.ClientBounds();
    return {screen.x - client.left, screen.y - client.top};
}

// Double-clicks the free area of the form (toggles the caption-less mode) and waits for the new mode.
inline ::testing::AssertionResult ToggleCaption(const driver::Window& form)
{
    const bool had = form.HasCaption();
    const std::optional<driver::Point> spot = FreeSpot(form);
    if (!spot) {
        return ::testing::AssertionFailure() << "no free spot on the form";
    }
    form.DoubleClickAt(ToClient(form, *spot));
    // The style changes first, the frame a moment later: wait for both.
    const Metrics m;
    return driver::WaitUntil(
        [&] {
            const driver::Rect outer = form.Bounds();
            const driver::Rect client = form.ClientBounds();
            const bool frame = had ? !form.HasCaption() && outer == client
                                   : form.HasCaption() && client.top - outer.top == m.caption + m.frame;
            // The file list reaches the right edge again once the controls are laid out for the new size.
            return frame && form.Child("ListBox1").Bounds().right == client.right;
        },
        had ? "the caption and frame to go away" : "the caption and frame to come back");
}

}  // namespace main_window
