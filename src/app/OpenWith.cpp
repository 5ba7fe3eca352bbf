// Opening the selected file with a registered application through the run-time submenu "プログラムから開く".
#include <string>

#include "app/FileSystem.h"
#include "app/Unit1.h"
#include "settings/Schema.h"
#include "ui/Dialogs.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

// One item under N7 per registered application, in list order, named by its settings key "Aplication" + i and
// captioned with its display name.
void TForm1::MakeApplicationMenu() {
    // A build replaces whatever an earlier build left, so two items never share a name.
    FreeRunTimeItems(settings::ApplicationKey);
    // Only the entries the file holds: a count of zero or less builds nothing, an absurd one no more than exist.
    const settings::StoredList<settings::Application> applications = settings::ReadApplications(Settings());
    for (size_t i = 0; i < applications.entries.size(); ++i) {
        const int index = static_cast<int>(i);
        auto* item = new ui::MenuItem(this, settings::ApplicationKey(index), applications.entries[i].displayName);
        item->OnClick = [this](ui::Component* sender) { Open_Apli(sender); };
        N7->Add(item);
    }
}

// Starts the application of the clicked item with the selected file as its one, quoted parameter.
void TForm1::Open_Apli(ui::Component* Sender) {
    if (!CheckFileSelected()) return;
    const std::string file = SelectedFilePath();
    // The item's name is its application's key; the path is read afresh at every click.
    const std::string application = settings::ReadApplicationPath(Settings(), Sender ? Sender->Name : "");
    // The application is tested first, so a missing one is reported even when the file is gone too.
    if (!FileExists(application)) {
        ui::ShowMessage("アプリケーションが存在しません");
        return;
    }
    // The application opens the file by its path as given, under the system's path rules.
    if (!CheckShellCanTake(file) || !CheckFileExists(file)) return;
    // An empty operation lets the shell take the default action of the application.
    ShellOpen(Quoted(application), Quoted(file), "");
}
