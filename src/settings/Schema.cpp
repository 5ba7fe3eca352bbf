#include "settings/Schema.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "settings/rules/ProfileValues.h"

namespace settings {

const char* const kSettingsFileName = "Tessaly.ini";

namespace {

// Sections and keys, spelled as the file has them ("Aplication" with one "p" included).
const char* const kForm = "Form";
const char* const kPosLeft = "Pos.Left";
const char* const kPosTop = "Pos.Top";
const char* const kPosWidth = "Pos.Width";
const char* const kPosHeight = "Pos.Height";

const char* const kStyle = "Style";
const char* const kStyleKey = "Style";
const char* const kBarHide = "bar_hide";
const char* const kOnTopWritten = "OnTop";
const char* const kOnTopRead = "Ontop";  // read in this spelling; names match without regard to case
const char* const kListBoxStyle = "ListBox";
const char* const kComboBoxStyle = "ComboBox";

const char* const kScrollBar = "ScrollBar";
const char* const kFolderList = "FolderList";
const char* const kFileList = "FileList";

const char* const kOption = "Option";
const char* const kUpdateCheck = "UpdateCheck";
const char* const kHotKey = "HotKey";
const char* const kTaskTray = "TaskTray";
const char* const kQuickFilter = "QuickFilter";
const char* const kIcons = "Icons";

const char* const kDirDeep = "DirDeep";
const char* const kDepth = "depth";

const char* const kCount = "count";

const char* const kFixedFolderSetting = "FixedFolder Setting";
const char* const kFixedFolderPrefix = "F_Folder";  // F_Folder1 ...
const char* const kName = "Name";                   // path -> display name
const char* const kName2 = "Name2";                 // display name -> path

const char* const kAplication = "Aplication";        // paths, and the key prefix Aplication0 ...
const char* const kAplication2 = "Aplication2";      // display names

const char* const kExtension = "extension";
const char* const kExtensionPrefix = "ex";  // ex1 ...

// Key of entry index of an indexed family: the prefix and the index in decimal without leading zeros.
std::string IndexedKey(const char* prefix, int index)
{
    return prefix + std::to_string(index);
}

// Number of entries to read for a list whose count is stored in section and whose entries are keys of the
// sections given: never more than those sections hold keys (see BoundEntryCount).
int EntriesToRead(const IniFile& ini, int count, std::initializer_list<const char*> sections)
{
    if (count <= 0) return 0;
    std::size_t stored = 0;
    for (const char* section : sections) stored = std::max(stored, ini.CountKeys(section));
    return BoundEntryCount(count, stored);
}

}  // namespace

std::string SettingsPath(const std::string& baseFolder)
{
    return baseFolder + kSettingsFileName;
}

WindowBounds ReadWindowBounds(const IniFile& ini, const WindowBounds& current)
{
    WindowBounds bounds;
    bounds.left = ini.ReadInteger(kForm, kPosLeft, current.left);
    bounds.top = ini.ReadInteger(kForm, kPosTop, current.top);
    bounds.width = ini.ReadInteger(kForm, kPosWidth, current.width);
    bounds.height = ini.ReadInteger(kForm, kPosHeight, current.height);
    return bounds;
}

bool ReadComboStyle(const IniFile& ini)
{
    return ini.ReadString(kStyle, kStyleKey, kListBoxStyle) == kComboBoxStyle;
}

bool ReadBarHide(const IniFile& ini)
{
    return ini.ReadBool(kStyle, kBarHide, kDefaultBarHide);
}

bool ReadOnTop(const IniFile& ini)
{
    return ini.ReadBool(kStyle, kOnTopRead, kDefaultOnTop);
}

int ReadFolderListScroll(const IniFile& ini)
{
    return ini.ReadInteger(kScrollBar, kFolderList, kDefaultScrollFactor);
}

int ReadFileListScroll(const IniFile& ini)
{
    return ini.ReadInteger(kScrollBar, kFileList, kDefaultScrollFactor);
}

bool ReadUpdateCheck(const IniFile& ini)
{
    return ini.ReadBool(kOption, kUpdateCheck, kDefaultUpdateCheck);
}

bool ReadQuickFilter(const IniFile& ini)
{
    return ini.ReadBool(kOption, kQuickFilter, kDefaultQuickFilter);
}

bool ReadIcons(const IniFile& ini)
{
    return ini.ReadBool(kOption, kIcons, kDefaultIcons);
}

int ReadDepth(const IniFile& ini)
{
    return ini.ReadInteger(kDirDeep, kDepth, kDefaultDepth);
}

std::string ReadHotKey(const IniFile& ini)
{
    return ini.ReadString(kOption, kHotKey, "");
}

bool ReadTaskTray(const IniFile& ini)
{
    return ini.ReadBool(kOption, kTaskTray, kDefaultTaskTray);
}

StoredList<FixedFolder> ReadFixedFolders(const IniFile& ini)
{
    StoredList<FixedFolder> list;
    list.count = ini.ReadInteger(kFixedFolderSetting, kCount, 0);
    const int n = EntriesToRead(ini, list.count, {kFixedFolderSetting});
    for (int i = 1; i <= n; ++i) {
        FixedFolder folder;
        folder.path = ini.ReadString(kFixedFolderSetting, IndexedKey(kFixedFolderPrefix, i), "");
        folder.displayName = ini.ReadString(kName, folder.path, "");
        list.entries.push_back(std::move(folder));
    }
    return list;
}

std::string ReadFixedFolderPath(const IniFile& ini, const std::string& displayName, const std::string& defaultValue)
{
    return ini.ReadString(kName2, displayName, defaultValue);
}

StoredList<Application> ReadApplications(const IniFile& ini)
{
    StoredList<Application> list;
    list.count = ini.ReadInteger(kAplication, kCount, 0);
    const int n = EntriesToRead(ini, list.count, {kAplication, kAplication2});
    for (int i = 0; i < n; ++i) {
        Application application;
        application.path = ini.ReadString(kAplication, ApplicationKey(i), "");
        application.displayName = ini.ReadString(kAplication2, ApplicationKey(i), "");
        list.entries.push_back(std::move(application));
    }
    return list;
}

std::string ApplicationKey(int index)
{
    return IndexedKey(kAplication, index);
}

std::string ReadApplicationPath(const IniFile& ini, const std::string& key)
{
    return ini.ReadString(kAplication, key, "");
}

StoredList<std::string> ReadExtensions(const IniFile& ini)
{
    StoredList<std::string> list;
    list.count = ini.ReadInteger(kExtension, kCount, 0);
    const int n = EntriesToRead(ini, list.count, {kExtension});
    for (int i = 1; i <= n; ++i) list.entries.push_back(ini.ReadString(kExtension, IndexedKey(kExtensionPrefix, i), ""));
    return list;
}

void WriteWindowState(const IniFile& ini, const WindowState& state)
{
    ini.WriteBool(kStyle, kBarHide, state.barHide);
    ini.WriteInteger(kForm, kPosLeft, state.bounds.left);
    ini.WriteInteger(kForm, kPosTop, state.bounds.top);
    ini.WriteInteger(kForm, kPosWidth, state.bounds.width);
    ini.WriteInteger(kForm, kPosHeight, state.bounds.height);
    ini.WriteString(kStyle, kStyleKey, state.comboStyle ? kComboBoxStyle : kListBoxStyle);
    ini.WriteBool(kStyle, kOnTopWritten, state.onTop);
}

void WriteAllSettings(const IniFile& ini, const SettingsRecord& record)
{
    const int folders = static_cast<int>(record.fixedFolders.size());
    ini.WriteInteger(kFixedFolderSetting, kCount, folders);
    for (int i = 1; i <= folders; ++i) {
        const FixedFolder& folder = record.fixedFolders[i - 1];
        ini.WriteString(kFixedFolderSetting, IndexedKey(kFixedFolderPrefix, i), folder.path);
        ini.WriteString(kName, folder.path, folder.displayName);
        ini.WriteString(kName2, folder.displayName, folder.path);
    }

    const int applications = static_cast<int>(record.applications.size());
    ini.WriteInteger(kAplication, kCount, applications);
    for (int i = 0; i < applications; ++i) {
        ini.WriteString(kAplication, ApplicationKey(i), record.applications[i].path);
        ini.WriteString(kAplication2, ApplicationKey(i), record.applications[i].displayName);
    }

    const int extensions = static_cast<int>(record.extensions.size());
    ini.WriteInteger(kExtension, kCount, extensions);
    for (int i = 1; i <= extensions; ++i)
        ini.WriteString(kExtension, IndexedKey(kExtensionPrefix, i), record.extensions[i - 1]);

    ini.WriteInteger(kScrollBar, kFolderList, record.folderListScroll);
    ini.WriteInteger(kScrollBar, kFileList, record.fileListScroll);
    ini.WriteBool(kOption, kUpdateCheck, record.updateCheck);
    ini.WriteInteger(kDirDeep, kDepth, record.depth);
    ini.WriteString(kOption, kHotKey, record.hotKey);
    ini.WriteBool(kOption, kTaskTray, record.taskTray);
}

void WriteNoExtension(const IniFile& ini)
{
    ini.WriteInteger(kExtension, kCount, 0);
}

}  // namespace settings
