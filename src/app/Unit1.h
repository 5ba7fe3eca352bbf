// The main window: the folder list beside (or above) the file list, the popup menu of file actions, the display
// modes, and the start-up sequence that builds it all from the settings file. One class over several files, one
// concern each: start-up and lifecycle (Unit1.cpp), display modes, folder list, file list, file actions, update
// check.
#pragma once

#include <string>
#include <vector>

#include "app/FileIcons.h"
#include "app/OwnIconReader.h"
#include "app/rules/Layout.h"
#include "app/rules/NameFilter.h"
#include "components/SearchFile.h"
#include "settings/IniFile.h"
#include "ui/Edits.h"
#include "ui/Form.h"
#include "ui/HotKey.h"
#include "ui/ListControls.h"
#include "ui/Menus.h"
#include "ui/NotifyIcon.h"
#include "ui/StdCtrls.h"

#include <memory>

// The folder that holds the program, with a trailing backslash; recomputed at every start-up run.
extern std::string BaseFolder;
// Caption height and frame thickness sampled by the last HideTitleBar, or at the window's new DPI when a caption-less
// window has moved to a monitor of another scale.
extern int TitleBarHeight;
extern int FrameThickness;

class TForm1 : public ui::Form {
public:
    explicit TForm1(ui::Component* owner);

    // Controls, in the order the form creates them.
    ui::Label* Label1;
    ui::Label* Label2;
    ui::Label* Label3;
    ui::Label* Label4;
    ui::Button* Button2;
    ui::Button* Button1;
    ui::ListBox* ListBox1;
    ui::ComboBox* ComboBox1;
    ui::ListBox* ListBox2;
    ui::Button* Button3;
    ui::Edit* Edit1;

    ui::PopupMenu* PopupMenu1;
    ui::MenuItem* N2;
    ui::MenuItem* N7;
    ui::MenuItem* GoTo1;
    ui::MenuItem* N6;
    ui::MenuItem* Refresh1;
    ui::MenuItem* N3;
    ui::MenuItem* N5;
    ui::MenuItem* Delete1;
    ui::MenuItem* Property1;
    ui::MenuItem* N4;
    ui::MenuItem* N1;
    ui::MenuItem* About1;
    ui::MenuItem* SearchforHelpOn1;
    ui::MenuItem* Exit1;

    // The menu of the icon in the notification area.
    ui::PopupMenu* PopupMenu2;
    ui::MenuItem* Show1;
    ui::MenuItem* Exit2;

    TSearchDir* SearchDir1;

    // Start-up and lifecycle.
    void FormCreate(ui::Component* Sender);
    void FormClose(ui::Component* Sender, ui::CloseAction& Action);
    void Exit1Click(ui::Component* Sender);
    void N4Click(ui::Component* Sender);

    // The hotkey and the notification area (HotKeyTray.cpp).
    // Shows the window wherever it is (behind others, minimised, hidden in the notification area), brings it to the
    // front and puts the focus in the file list; while a dialog of the program is open, brings the dialog.
    void SummonWindow();
    void Show1Click(ui::Component* Sender);
    void FormMinimize(ui::Component* Sender);

    // Display modes.
    void Button3Click(ui::Component* Sender);
    void FormResize(ui::Component* Sender);
    void FormDpiChanged(ui::Component* Sender);
    void FormDblClick(ui::Component* Sender);

    // Drag and drop (DragAndDrop.cpp).
    void ListBox1BeginDrag(ui::Component* Sender);
    // Makes the file list and the folder list take files dropped on them.
    void AcceptDroppedFiles();
    void FormMouseDown(ui::Component* Sender, ui::MouseButton Button, ui::ShiftState Shift, int X, int Y);
    void N1Click(ui::Component* Sender);
    void Label3MouseEnter(ui::Component* Sender);
    void Label3MouseLeave(ui::Component* Sender);
    void Label3MouseDown(ui::Component* Sender, ui::MouseButton Button, ui::ShiftState Shift, int X, int Y);
    void Label4MouseEnter(ui::Component* Sender);
    void Label4MouseLeave(ui::Component* Sender);
    void Label4MouseDown(ui::Component* Sender, ui::MouseButton Button, ui::ShiftState Shift, int X, int Y);
    void Label4Click(ui::Component* Sender);

    // Folder list.
    void SearchDir1Find(ui::Component* Sender, const std::string& Name, TSearchFileData Data, bool& IgnoreSubDir,
                        bool& Continue);
    void ListBox2DblClick(ui::Component* Sender);

    // File list.
    void Refresh1Click(ui::Component* Sender);
    void ListBox2Click(ui::Component* Sender);
    void ComboBox1Change(ui::Component* Sender);
    void ListBox1Click(ui::Component* Sender);
    void Button2Click(ui::Component* Sender);

    // Find as you type (QuickFilter.cpp): a character typed in the file list opens the filter box with it; the list
    // shows the entries whose names hold every word of the box.
    void ListBox1KeyPress(ui::Component* Sender, wchar_t& Key);
    void Edit1Change(ui::Component* Sender);
    void Edit1KeyDown(ui::Component* Sender, WORD& Key);

    // File actions.
    void N2Click(ui::Component* Sender);
    void N3Click(ui::Component* Sender);
    void Property1Click(ui::Component* Sender);
    void MoveFile(ui::Component* Sender);
    void Open_Apli(ui::Component* Sender);
    void N5Click(ui::Component* Sender);
    void Delete1Click(ui::Component* Sender);
    void N6Click(ui::Component* Sender);

    // Help and About.
    void About1Click(ui::Component* Sender);
    void SearchforHelpOn1Click(ui::Component* Sender);

    // Used by the dialogs.
    std::string GetSelectedFolder();
    // The shared rules of the file actions: the selected file's path (GetSelectedFolder + the selected entry of the
    // file list; empty when nothing is selected), the refusal when nothing is selected, the refusal when the file is
    // gone, the refusal of a path the shell would not reach exactly (a name ending in a point or blank, a device
    // name: the shell takes no verbatim path), and the launch through the shell with the program's folder as
    // working directory.
    std::string SelectedFilePath();
    bool CheckFileSelected();
    bool CheckFileExists(const std::string& path);
    bool CheckShellCanTake(const std::string& path);
    void ShellOpen(const std::string& file, const std::string& parameters, const char* operation = "open");
    void SaveWindowState();
    void ShowTitleBar();
    void FreeDynamicMenuItems();
    void MakeFileList();

private:
    // Find as you type (QuickFilter.cpp).
    bool FilterOpen() const;
    // Shows the box at the bottom of the file list, with the keyboard.
    void OpenFilter();
    // Esc or an empty box: the whole list again, the same file selected, the keyboard back in the list.
    void CloseFilter();
    // Another folder: the box goes, and the list is filled anew by the caller.
    void DropFilter();
    // Fills the file list with the names fileNames_ holds, narrowed by the box when the filter is open.
    void ShowFileNames();
    // The header of the file list: the number of entries shown, and of all entries while the filter is open.
    void ShowFileCount();

    // The folder files dropped at a screen point of one of the lists go into, or "" when there is none.
    std::string DropFolderAt(const ui::Control& list, POINT screen);
    // DROPEFFECT_COPY, _MOVE or _NONE for files dragged over a folder with these keys.
    DWORD DropEffectInto(const std::string& folder, DWORD keys, DWORD allowed, const std::vector<std::string>& files,
                         bool sourcePrefersCopy);
    // Moves or copies the files into the folder; returns DROPEFFECT_MOVE or _COPY when any went, else _NONE. The
    // files refused are named in one box shown after the drop has returned.
    DWORD DropFilesInto(const std::string& folder, DWORD effect, const std::vector<std::string>& files);

    void CreateDesign();
    void CreatePopupMenu();
    void BindEvents();
    settings::IniFile Settings() const;
    bool ComboStyle() const;

    void SetListStyle();
    void SetComboStyle();
    void LayoutListStyle();
    void LayoutComboStyle();
    // The caption height and frame thickness of a framed window at the window's DPI; sampled into TitleBarHeight
    // and FrameThickness.
    app::FrameMetrics FrameMetricsAtDpi() const;
    void SampleFrameMetrics();
    void HideTitleBar();
    void ApplyScrollExtents();

    void AddFixedFolders();
    std::string GetBaseFolderName();
    std::string DisplayNameToPath(const std::string& displayName);
    void AddFolderEntry(const std::string& entry);
    // Fills the active folder list with the collected entries, in the order its sorted control would give them.
    void FillFolderList();

    void OpenSettingsDialog();
    // Start-up step 5's bounds, moved onto the nearest monitor when too little of the window lies on any monitor
    // to take hold of it; bounds within reach stay exactly as they are.
    void KeepWithinReach();

    // Move to another folder (MoveMenu.cpp).
    void BuildMoveMenu();
    void FreeRunTimeItems(const std::function<std::string(int)>& nameOf);

    // Open with a registered application (OpenWith.cpp).
    void MakeApplicationMenu();

    // Rename and delete (RenameDelete.cpp).
    // Sends the file at path (full path) to the recycle bin through the shell; reports a missing file.
    void SendToRecycleBin(const std::string& path);

    // File search (FileSearch.cpp).

    // Update check (UpdateCheck.cpp).
    void CheckForUpdate();
    // Shows the release comment, opens the program's folder and the download page, and ends the program.
    void OpenDownloadPage(const std::string& comment);

    // Help and About (HelpAbout.cpp).

    // The hotkey and the notification area (HotKeyTray.cpp).
    // Registers the hotkey of the settings file in place of the one before, reporting one that is taken, and adds
    // or removes the icon in the notification area as the settings file says.
    void ApplyHotKeyAndTrayIcon();
    // The hotkey: shows the window when it is not in front; hides it when it is.
    void HotKeyPress();
    void ShowTrayMenu(int x, int y);

    ui::HotKey hotKey_;
    std::unique_ptr<ui::NotifyIcon> trayIcon_;  // while the settings file asks for the icon

    int walkDepth_ = 2;
    std::vector<std::string> folderEntries_;  // the folder list's entries while a start-up run collects them
    // Counts the runs of the start-up sequence, so that a run can tell that a nested run has rebuilt the window.
    unsigned startupRuns_ = 0;
    // The window's bounds as start-up read them from the settings file (units of 96 ppi).
    app::WindowBounds readBounds_;
    // Every name of the last fill of the file list, for the filter to narrow.
    app::NameFilter fileNames_;
    // The icons the lists show beside the names ([Option] Icons, read when the window is made).
    bool IconsWanted() const;
    void ShowIcons();
    // Starts reading the icons of the listed files that carry their own: the rows drawn first, then in the list's
    // order.
    void ReadOwnIcons(const std::string& folder);
    app::FileIcons icons_;
    app::OwnIconReader ownIcons_{[this] { InvalidateRect(ListBox1->Handle(), nullptr, FALSE); }};
};

extern TForm1* Form1;
