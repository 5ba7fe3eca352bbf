// The folder list: the base folder, the folders below it down to the set depth and the fixed folders, under their
// display names; and the way back from a display name to its folder.
#include "app/Unit1.h"
#include "app/FileSystem.h"
#include "app/rules/DisplayNames.h"
#include "settings/Schema.h"
#include "text/Utf8.h"
#include "ui/Dialogs.h"

void TForm1::AddFolderEntry(const std::string& entry) { folderEntries_.push_back(entry); }

void TForm1::FillFolderList() {
    // No redraw and no sorting in of each entry: the entries are ordered once and appended.
    if (ComboStyle()) {
        ComboBox1->BeginUpdate();
        ComboBox1->Items().AddAll(folderEntries_);
        ComboBox1->EndUpdate();
    } else {
        ListBox2->BeginUpdate();
        ListBox2->Items().AddAll(folderEntries_);
        ListBox2->EndUpdate();
    }
    std::vector<std::string>().swap(folderEntries_);
}

namespace {

// The file functions take paths of fewer than MAX_PATH (260) characters, counted in the system's UTF-16 form: a
// folder whose path, with the trailing backslash that every user of the folder list adds, does not fit could be
// listed but never opened.
constexpr std::size_t kMaxPath = 260;

bool FitsPathLimit(const std::string& folder) { return text::Utf16Length(folder) + 1 < kMaxPath; }

}  // namespace

void TForm1::SearchDir1Find(ui::Component*, const std::string& Name, TSearchFileData, bool& IgnoreSubDir, bool&) {
    if (!FitsPathLimit(Name)) {  // left out, and so is everything below it
        IgnoreSubDir = true;
        return;
    }
    IgnoreSubDir = app::IsAtWalkDepthLimit(BaseFolder, Name, walkDepth_);
    AddFolderEntry(app::FolderListEntry(BaseFolder, Name));
}

void TForm1::AddFixedFolders() {
    settings::StoredList<settings::FixedFolder> fixed = settings::ReadFixedFolders(Settings());
    for (const settings::FixedFolder& f : fixed.entries) AddFolderEntry(app::FixedFolderEntry(f.displayName));
}

std::string TForm1::GetBaseFolderName() { return app::GetBaseFolderName(BaseFolder); }

std::string TForm1::DisplayNameToPath(const std::string& displayName) {
    settings::IniFile ini = Settings();
    // Always a full path: the shell's recycle bin keeps no undo information for a relative one.
    return FullPathName(app::DisplayNameToPath(BaseFolder, displayName, [&ini](const std::string& key,
                                                                              const std::string& def) {
        return settings::ReadFixedFolderPath(ini, key, def);
    }));
}

std::string TForm1::GetSelectedFolder() {
    std::string name;
    if (ComboStyle()) {
        int i = ComboBox1->ItemIndex();
        if (i >= 0) name = ComboBox1->Items()[i];
        if (name == "フォルダを選択してください") name.clear();
    } else {
        int i = ListBox2->ItemIndex();
        if (i >= 0) name = ListBox2->Items()[i];
    }
    return DisplayNameToPath(name);
}

void TForm1::ListBox2DblClick(ui::Component*) {
    if (ListBox2->ItemIndex() >= 0) ui::ShowMessage(GetSelectedFolder());
}
