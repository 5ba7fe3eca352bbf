// Every section and key of Tessaly.ini, with its default, and the typed reads and writes the windows make. This is
// the only place that spells the file's names; the windows compute values and call these operations.
#pragma once

#include <string>
#include <vector>

#include "settings/IniFile.h"

namespace settings {

// Name of the settings file in the program's folder.
extern const char* const kSettingsFileName;  // "Tessaly.ini"

// Defaults of the keys that have a fixed one.
constexpr int kDefaultScrollFactor = 2;    // ScrollBar/FolderList, ScrollBar/FileList
constexpr int kDefaultDepth = 2;           // DirDeep/depth
constexpr bool kDefaultUpdateCheck = true; // Option/UpdateCheck
constexpr bool kDefaultQuickFilter = true; // Option/QuickFilter
constexpr bool kDefaultIcons = true;       // Option/Icons
constexpr bool kDefaultBarHide = false;    // Style/bar_hide
constexpr bool kDefaultOnTop = false;      // Style/OnTop
constexpr bool kDefaultTaskTray = false;   // Option/TaskTray

// Full path of the settings file for a base folder that ends in a backslash.
std::string SettingsPath(const std::string& baseFolder);

// The main window's bounds in screen pixels.
struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What the main window records when it closes or before the settings dialog opens.
struct WindowState {
    bool barHide = false;     // caption-less mode
    WindowBounds bounds;      // the framed bounds (the window code adds back caption and frame)
    bool comboStyle = false;  // folder list in the drop-down box ("ComboBox") rather than beside ("ListBox")
    bool onTop = false;       // always on top
};

struct FixedFolder {
    std::string path;         // full path as entered
    std::string displayName;  // name shown in the folder list (before its "/")
};

struct Application {
    std::string path;         // full path of the executable
    std::string displayName;  // caption of its menu item
};

// A list as read: the count as stored (0 = none registered, negative = nothing to read) and the entries read.
template <typename T>
struct StoredList {
    int count = 0;
    std::vector<T> entries;
};

// Everything the settings dialog's OK writes.
struct SettingsRecord {
    std::vector<FixedFolder> fixedFolders;
    std::vector<Application> applications;
    std::vector<std::string> extensions;  // each with its leading point; ".*" for all files
    int folderListScroll = kDefaultScrollFactor;
    int fileListScroll = kDefaultScrollFactor;
    bool updateCheck = kDefaultUpdateCheck;
    int depth = kDefaultDepth;
    std::string hotKey;  // "Ctrl+Alt+T"; empty: none
    bool taskTray = kDefaultTaskTray;
};

// Form/Pos.Left, Pos.Top, Pos.Width, Pos.Height, each defaulting to the matching value of current.
WindowBounds ReadWindowBounds(const IniFile& ini, const WindowBounds& current);

// True when Style/Style is exactly "ComboBox" (letter case respected); "ListBox" by default.
bool ReadComboStyle(const IniFile& ini);

// Style/bar_hide, default false.
bool ReadBarHide(const IniFile& ini);

// Style/OnTop (start-up reads it as "Ontop"; key names match without regard to case), default false.
bool ReadOnTop(const IniFile& ini);

// ScrollBar/FolderList, default 2.
int ReadFolderListScroll(const IniFile& ini);

// ScrollBar/FileList, default 2.
int ReadFileListScroll(const IniFile& ini);

// Option/UpdateCheck, default true.
bool ReadUpdateCheck(const IniFile& ini);

// Option/QuickFilter, default true: typing in the file list narrows it; false leaves the list box's own jump to a
// name by its first letter.
bool ReadQuickFilter(const IniFile& ini);

// Option/Icons, default true: the lists show the small icon of each name's kind (or its own) beside it; false gives
// the plain lists.
bool ReadIcons(const IniFile& ini);

// DirDeep/depth, default 2, taken as it stands.
int ReadDepth(const IniFile& ini);

// Option/HotKey: the key combination that shows and hides the main window from anywhere, as text ("Ctrl+Alt+T");
// default empty, none.
std::string ReadHotKey(const IniFile& ini);

// Option/TaskTray: whether the program keeps an icon in the notification area and minimises into it; default false.
bool ReadTaskTray(const IniFile& ini);

// FixedFolder Setting/count, then F_Folder1 ... with each folder's display name from section Name.
StoredList<FixedFolder> ReadFixedFolders(const IniFile& ini);

// Name2/displayName: the full path of the fixed folder with that display name, or defaultValue.
std::string ReadFixedFolderPath(const IniFile& ini, const std::string& displayName, const std::string& defaultValue);

// Aplication/count, then Aplication0 ... from section Aplication (paths) and Aplication2 (display names).
StoredList<Application> ReadApplications(const IniFile& ini);

// Key name of application i, "Aplication" + i; also the name of its run-time menu item.
std::string ApplicationKey(int index);

// Aplication/key: the path of the application whose menu item is named key, or the empty text.
std::string ReadApplicationPath(const IniFile& ini, const std::string& key);

// extension/count, then ex1 ... .
StoredList<std::string> ReadExtensions(const IniFile& ini);

// Records the main window: bar_hide; Pos.Left, Pos.Top, Pos.Width, Pos.Height; Style; OnTop, in this order.
// Throws WriteError; the keys written before the failing one stay written.
void WriteWindowState(const IniFile& ini, const WindowState& state);

// Writes every setting of the dialog in this order: fixed-folder count, then per folder F_Folder i, Name/path and
// Name2/display name; application count, then per application Aplication i in Aplication and Aplication2;
// extension count, then ex i; ScrollBar FolderList, FileList; Option UpdateCheck; DirDeep depth; Option HotKey,
// TaskTray. Nothing is erased
// first: entries beyond a shorter list stay in the file, unread. Throws WriteError.
void WriteAllSettings(const IniFile& ini, const SettingsRecord& record);

// The dialog's OK without any extension: extension/count = 0 and nothing else. Throws WriteError.
void WriteNoExtension(const IniFile& ini);

}  // namespace settings
