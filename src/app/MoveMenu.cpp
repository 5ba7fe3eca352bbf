// Moving the selected file to a folder of the folder list through the run-time submenu "別のフォルダに移動", and
// freeing the run-time items of both submenus before the window is built again.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/FileSystem.h"
#include "app/Unit1.h"
#include "settings/Schema.h"
#include "ui/Dialogs.h"
#include "ui/Menus.h"

namespace {

const char* const kMoveItemPrefix = "Folder";

// Name of move item i: "Folder" + i.
std::string MoveItemName(int index) { return kMoveItemPrefix + std::to_string(index); }

// The index written after prefix in an item's name ("Folder3" -> 3), or -1 when the name is not of that form.
int ItemIndexOf(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
    const std::string digits = name.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) return -1;
    return std::atoi(digits.c_str());
}

}  // namespace

// Frees the run-time items named nameOf(0), nameOf(1), ... up to the first name that finds none. The builds create
// exactly these names without a gap and nothing frees a single one, so this finds every item built, however the
// folder list or the settings file may have changed since, and it never looks further than the items that exist.
void TForm1::FreeRunTimeItems(const std::function<std::string(int)>& nameOf) {
    for (int i = 0;; ++i) {
        ui::Component* item = FindComponent(nameOf(i));
        if (!item) return;
        DestroyComponent(item);  // also takes it out of its submenu
    }
}

// One item under GoTo1 per folder-list entry, in list order, named "Folder" + its index.
void TForm1::BuildMoveMenu() {
    // A build replaces whatever an earlier build left, so two items never share a name.
    FreeRunTimeItems(MoveItemName);
    const bool combo = ComboStyle();
    const int count = combo ? ComboBox1->Items().Count() : ListBox2->Items().Count();
    for (int i = 0; i < count; ++i) {
        const std::string caption = combo ? ComboBox1->Items()[i] : ListBox2->Items()[i];
        auto* item = new ui::MenuItem(this, MoveItemName(i), caption);
        item->OnClick = [this](ui::Component* sender) { MoveFile(sender); };
        GoTo1->Add(item);
    }
}

// Moves the selected file into the folder of the clicked item; an existing file of that name is never replaced.
// The item names its entry by its caption, the entry's exact text: the item's position may be another entry's
// once the folder list has changed style, since the two controls may order names that differ in case alone
// differently.
void TForm1::MoveFile(ui::Component* Sender) {
    const auto* item = dynamic_cast<ui::MenuItem*>(Sender);
    if (!item || ItemIndexOf(item->Name, kMoveItemPrefix) < 0) return;
    const ui::ListItems entries = ComboStyle() ? ComboBox1->Items() : ListBox2->Items();
    const int k = entries.IndexOf(item->Caption);
    if (k < 0 || entries[k] != item->Caption) return;
    std::string target = DisplayNameToPath(entries[k]);

    if (!CheckFileSelected()) return;
    const std::string source = SelectedFilePath();
    if (!CheckFileExists(source)) return;
    target += ListBox1->Items()[ListBox1->ItemIndex()];  // the entry is the bare file name

    // MoveFileW moves across volumes too, and without MOVEFILE_REPLACE_EXISTING it fails on an existing target.
    if (!::MoveFileW(SystemPath(source).c_str(), SystemPath(target).c_str())) ui::ShowMessage("移動に失敗しました。");
}

// Frees the run-time items of the move and open-with submenus, so that the next start-up run can build them anew.
void TForm1::FreeDynamicMenuItems() {
    FreeRunTimeItems(MoveItemName);
    FreeRunTimeItems(settings::ApplicationKey);
}
