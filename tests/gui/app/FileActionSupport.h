// What the file-action tests share: a temporary base folder holding Tessaly.exe and its settings file, the running
// program with its main window, and the steps a user takes there (choose a folder, choose a file, answer a box).
#pragma once

#include "driver/Files.h"
#include "driver/Input.h"
#include "driver/MessageDialog.h"
#include "driver/Probe.h"
#include "driver/Program.h"
#include "driver/Wait.h"
#include "driver/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace file_actions {

// Positions of the popup menu's items (the driver chooses by position).
constexpr int kOpenWithItem = 1;  // "プログラムから開く"
constexpr int kMoveItem = 2;      // "別のフォルダに移動"
constexpr int kSettingsItem = 9;  // "設定"

// Settings that list .txt files and skip the update check, followed by more lines.
inline std::vector<std::string> IniWith(const std::vector<std::string>& more, const std::string& extension = ".txt")
{
    std::vector<std::string> lines = {"[Option]", "UpdateCheck=0", "[extension]", "count=1", "ex1=" + extension};
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// A temporary base folder with Tessaly.exe; the test writes its files and settings, then starts the program.
class Session {
public:
    Session() : program_(std::make_unique<driver::Program>(dir_.Path())) {}
    ~Session() { program_.reset(); }  // the program goes before its folder

    const driver::TempDir& Dir() const { return dir_; }
    // The base folder as the program sees it: with a trailing backslash.
    std::string Base() const { return dir_.Path() + "\\"; }
    // The base folder's own entry in the folder list: its name.
    std::string BaseName() const { return dir_.Path().substr(dir_.Path().rfind('\\') + 1); }
    driver::Program& Program() { return *program_; }
    const driver::Window& Main() const { return main_; }
    driver::Window Files() const { return main_.Child("ListBox1"); }
    driver::Window Folders() const { return main_.Child("ListBox2"); }

    void Start() { main_ = program_->Start(); }

    // Clicks the folder-list entry with this text and waits until the file list shows the files of that folder.
    void ChooseFolder(const std::string& entry, int expectedFiles)
    {
        const std::vector<std::string> items = Folders().Items();
        const auto it = std::find(items.begin(), items.end(), entry);
        ASSERT_NE(it, items.end()) << "no folder-list entry \"" << entry << "\"";
        const int index = static_cast<int>(it - items.begin());
        Folders().ClickItem(index);
        const auto listed = [&] { return Folders().Selection() == index && Files().ItemCount() == expectedFiles; };
        ASSERT_TRUE(driver::WaitUntil(listed, "folder \"" + entry + "\" selected"));
        // The selection moves before the program refills the file list, which may have held as many files: a
        // message sent to the program is answered only once the click's handling has returned.
        driver::SendW(Main().Handle(), WM_NULL, 0, 0);
        ASSERT_TRUE(driver::WaitUntil(listed, "folder \"" + entry + "\" selected with its files listed"));
    }

    // Clicks the file-list entry with this text and waits until it is selected.
    void ChooseFile(const std::string& name)
    {
        const std::vector<std::string> items = Files().Items();
        const auto it = std::find(items.begin(), items.end(), name);
        ASSERT_NE(it, items.end()) << "no file-list entry \"" << name << "\"";
        const int index = static_cast<int>(it - items.begin());
        Files().ClickItem(index);
        ASSERT_TRUE(driver::WaitUntil([&] { return Files().Selection() == index; }, "file \"" + name + "\" selected"));
    }

    // Chooses an item of the main window's popup menu by position, opened on the file list.
    void ChooseMenu(const std::vector<int>& path)
    {
        driver::PopupMenu::OpenOn(Files()).Choose(path);
    }

    // Waits for the program's message box, checks its text and caption, and answers it with OK.
    void ExpectMessage(const std::string& text)
    {
        const driver::MessageDialog box = program_->WaitForMessageBox();
        EXPECT_EQ(box.Text(), text);
        EXPECT_EQ(box.Caption(), "Tessaly");
        box.Press("OK");
        // The main window gets the activation back a moment later; a menu opened before that would be closed by it.
        driver::BringToForeground(main_);
    }

private:
    driver::TempDir dir_;
    std::unique_ptr<driver::Program> program_;
    driver::Window main_;
};

}  // namespace file_actions
